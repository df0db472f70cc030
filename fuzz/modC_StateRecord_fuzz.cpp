// The object streams of the state records: a record of the kind the first
// byte chooses (or a pointer to a step or mode record of any kind) is read
// from the rest. What the bytes say must read back: a record read without
// error, written and read again, writes the same bytes again, and prints.
#include <cstdint>
#include <memory>
#include <sstream>
#include <string>

#include "fuzz_Check.h"
#include "modC_ModeStateInfo.h"
#include "modC_Module.h"
#include "modC_MouseInfo.h"
#include "modC_StepStateChoiceInfo.h"
#include "modC_StepStateDialogInfo.h"
#include "modC_StepStateInfo.h"
#include "modC_StepStatePositionInfo.h"
#include "modC_StepStateScalarInfo.h"
#include "modC_StepStateToggleInfo.h"

namespace {

template <class R>
std::string Written(R const & record)
{
    std::ostringstream bytes;
    bio_Ofilter out(bytes);
    out << record;
    FUZZ_CHECK(out.Good());
    return bytes.str();
}

template <class R>
void Printed(R const & record)
{
    std::ostringstream text;
    pnt_PrettyPrint out(text);
    out << record;
}

template <class R>
void ReadsBack(std::string const & bytes)
{
    std::istringstream stream(bytes);
    bio_Ifilter in(stream);
    R record(in);
    in >> record;
    if (!in.Good())
        return;
    std::string const once = Written(record);
    std::istringstream again(once);
    bio_Ifilter in2(again);
    R copy(in2);
    in2 >> copy;
    FUZZ_CHECK(in2.Good());
    FUZZ_CHECK(Written(copy) == once);
    Printed(record);
}

template <class R>
void PointerReadsBack(std::string const & bytes)
{
    std::istringstream stream(bytes);
    bio_Ifilter in(stream);
    R * read = nullptr;
    in >> read;
    std::unique_ptr<R> record(read);
    if (!in.Good())
        return;
    R const * shown = record.get();
    std::ostringstream once;
    bio_Ofilter out(once);
    out << shown;
    std::istringstream again(once.str());
    bio_Ifilter in2(again);
    R * copy = nullptr;
    in2 >> copy;
    std::unique_ptr<R> owned(copy);
    FUZZ_CHECK(in2.Good());
    FUZZ_CHECK((copy == nullptr) == (shown == nullptr));
    if (!copy)
        return;
    FUZZ_CHECK(copy->DynTypeId() == shown->DynTypeId());
    FUZZ_CHECK(Written(*copy) == Written(*shown));
    Printed(shown);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    static int modules = 0;
    modC_initialize(modules);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const * data, std::size_t size)
{
    if (size < 1)
        return 0;
    std::string const bytes(reinterpret_cast<char const *>(data + 1), size - 1);
    switch (data[0] % 10) {
    case 0: ReadsBack<modC_ModeStateInfo>(bytes); break;
    case 1: ReadsBack<modC_MouseInfo>(bytes); break;
    case 2: ReadsBack<modC_StepStateInfo>(bytes); break;
    case 3: ReadsBack<modC_StepStateScalarInfo>(bytes); break;
    case 4: ReadsBack<modC_StepStatePositionInfo>(bytes); break;
    case 5: ReadsBack<modC_StepStateChoiceInfo>(bytes); break;
    case 6: ReadsBack<modC_StepStateDialogInfo>(bytes); break;
    case 7: ReadsBack<modC_StepStateToggleInfo>(bytes); break;
    case 8: PointerReadsBack<modC_StepStateInfo>(bytes); break;
    default: PointerReadsBack<modC_ModeStateInfo>(bytes); break;
    }
    return 0;
}
