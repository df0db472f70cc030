// The entry method: what reaches the step when the user types, and how the
// typed text reads as an integer, a number, a point or a list.
#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "ScriptedFactory.h"
#include "modC_ScalarMethod.h"

namespace {

using Lines = std::vector<std::string>;

std::vector<double> Elements(cow_1DArrayList<double, double> const & list)
{
    std::vector<double> elements;
    for (int i = 0; i < list.Size(); ++i)
        elements.push_back(list.ConstGet(i));
    return elements;
}

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

    int Integer(std::string const & text) { return Holding(text)->GetIntegerValue(); }
    double Float(std::string const & text) { return Holding(text)->GetFloatValue(); }
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
    std::unique_ptr<modC_Method> integer(factory.MakeIntegerMethod(&step, 5, -3, 9, false, true, true, nullptr, 20));
    ScriptedEntry const * field = factory.LastEntry();
    EXPECT_STREQ("5", field->Text());
    EXPECT_TRUE(field->GetValue().GetValue().IsEmpty()) << "nothing entered before the field is shown";
    EXPECT_EQ(-3, field->MinimumInt());
    EXPECT_EQ(9, field->MaximumInt());
    EXPECT_EQ(-DBL_MAX, field->MinimumFloat());
    EXPECT_EQ(DBL_MAX, field->MaximumFloat());
    EXPECT_TRUE(field->IntegerOnly());
    EXPECT_FALSE(field->EntryFlag1());
    EXPECT_TRUE(field->EntryFlag2());
    EXPECT_TRUE(field->EntryFlag3());
    EXPECT_EQ(20, field->Columns());

    std::unique_ptr<modC_Method> number(factory.MakeFloatMethod(&step, 1, -0.5, 0.5, true, false, false, nullptr, 12));
    field = factory.LastEntry();
    EXPECT_EQ(-0.5, field->MinimumFloat());
    EXPECT_EQ(0.5, field->MaximumFloat());
    EXPECT_EQ(INT_MIN, field->MinimumInt());
    EXPECT_EQ(INT_MAX, field->MaximumInt());
    EXPECT_FALSE(field->IntegerOnly());
    EXPECT_EQ(12, field->Columns());

    std::unique_ptr<modC_Method> text(factory.MakeStringMethod(&step, nullptr, 20));
    field = factory.LastEntry();
    EXPECT_STREQ("", field->Text());
    EXPECT_EQ(-DBL_MAX, field->MinimumFloat());
    EXPECT_EQ(INT_MAX, field->MaximumInt());
    EXPECT_TRUE(field->EntryFlag1());
    EXPECT_TRUE(field->EntryFlag2());
    EXPECT_FALSE(field->IntegerOnly());
    EXPECT_FALSE(field->EntryFlag3());
}

TEST_F(ScalarMethodTest, IntegerReadsLikeAtoiAndSaturatesOutOfRange)
{
    EXPECT_EQ(42, Integer("42abc"));
    EXPECT_EQ(0, Integer("abc"));
    EXPECT_EQ(0, Integer(""));
    EXPECT_EQ(-17, Integer(" \t\n-17 "));
    EXPECT_EQ(5, Integer("+5"));
    EXPECT_EQ(0, Integer("0x10"));
    EXPECT_EQ(3, Integer("3.9"));
    EXPECT_EQ(INT_MAX, Integer("2147483647"));
    EXPECT_EQ(INT_MIN, Integer("-2147483648"));
    EXPECT_EQ(INT_MAX, Integer("2147483648"));
    EXPECT_EQ(INT_MIN, Integer("-99999999999999999999999"));
    EXPECT_EQ(12, Integer(std::string("12\0 34", 6)));
    EXPECT_EQ(INT_MAX, Integer(std::string(100000, '9')));
}

TEST_F(ScalarMethodTest, FloatReadsLikeAtof)
{
    EXPECT_EQ(0.0, Float(""));
    EXPECT_EQ(0.0, Float("abc"));
    EXPECT_EQ(2500.0, Float("  2.5e3xyz"));
    EXPECT_EQ(0.5, Float(".5"));
    EXPECT_EQ(-1.0, Float("-1e"));
    EXPECT_EQ(HUGE_VAL, Float("1e999"));
    EXPECT_EQ(-HUGE_VAL, Float("-1e999"));
    EXPECT_TRUE(std::isnan(Float("nan")));
    EXPECT_EQ(7.0, Float(std::string("7\0" "8", 3)));
}

TEST_F(ScalarMethodTest, PointReadsCommasBlanksOrParentheses)
{
    EXPECT_EQ((std::vector<double>{1, 2, 3}), Point("1, 2, 3"));
    EXPECT_EQ((std::vector<double>{1, 2, 3}), Point(" 1 ,2 ,  3 "));
    EXPECT_EQ((std::vector<double>{1, 2, 3}), Point("1 2\t3"));
    EXPECT_EQ((std::vector<double>{1.5, -2, 0.25}), Point("(1.5,-2,.25)"));
    EXPECT_EQ((std::vector<double>{1, 2, 3}), Point(" ( 1, 2, 3) "));
    EXPECT_EQ((std::vector<double>{1, 2, 0}), Point("1, 2"));
    EXPECT_EQ((std::vector<double>{1, 2, 0}), Point("1 2"));
    EXPECT_EQ((std::vector<double>{1, 2, 3}), Point("1,2,3,4"));
    EXPECT_EQ((std::vector<double>{1e5, 2, 3}), Point("1e5, 2, 3"));
}

TEST_F(ScalarMethodTest, PointKeepsWhatTheLastScanReached)
{
    // A blank before a comma stops the scan of the parenthesised form.
    EXPECT_EQ((std::vector<double>{1, 0, 0}), Point("(1 ,2,3)"));
    EXPECT_EQ((std::vector<double>{1, 2, 0}), Point("(1,2 ,3)"));
    // One number is kept: no later scan reads the text differently.
    EXPECT_EQ((std::vector<double>{5, 0, 0}), Point("5"));
    EXPECT_EQ((std::vector<double>{1, 0, 0}), Point("1;2;3"));
    EXPECT_EQ((std::vector<double>{0, 0, 0}), Point(""));
    EXPECT_EQ((std::vector<double>{0, 0, 0}), Point("x, y, z"));
}

TEST_F(ScalarMethodTest, PointSurvivesHostileText)
{
    EXPECT_EQ((std::vector<double>{1, 2, 0}), Point(std::string("1, 2\0, 3", 8)));
    std::vector<double> const huge = Point(std::string(1 << 20, '9') + ", 2, 3");
    EXPECT_EQ(HUGE_VAL, huge[0]);
    EXPECT_EQ(2, huge[1]);
    EXPECT_EQ(3, huge[2]);
    EXPECT_EQ((std::vector<double>{0, 0, 0}), Point(std::string(1 << 20, ',')));
    EXPECT_EQ((std::vector<double>{0, 0, 0}), Point(std::string("\xff\xfe\x80(", 4)));
}

TEST_F(ScalarMethodTest, ListSeparatesByCommasAndBlanks)
{
    EXPECT_EQ((std::vector<double>{1, 2, 3, 4}), List("1, 2,3 4"));
    EXPECT_EQ((std::vector<double>{1, 2}), List("1 2"));
    EXPECT_EQ((std::vector<double>{5}), List("5,"));
    EXPECT_EQ((std::vector<double>{5}), List("5 "));
    EXPECT_EQ((std::vector<double>{7}), List("   7"));
    EXPECT_EQ((std::vector<double>{150, -3, 0.5}), List("1.5e2 -3 .5"));
    // An empty field reads as 0.
    EXPECT_EQ((std::vector<double>{0.0}), List(""));
    EXPECT_EQ((std::vector<double>{0.0, 0.0}), List(",,"));
    EXPECT_EQ((std::vector<double>{0, 5}), List(",5"));
    EXPECT_EQ((std::vector<double>{1, 0, 2}), List("1,,2"));
    // The blank after a number and the comma after it each end a field.
    EXPECT_EQ((std::vector<double>{1, 0, 2}), List("1 , 2"));
    EXPECT_EQ((std::vector<double>{0, 0}), List("a,b"));
}

TEST_F(ScalarMethodTest, ListReplacesWhatTheGivenListHeld)
{
    cow_1DArrayList<double, double> values;
    for (double old : {9.0, 9.0, 9.0})
        values.Append(old);
    Holding("1")->GetArrayValue(values);
    EXPECT_EQ((std::vector<double>{1}), Elements(values));
}

TEST_F(ScalarMethodTest, ListSurvivesHostileText)
{
    EXPECT_EQ((std::vector<double>{1, 2, 3}), List(std::string("1,2\0,3", 6)));
    EXPECT_EQ((std::vector<double>{1}), List("1\t2")) << "only the blank separates, not other white space";
    EXPECT_EQ((std::vector<double>{HUGE_VAL}), List(std::string(1 << 20, '9')));
    EXPECT_EQ(std::size_t{1 << 20}, List(std::string(1 << 20, ',')).size());
    std::string numbers;
    for (int i = 0; i < (1 << 19); ++i)
        numbers += "1 ";
    EXPECT_EQ(std::size_t{1 << 19}, List(numbers).size());
}

TEST(ScalarParseFloat, ReadsOneFieldAndMovesPastItsSeparator)
{
    omu_PrimString const text(cow_String("12,34"));
    int position = 0;
    double result = -1;
    modC_ScalarMethod::parseFloat(text, position, text.Length(), result);
    EXPECT_EQ(12, result);
    EXPECT_EQ(3, position);
    modC_ScalarMethod::parseFloat(text, position, text.Length(), result);
    EXPECT_EQ(34, result);
    EXPECT_EQ(5, position);

    result = -1;
    modC_ScalarMethod::parseFloat(text, position, text.Length(), result);
    EXPECT_EQ(-1, result) << "at the end nothing is read";
    EXPECT_EQ(5, position);
}

TEST(ScalarParseFloat, NeverReadsOutsideTheText)
{
    omu_PrimString const text(cow_String("12"));
    int position = 0;
    double result = 0;
    modC_ScalarMethod::parseFloat(text, position, 1000, result);
    EXPECT_EQ(12, result);
    EXPECT_EQ(2, position);

    position = -50;
    modC_ScalarMethod::parseFloat(text, position, 2, result);
    EXPECT_EQ(12, result);
    EXPECT_EQ(2, position);

    position = 0;
    modC_ScalarMethod::parseFloat(text, position, 1, result);
    EXPECT_EQ(1, result) << "a shorter length ends the text early";
    EXPECT_EQ(1, position);

    omu_PrimString const empty;
    position = 0;
    result = 8;
    modC_ScalarMethod::parseFloat(empty, position, 10, result);
    EXPECT_EQ(8, result);
    EXPECT_EQ(0, position);
}

TEST_F(ScalarMethodTest, StringValueKeepsEveryByte)
{
    std::string const binary("a\0b\xff", 4);
    cow_String const value = Holding(binary)->GetStringValue();
    EXPECT_EQ(binary, value.Std());
}

}  // namespace
