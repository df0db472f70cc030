// The entry method: what reaches the step when the user types, and how the
// typed text reads as an integer, a number, a point or a list.
#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "ScriptedFactory.h"
#include "modC_ScalarMethod.h"
#include "support/TestTables.h"

namespace {

using Lines = std::vector<std::string>;

class ScalarMethodTest : public testing::Test {
protected:
    // A text entry holding `text` as the user typed it (any bytes at all).
    std::unique_ptr<modC_ScalarMethod> Holding(std::string const & text)
    {
        std::unique_ptr<modC_ScalarMethod> method(
            static_cast<modC_ScalarMethod *>(factory.MakeStringMethod(&step, "", 20)));
        method->Execute();
        factory.LastEntry()->Type(text);
        return method;
    }

    std::vector<double> Point(std::string const & text)
    {
        double x = -7.0, y = -7.0, z = -7.0;
        Holding(text)->GetPointValue(x, y, z);
        return {x, y, z};
    }
    std::vector<double> List(std::string const & text)
    {
        cow_1DArrayList<double, double> values;
        Holding(text)->GetArrayValue(values);
        return Elements(values);
    }

    ScriptedFactory factory;
    ScriptedReceiver step{factory.Log()};
};

TEST_F(ScalarMethodTest, TypingReachesTheStepAsCopiesTakenAtReportTime)
{
    std::unique_ptr<modC_Method> method(factory.MakeIntegerMethod(&step, 42, 0, 100, true, true, false, nullptr, 20));
    auto * scalar = dynamic_cast<modC_ScalarMethod *>(method.get());
    ASSERT_NE(nullptr, scalar);
    EXPECT_EQ(&step, scalar->Receiver());
    EXPECT_EQ(42, scalar->GetIntegerValue()) << "the constructor's text is the value before any report";

    std::vector<int> seen;
    step.onReport = [&](std::string const &, modC_Method * m) {
        EXPECT_EQ(method.get(), m);
        seen.push_back(static_cast<modC_ScalarMethod *>(m)->GetIntegerValue());
    };
    method->Execute();
    ScriptedEntry * entry = factory.LastEntry();
    entry->Type("17");
    entry->Edit("18");  // typed, not yet reported
    EXPECT_EQ(17, scalar->GetIntegerValue());
    entry->Enter("99");
    method.reset();

    EXPECT_EQ((std::vector<int>{17, 99}), seen);
    EXPECT_EQ((Lines{"MakeIntegerMethod(42, 0, 100, true, true, false, null, 20) -> integer1", "integer1.Execute()",
                     "step.ValueChanged()", "step.Done()", "integer1 deleted"}),
              factory.Log().Take());
    EXPECT_TRUE(factory.Live().empty());
}

TEST_F(ScalarMethodTest, CommitDataMakesTheFieldReportPendingText)
{
    std::unique_ptr<modC_Method> method(
        factory.MakePointMethod(&step, 1, 2, 3, false, -100, 100, true, true, false, false, 20));
    method->Execute();
    factory.Log().Take();
    factory.LastEntry()->Edit("4, 5, 6");
    method->CommitData();
    EXPECT_EQ((Lines{"point1.CommitData()", "step.ValueChanged()"}), factory.Log().Take());
    double x = 0, y = 0, z = 0;
    static_cast<modC_ScalarMethod *>(method.get())->GetPointValue(x, y, z);
    EXPECT_EQ((std::vector<double>{4, 5, 6}), (std::vector<double>{x, y, z}));
}

TEST_F(ScalarMethodTest, EntryFieldsCarryTheirLimitsAndFlags)
{
    // Text, integer and number limits, integers only, the three flags, columns.
    auto const shown = [&] {
        ScriptedEntry const * f = factory.LastEntry();
        return std::make_tuple(std::string(f->Text()), f->MinimumInt(), f->MaximumInt(), f->MinimumFloat(),
                               f->MaximumFloat(), f->IntegerOnly(), f->EntryFlag1(), f->EntryFlag2(), f->EntryFlag3(),
                               f->Columns());
    };
    std::unique_ptr<modC_Method> integer(factory.MakeIntegerMethod(&step, 5, -3, 9, false, true, true, nullptr, 20));
    EXPECT_EQ(std::make_tuple(std::string("5"), -3, 9, -DBL_MAX, DBL_MAX, true, false, true, true, 20), shown());
    EXPECT_TRUE(factory.LastEntry()->GetValue().GetValue().IsEmpty()) << "nothing entered before the field is shown";
    std::unique_ptr<modC_Method> number(factory.MakeFloatMethod(&step, 1, -0.5, 0.5, true, false, false, nullptr, 12));
    EXPECT_EQ(std::make_tuple(std::string("1"), INT_MIN, INT_MAX, -0.5, 0.5, false, true, false, false, 12), shown());
    std::unique_ptr<modC_Method> text(factory.MakeStringMethod(&step, nullptr, 20));
    EXPECT_EQ(std::make_tuple(std::string(""), INT_MIN, INT_MAX, -DBL_MAX, DBL_MAX, false, true, true, false, 20),
              shown());
}

// The typed text read as each kind of value; the numbers as atoi and atof
// read them, saturated out of range, whatever bytes the text holds.
TEST_F(ScalarMethodTest, TheTextReadsAsAnIntegerANumberAPointOrAList)
{
    using V = std::vector<double>;
    struct Case {
        std::string text;
        int integer;
        double number;
        V point, list;
    };
    std::string const huge(1 << 20, '9');
    Case const cases[] = {
        {"42abc", 42, 42, {42, 0, 0}, {42}},
        {"", 0, 0, {0, 0, 0}, {0}},
        {" \t\n-17 ", -17, -17, {-17, 0, 0}, {-17}},
        {"0x10", 0, 16, {16, 0, 0}, {16}},
        {"3.9", 3, 3.9, {3.9, 0, 0}, {3.9}},
        {"2147483648", INT_MAX, 2147483648.0, {2147483648.0, 0, 0}, {2147483648.0}},
        {"-99999999999999999999999", INT_MIN, -1e23, {-1e23, 0, 0}, {-1e23}},
        {huge, INT_MAX, HUGE_VAL, {HUGE_VAL, 0, 0}, {HUGE_VAL}},
        {"1, 2, 3", 1, 1, {1, 2, 3}, {1, 2, 3}},
        {"1 2\t3", 1, 1, {1, 2, 3}, {1, 2}},
        {"(1.5,-2,.25)", 0, 0, {1.5, -2, 0.25}, {0, -2, 0.25}},
        {"(1 ,2,3)", 0, 0, {1, 0, 0}, {0, 0, 2, 3}},
        {"1,2,3,4", 1, 1, {1, 2, 3}, {1, 2, 3, 4}},
        {"1;2;3", 1, 1, {1, 0, 0}, {1}},
        {"1e999, -1e999", 1, HUGE_VAL, {HUGE_VAL, -HUGE_VAL, 0}, {HUGE_VAL, -HUGE_VAL}},
        {",,", 0, 0, {0, 0, 0}, {0, 0}},
        {"1,,2", 1, 1, {1, 0, 0}, {1, 0, 2}},
        {"1 , 2", 1, 1, {1, 2, 0}, {1, 0, 2}},
        {"5 ", 5, 5, {5, 0, 0}, {5}},
        {std::string("1,2\0,3", 6), 1, 1, {1, 2, 0}, {1, 2, 3}},
        {std::string("\xff\xfe\x80(", 4), 0, 0, {0, 0, 0}, {0}},
    };
    for (Case const & c : cases) {
        SCOPED_TRACE(c.text.substr(0, 20));
        EXPECT_EQ(c.integer, Holding(c.text)->GetIntegerValue());
        EXPECT_EQ(c.number, Holding(c.text)->GetFloatValue());
        EXPECT_EQ(c.point, Point(c.text));
        EXPECT_EQ(c.list, List(c.text));
    }
    EXPECT_TRUE(std::isnan(Holding("nan")->GetFloatValue()));
    EXPECT_EQ(std::size_t{1 << 20}, List(std::string(1 << 20, ',')).size());
    std::string const binary("a\0b\xff", 4);
    EXPECT_EQ(binary, Holding(binary)->GetStringValue().Std());
    cow_1DArrayList<double, double> values;  // what the given list held is replaced
    values.Append(9.0);
    values.Append(9.0);
    Holding("1")->GetArrayValue(values);
    EXPECT_EQ((std::vector<double>{1}), Elements(values));
}

}  // namespace
