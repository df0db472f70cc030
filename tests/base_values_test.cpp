// Containers and primitive values: value semantics, the contract checks and
// their exact texts, and the object stream round trips.
#include <gtest/gtest.h>

#include <sstream>

#include <unistd.h>

#include "bio_Ifilter.h"
#include "bio_Ofilter.h"
#include "cow_1DArrayList.h"
#include "cow_List.h"
#include "cow_String.h"
#include "omu_PrimBool.h"
#include "omu_PrimDictionary.h"
#include "omu_PrimString.h"
#include "omu_PrimTuple.h"
#include "omu_PrimType.h"
#include "pnt_PrettyPrint.h"
#include "support/TestTables.h"
#include "uti_ResourceManager.h"
#include "utl_RegularFile.h"
#include "utl_tr.h"

namespace {

TEST(CowString, EditingOperationsAndTheirBounds)
{
    cow_String s("*promptArea.Extrude_select.labelString");
    EXPECT_EQ(12, s.Find("Extrude"));
    EXPECT_EQ(-1, s.Find("Extrude", 13));
    EXPECT_EQ(-1, s.Find("x", 100));
    EXPECT_EQ(cow_String("Extrude"), s.Substr(12, 7));
    EXPECT_EQ(cow_String("labelString"), s.Substr(27, 1000));
    EXPECT_TRUE(s.Substr(500, 2).IsEmpty());
    cow_String t("abcdef");
    t.Erase(1, 2);
    EXPECT_TRUE(t == "adef");
    t.Erase(3, 50);
    EXPECT_TRUE(t == "ade");
    t.Erase(9, 1);
    EXPECT_TRUE(t == "ade");
    t.Erase(0, 1);
    EXPECT_TRUE(t == "de");
    EXPECT_EQ('e', t[1]);
    EXPECT_EQ(cow_String("de!"), t + "!");
}

// The contract checks of the containers and tuples, with their exact texts.
TEST(BaseValues, MisuseFailsTheContractCheckWithItsExactText)
{
    cow_List<int> empty, one;
    one.Append(1);
    cow_1DArrayList<double, double> values;
    double const run[] = {1.0};
    omu_PrimTuple tuple;
    tuple.Put(1);
    int i = 0;
    cow_String s;
    ExpectContractChecks("cow_List", {
        {[&] { empty.ConstGet(0); }, "!((!first.HasValue()) || (index >= size))"},
        {[&] { one.ConstGet(1); }, "!((!first.HasValue()) || (index >= size))"},
        {[&] { one.InsertAfter(1, 5); }, "(index<size) && (index>=0)"},
        {[&] { one.InsertAfter(-1, 5); }, "(index<size) && (index>=0)"},
        {[&] { one.Get(3); }, "!(index > size)"},
        {[&] { values.Append(run, -1); }, "count >= 0", "cow_1DArrayList"},
        {[&] { tuple.Begin(), tuple.Get(s); }, "e.GetKind() == STRING", "omu_PrimTuple"},
        {[&] { tuple.Begin(), tuple.Get(i), tuple.Get(i); }, "readPos < Length()", "omu_PrimTuple"},
    });
    EXPECT_EQ(0, values.Size());
}

TEST(PrimTuple, ReadsBackWhatWasPutWithConversions)
{
    omu_PrimTuple inner;
    inner.Put("x");
    omu_PrimTuple t(5);
    EXPECT_EQ(0, t.Length());  // the count only reserves room
    t.Put(cow_String("msg"));
    t.Put(7);
    t.Put(2.5);
    t.Put(true);
    t.Put(inner);
    cow_String s;
    int i = 0;
    float f = 0;
    bool b = false;
    omu_PrimTuple back;
    t.Begin();
    t.Get(s);
    t.Get(i);
    t.Get(f);
    t.Get(b);
    t.Get(back);
    EXPECT_TRUE(t.End());
    EXPECT_TRUE(s == "msg");
    EXPECT_EQ(7, i);
    EXPECT_EQ(2.5f, f);
    EXPECT_TRUE(b);
    EXPECT_TRUE(back == inner);
    EXPECT_EQ("(\"msg\", 7, 2.5, true, (\"x\"))", std::string(t.AsString().AsCharPtr()));
}

// Equal only in kind and value: an integer 1 is not the string "1" nor the double 1.
TEST(Primitives, EqualOnlyInKindAndValue)
{
    omu_PrimString const text(cow_String("1"));
    omu_PrimInt const one(1);
    EXPECT_TRUE(text == omu_PrimString(cow_String("1")));
    EXPECT_TRUE(text != omu_PrimString(cow_String("2")));
    EXPECT_TRUE(text != one);
    EXPECT_TRUE(one == omu_PrimInt(1));
    EXPECT_TRUE(one != omu_PrimInt(2));
    EXPECT_TRUE(one != omu_PrimDouble(1.0));
    EXPECT_TRUE(one != text);
}

TEST(ObjectStreams, PrimitivesRoundTrip)
{
    omu_PrimDictionary<cow_String> filters;
    filters.Put(omu_PrimBool<2>(true), "Faces");
    filters.Put(omu_PrimBool<2>(true), "Edges");
    omu_PrimTuple t;
    t.Put(cow_String("text with\0nul"));
    t.Put(-5);
    t.Put(4000000000u);
    t.Put(1e-300);
    t.Put(false);
    t.Put(filters);
    t.Put(omu_PrimType(12));

    std::stringstream bytes;
    bio_Ofilter out(bytes);
    out << t << 3 << 1.25f;
    bio_Ifilter in(bytes);
    omu_PrimTuple back;
    int i = 0;
    float f = 0;
    in >> back >> i >> f;
    ASSERT_TRUE(in.Good());
    EXPECT_TRUE(back == t);
    EXPECT_EQ(3, i);
    EXPECT_EQ(1.25f, f);
    // The dictionary keeps both texts under the same key, in order.
    auto const & dict = static_cast<omu_PrimDictionary<cow_String> const &>(back.Index(5));
    ASSERT_EQ(2, dict.Size());
    EXPECT_TRUE(dict.ValueAt(1) == "Edges");
}

TEST(ObjectStreams, TruncatedOrCorruptStreamsFailCleanly)
{
    omu_PrimTuple t;
    t.Put(cow_String("a fairly long string value"));
    std::stringstream bytes;
    bio_Ofilter out(bytes);
    out << t;
    std::string const whole = bytes.str();
    for (std::size_t cut = 0; cut < whole.size(); ++cut) {
        std::istringstream part(whole.substr(0, cut));
        bio_Ifilter in(part);
        omu_PrimTuple back = t;  // a failed read leaves nothing behind
        in >> back;
        EXPECT_FALSE(in.Good()) << "cut at " << cut;
        EXPECT_EQ(0, back.Length());
    }
    // A huge announced length is rejected without allocating it.
    std::string huge = whole;
    huge[12] = huge[13] = huge[14] = huge[15] = '\x7f';
    std::istringstream corrupt(huge);
    bio_Ifilter in(corrupt);
    omu_PrimTuple back;
    in >> back;
    EXPECT_FALSE(in.Good());
    // So is a nesting deeper than any real value.
    std::string deep;
    for (int level = 0; level < 1000; ++level)
        deep += std::string("\x05\0\0\0\x01\0\0\0", 8);
    std::istringstream deepStream(deep);
    bio_Ifilter deepIn(deepStream);
    deepIn >> back;
    EXPECT_FALSE(deepIn.Good());
    // A bool is the byte 0 or 1; any other byte is corrupt.
    std::istringstream boolByte(std::string("\x02"));
    bio_Ifilter boolIn(boolByte);
    bool flag = true;
    boolIn >> flag;
    EXPECT_FALSE(boolIn.Good());
}

TEST(RegularFile, OpensOnDescriptorZero)
{
    int const savedInput = ::dup(0);
    ::close(0);
    bool const opened = utl_RegularFile("/proc/self/exe").IsOpen();
    ::dup2(savedInput, 0);
    ::close(savedInput);
    EXPECT_TRUE(opened) << "with the standard input closed, the file gets descriptor 0";
}

TEST(PrettyPrint, PassesControlPairsThrough)
{
    std::ostringstream text;
    pnt_PrettyPrint pp(text);
    pp.Control('t').prettyprint("(x", 2) << 3 << 0.5f;
    pp << omu_PrimString(cow_String("s"));
    EXPECT_EQ(std::string("\x1bt(x30.5s"), text.str());
}

TEST(Resources, ConfiguredTextsOrTheDefault)
{
    uti_ResourceManager & resources = thr_ThreadSingleton<uti_ResourceManager>::Instance();
    resources.Clear();
    std::istringstream file("! comment\n*promptArea.Extrude_select.labelString: Select a profile\n\nbad line\n"
                            "  key :  spaced text\r\n");
    EXPECT_EQ(2, resources.Load(file));
    EXPECT_STREQ("Select a profile", resources.GetStringResource("*promptArea.Extrude_select.labelString", "d"));
    EXPECT_STREQ("spaced text", resources.GetStringResource("key", "d"));
    char const * fallback = "default";
    EXPECT_EQ(fallback, resources.GetStringResource("missing", fallback));
    resources.Clear();
}

TEST(Translation, LiteralsPassThroughTheCatalogue)
{
    char const * done = "Done";
    EXPECT_EQ(done, utl_tr(done));
    utl_SetTranslation("Done", "Fertig");
    EXPECT_STREQ("Fertig", utl_tr("Done"));
    EXPECT_STREQ("Next", utl_tr("Next"));
    utl_ClearTranslations();
    EXPECT_STREQ("Done", utl_tr("Done"));
}

}  // namespace
