// Start and end of the library: the order of the modules, the counting, and
// the registration of the state record types.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "fsp_Module.h"
#include "modC_Module.h"
#include "qel_Module.h"
#include "typ_ArchCompTable.h"

namespace {

using Events = std::vector<std::string>;
Events events;

class Module : public ::testing::Test {
protected:
    void SetUp() override
    {
        events.clear();
        previous = qel_SetModuleObserver(
            [](char const * module, bool started) { events.push_back((started ? "+" : "-") + std::string(module)); });
    }
    void TearDown() override { qel_SetModuleObserver(previous); }
    qel_ModuleObserver previous = nullptr;
};

TEST_F(Module, FirstInitialiseStartsEveryModuleInOrderAndLastFinaliseEndsThemInReverse)
{
    int count = 0, second = 0;
    modC_initialize(count);
    EXPECT_EQ(12, count);  // the library itself and the eleven it starts
    modC_initialize(second);
    modC_finalize(second);
    EXPECT_EQ(0, second);
    modC_finalize(count);
    EXPECT_EQ(0, count);
    EXPECT_EQ((Events{"+modC", "+mmgC", "+ContribXpm", "+ContribFStt", "+ContribFSt1", "+mfx", "+utl", "+omu", "+g3d",
                      "+fsp", "+sesC", "+wfxcom", "-modC", "-wfxcom", "-sesC", "-fsp", "-g3d", "-omu", "-utl", "-mfx",
                      "-ContribFSt1", "-ContribFStt", "-ContribXpm", "-mmgC"}),
              events);
}

TEST_F(Module, AModuleStartedElsewhereIsNotStartedOrEndedAgain)
{
    int own = 0, count = 0;
    fsp_initialize(own);
    EXPECT_EQ(1, own);
    modC_initialize(count);
    EXPECT_EQ(11, count);
    modC_finalize(count);
    EXPECT_EQ(events.end(), std::find(events.begin(), events.end(), "-fsp"));  // fsp still has its first caller
    fsp_finalize(own);
    fsp_finalize(own);  // an unmatched finalise changes nothing
    EXPECT_EQ(0, own);
    EXPECT_EQ("-fsp", events.back());
}

TEST_F(Module, InitialiseRegistersTheStateRecordTypesUnderComponent268)
{
    int count = 0;
    modC_initialize(count);
    typ_ArchEntry const * choice = typ_ArchCompTable::Lookup(0x10C0005);
    ASSERT_NE(nullptr, choice);
    EXPECT_STREQ("modC_StepStateChoiceInfo", choice->name);
    EXPECT_EQ(7u, choice->flags);
    EXPECT_EQ(nullptr, typ_ArchCompTable::Lookup(0x10C0000));  // the empty entry
    EXPECT_EQ(nullptr, typ_ArchCompTable::Lookup(0x10C0009));
    EXPECT_TRUE(typ_ArchCompTable::IsParent(0x10C0005, 0x10C0002));
    EXPECT_FALSE(typ_ArchCompTable::IsParent(0x10C0002, 0x10C0005));
    // An ancestor 255 levels up is found; one 256 up means a cycle in a corrupt table.
    std::vector<typ_ArchEntry> chain(257);
    for (unsigned int link = 0; link < chain.size(); ++link)
        chain[link].parent = 0x7770000u + link + 1, chain[link].name = "link";
    typ_ArchCompTable::InsertEntry(0x777, chain);
    EXPECT_TRUE(typ_ArchCompTable::IsParent(0x7770000, 0x77700FF));
    EXPECT_FALSE(typ_ArchCompTable::IsParent(0x7770000, 0x7770100));
    typ_ArchCompTable::RemoveEntry(0x777);
    modC_finalize(count);
}

}  // namespace
