#include <gtest/gtest.h>

#include "instrument/EntryValue.h"
#include "configwindow/ReadBackText.h"
#include "configwindow/WriteTracker.h"

namespace {

using ParameterCatalogue::ValueForm;

struct ValueCase {
    ValueForm form;
    const char* text;
    int value;
};

TEST(EntryValue, numbersAreScaledNarrowedAndRoundedHalfToEven)
{
    const ValueCase cases[] = {
        {ValueForm::Tenths, "0.05", 0},     // 0.5 goes to the even 0
        {ValueForm::Tenths, "0.15", 2},     // 1.5 goes to 2
        {ValueForm::Tenths, "1.5", 15},     {ValueForm::Tenths, "100", 1000},
        {ValueForm::Tenths, "-0.25", -2},   {ValueForm::Tenths, "3276.7", 32767},
        {ValueForm::Integer, "-1999", -1999}, {ValueForm::Integer, "30", 30},
        {ValueForm::Integer, "10000", 10000}, // no range check against the help text
        {ValueForm::Integer, "2.5", 2},     {ValueForm::Integer, "3.5", 4},
        {ValueForm::Integer, "-2.5", -2},   {ValueForm::Integer, " 12.5 秒", 12},
        {ValueForm::Integer, "1e2", 100},   {ValueForm::Integer, "-32768", -32768},
        {ValueForm::Choice, "11:PT100(-200～850) ", 11}, {ValueForm::Choice, "8 WRe325(0-2300)", 8},
        {ValueForm::Choice, "0:K(-200-1300)", 0},        {ValueForm::Choice, "5", 5},
    };
    for (const ValueCase& c : cases) {
        const EntryValue v = entryValue(c.form, QString::fromUtf8(c.text));
        EXPECT_TRUE(v.writable()) << c.text;
        EXPECT_EQ(v.value, c.value) << c.text;
    }
}

struct ProblemCase {
    ValueForm form;
    const char* text;
    EntryProblem problem;
};

TEST(EntryValue, blankUnreadableAndTooWideEntriesWriteNothing)
{
    const ProblemCase cases[] = {
        {ValueForm::Integer, "", EntryProblem::Empty},
        {ValueForm::Integer, "   ", EntryProblem::Empty},
        {ValueForm::Choice, "", EntryProblem::Empty},
        {ValueForm::Integer, "abc", EntryProblem::NotANumber},
        {ValueForm::Tenths, "-", EntryProblem::NotANumber},
        {ValueForm::Choice, "无", EntryProblem::NotANumber},
        {ValueForm::Integer, "32768", EntryProblem::OutOfRange},
        {ValueForm::Integer, "-32769", EntryProblem::OutOfRange},
        {ValueForm::Tenths, "3276.8", EntryProblem::OutOfRange},
        {ValueForm::Integer, "1e300", EntryProblem::OutOfRange},
        {ValueForm::Choice, "99999", EntryProblem::OutOfRange},
    };
    for (const ProblemCase& c : cases) {
        const EntryValue v = entryValue(c.form, QString::fromUtf8(c.text));
        EXPECT_FALSE(v.writable()) << c.text;
        EXPECT_EQ(v.problem, c.problem) << c.text;
        EXPECT_FALSE(problemText(c.problem).isEmpty());
    }
}

struct CodeCase {
    const char* text;
    EntryProblem problem;
};

TEST(EntryValue, aListTakesTheCodeOfEachOfItsItemsAndNoOtherNumber)
{
    for (const ParameterCatalogue::Parameter& p : ParameterCatalogue::parameters()) {
        for (size_t code = 0; code < p.choices.size(); ++code) {
            const EntryValue v = entryValue(p, ParameterCatalogue::text(p.choices[code]));
            EXPECT_TRUE(v.writable()) << p.number << " item " << code;
            EXPECT_EQ(v.value, static_cast<int>(code)) << p.number << " item " << code;
        }
    }
    const CodeCase cases[] = {
        {"2", EntryProblem::NotAChoice},  // one past the last of two items
        {"-1", EntryProblem::NotAChoice},
        {"0.5", EntryProblem::NotAChoice},  // not rounded into a code
        {"99999", EntryProblem::NotAChoice},
        {"", EntryProblem::Empty},
        {"加热", EntryProblem::NotANumber},
    };
    const ParameterCatalogue::Parameter& action = *ParameterCatalogue::find(11);
    for (const CodeCase& c : cases) {
        const EntryValue v = entryValue(action, QString::fromUtf8(c.text));
        EXPECT_EQ(v.problem, c.problem) << c.text;
    }
    EXPECT_FALSE(problemText(EntryProblem::NotAChoice).isEmpty());
    // A number box keeps its own rules.
    EXPECT_EQ(entryValue(*ParameterCatalogue::find(3), u"10000").value, 10000);
}

struct NameCase {
    int number;
    float value;
    const char* shown;  // nullptr: the label keeps its text
};

TEST(ReadBackText, numbersShowAsNumberTextAndCodesAsTheirNames)
{
    const NameCase cases[] = {
        {2, 2.0f, "88.88"},   {2, 0.0f, "8888"},       {6, 0.1f, "0.1"},        {6, 1.5f, "1.5"},
        {17, 100.0f, "100"},  {14, 30.0f, "30"},       {4, -1999.0f, "-1999"},  {1, 0.0f, "K(-200-1300)"},
        {1, 13.0f, "0Ω400(0～400Ω) "},                 {9, 1.0f, "继电器R"},    {11, 1.0f, "制冷-正作用"},
        {24, 6.0f, "制冷继电器输出"},                  {26, 2.0f, "19200"},     {36, 1.0f, "允许"},
        {1, 23.0f, nullptr},  {22, 6.0f, nullptr},     {24, 7.0f, nullptr},     {9, 1.5f, nullptr},
        {7, -1.0f, nullptr},
    };
    for (const NameCase& c : cases) {
        const auto shown = readBackText(*ParameterCatalogue::find(c.number), c.value);
        if (c.shown) {
            ASSERT_TRUE(shown.has_value()) << c.number << " = " << c.value;
            EXPECT_EQ(*shown, QString::fromUtf8(c.shown)) << c.number << " = " << c.value;
        } else {
            EXPECT_FALSE(shown.has_value()) << c.number << " = " << c.value;
        }
    }
}

TEST(WriteTracker, aWriteIsPendingUntilItsOutcomeArrives)
{
    WriteTracker t;
    EXPECT_EQ(t.state(18), WriteTracker::State::None);
    t.queued(18);
    EXPECT_EQ(t.state(18), WriteTracker::State::Pending);
    EXPECT_TRUE(t.finished(18, true, {}));
    EXPECT_EQ(t.state(18), WriteTracker::State::Written);
}

TEST(WriteTracker, aFailureStaysUntilALaterWriteOfTheSameParameterSucceeds)
{
    WriteTracker t;
    t.queued(18);
    t.finished(18, false, QStringLiteral("Connection timed out"));
    EXPECT_EQ(t.state(18), WriteTracker::State::Failed);
    EXPECT_EQ(t.error(18), QStringLiteral("Connection timed out"));

    t.queued(17);  // another parameter's success changes nothing here
    t.finished(17, true, {});
    t.queued(18);  // still failed while the next write is on its way
    EXPECT_EQ(t.state(18), WriteTracker::State::Failed);
    t.finished(18, true, {});
    EXPECT_EQ(t.state(18), WriteTracker::State::Written);
    EXPECT_TRUE(t.error(18).isEmpty());
}

TEST(WriteTracker, anOutcomeCountsOnlyForAWriteOnItsWay)
{
    WriteTracker t;
    t.queued(4);
    EXPECT_FALSE(t.finished(6, false, {}));
    EXPECT_EQ(t.state(6), WriteTracker::State::None);
    EXPECT_TRUE(t.finished(4, true, {}));
    EXPECT_FALSE(t.finished(4, false, {}));  // once only
    EXPECT_EQ(t.state(4), WriteTracker::State::Written);
}

} // namespace
