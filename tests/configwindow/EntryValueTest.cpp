#include <optional>
#include <tuple>

#include <gtest/gtest.h>

#include "instrument/EntryValue.h"
#include "configwindow/ReadBackText.h"
#include "configwindow/WriteTracker.h"
#include "link/WriteRequest.h"

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
}

struct RangeCase {
    int number;
    const char* text;
    std::optional<int> value;  // nothing: refused for the parameter's range
};

TEST(EntryValue, aNumberBoxTakesOnlyANumberWithinItsParametersRangeAndSaysWhichRange)
{
    const RangeCase cases[] = {
        {13, "-5", std::nullopt},     {13, "0", 0},         {13, "3600", 3600}, {13, "3601", std::nullopt},
        {12, "99999", std::nullopt},  {12, "9999", 9999},   {3, "10000", std::nullopt}, {3, "-1999", -1999},
        {6, "0.05", std::nullopt},    {6, "0.1", 1},        {6, "100.0", 1000}, {6, "100.1", std::nullopt},
        {37, "0", 0},                 {19, "101", std::nullopt},
    };
    for (const RangeCase& c : cases) {
        const ParameterCatalogue::Parameter& p = *ParameterCatalogue::find(c.number);
        const EntryValue v = entryValue(p, QString::fromUtf8(c.text));
        EXPECT_EQ(v.writable(), c.value.has_value()) << c.number << " = " << c.text;
        if (c.value)
            EXPECT_EQ(v.value, *c.value) << c.number << " = " << c.text;
        else
            EXPECT_EQ(v.problem, EntryProblem::OutsideParameterRange) << c.number << " = " << c.text;
    }
    EXPECT_EQ(problemText(*ParameterCatalogue::find(13), EntryProblem::OutsideParameterRange),
              QStringLiteral("数值须在 0 到 3600 之间"));
    EXPECT_EQ(problemText(*ParameterCatalogue::find(6), EntryProblem::OutsideParameterRange),
              QStringLiteral("数值须在 0.1 到 100.0 之间"));
}

struct NameCase {
    int number;
    int16_t raw;
    const char* shown;  // nullptr: the label keeps its text
    const char* entry;  // nullptr: the entry keeps its text
};

TEST(ReadBackText, valueAndEntryReadAlikeWithTenthsAlwaysShowingTheirDecimal)
{
    const NameCase cases[] = {
        {2, 2, "88.88", "2:XX.XX "},
        {2, 0, "8888", "0:XXXX "},
        {6, 1, "0.1", "0.1"},
        {6, 10, "1.0", "1.0"},
        {17, 1000, "100.0", "100.0"},
        {18, 0, "0.0", "0.0"},
        {33, -5, "-0.5", "-0.5"},
        {14, 30, "30", "30"},
        {15, 2, "2", "2"},
        {4, -1999, "-1999", "-1999"},
        {1, 0, "K(-200-1300)", "0:K(-200-1300)"},
        {1, 13, "0Ω400(0～400Ω) ", "13:0Ω400(0～400Ω) "},
        {9, 1, "继电器R", "1:继电器 "},
        {11, 1, "制冷-正作用", "1:制冷正作用 "},
        {24, 6, "制冷继电器输出", "6:制冷继电器输出"},
        {26, 1, "9600", "1:9600BPS "},
        {36, 1, "允许", "1:允许 "},
        {1, 23, nullptr, nullptr},
        {22, 6, nullptr, nullptr},
        {24, 7, nullptr, nullptr},
        {7, -1, nullptr, nullptr},
    };
    const auto expectText = [](const std::optional<QString>& got, const char* expected, const NameCase& c) {
        if (!expected) {
            EXPECT_FALSE(got.has_value()) << c.number << " = " << c.raw;
            return;
        }
        ASSERT_TRUE(got.has_value()) << c.number << " = " << c.raw;
        EXPECT_EQ(*got, QString::fromUtf8(expected)) << c.number << " = " << c.raw;
    };
    for (const NameCase& c : cases) {
        const ParameterCatalogue::Parameter& p = *ParameterCatalogue::find(c.number);
        expectText(readBackText(p, c.raw), c.shown, c);
        expectText(entryText(p, c.raw), c.entry, c);
    }
}

TEST(ReadBackText, theRegisterBehindThePollsValueIsWhatAWriteWouldSend)
{
    const std::tuple<int, float, int16_t> cases[] = {
        {6, 0.1f, 1}, {17, 100.0f, 1000}, {33, 1.5f, 15}, {18, -3276.8f, -32768}, {4, -1999.0f, -1999}, {26, 2.0f, 2},
    };
    for (const auto& [n, value, raw] : cases)
        EXPECT_EQ(registerValue(*ParameterCatalogue::find(n), value), raw) << n << " = " << value;
}

const QDateTime kStart(QDate(2026, 12, 8), QTime(9, 0, 0));

QDateTime at(int seconds)
{
    return kStart.addSecs(seconds);
}

WriteOutcome outcome(int value, bool ok, const QString& error = {})
{
    WriteOutcome o;
    o.request = WriteRequest::toRegister(4108, value, QStringLiteral("比例带"), nullptr);
    o.ok = ok;
    o.error = error;
    return o;
}

TEST(WriteTracker, aWriteOfThisWindowIsPendingUntilItsOutcomeArrives)
{
    WriteTracker t;
    EXPECT_EQ(t.state(12), WriteTracker::State::None);
    t.queued(12);
    EXPECT_EQ(t.state(12), WriteTracker::State::Pending);
    EXPECT_FALSE(t.settled(12));
    EXPECT_TRUE(t.finished(12, outcome(25, true), true, at(1)));
    EXPECT_EQ(t.state(12), WriteTracker::State::Written);
    EXPECT_FALSE(t.finished(12, outcome(25, true), true, at(1))) << "once only";
}

TEST(WriteTracker, aFailureStaysUntilALaterWriteOfTheSameParameterSucceedsWhoeverAskedForIt)
{
    WriteTracker t;
    t.queued(12);
    t.finished(12, outcome(25, false, QStringLiteral("Connection timed out")), true, at(1));
    EXPECT_EQ(t.state(12), WriteTracker::State::Failed);
    EXPECT_EQ(t.error(12), QStringLiteral("Connection timed out"));

    t.queued(17);  // another parameter's success changes nothing here
    t.finished(17, outcome(900, true), true, at(2));
    t.queued(12);  // still failed while the next write is on its way
    EXPECT_EQ(t.state(12), WriteTracker::State::Failed);
    t.read(12, 20, at(3));  // nor does a read
    EXPECT_EQ(t.state(12), WriteTracker::State::Failed);
    t.finished(12, outcome(30, true), false, at(4));  // a download's
    EXPECT_EQ(t.state(12), WriteTracker::State::Pending) << "this window's own is still on its way";
    t.finished(12, outcome(25, true), true, at(5));
    EXPECT_EQ(t.state(12), WriteTracker::State::Written);
    EXPECT_TRUE(t.error(12).isEmpty());
}

struct ReadCase {
    int readSince;  // seconds; -1 for a read of unknown start
    int16_t value;
    WriteTracker::State state;
    bool settled;
};

// Written 30 at 10 s by a download: the mark stands for 30 as long as the
// poll, reading after the write, finds 30.
TEST(WriteTracker, aWrittenValueStaysWrittenOnlyWhileReadsAfterItFindIt)
{
    const ReadCase cases[] = {
        {-1, 25, WriteTracker::State::Written, false},  // when it began is unknown
        {5, 25, WriteTracker::State::Written, false},   // began before the write
        {10, 25, WriteTracker::State::Written, false},  // with it
        {11, 30, WriteTracker::State::Written, true},
        {12, 28, WriteTracker::State::None, true},      // changed at the instrument since
    };
    WriteTracker t;
    EXPECT_TRUE(t.finished(12, outcome(30, true), false, at(10)));
    for (const ReadCase& c : cases) {
        t.read(12, c.value, c.readSince < 0 ? QDateTime() : at(c.readSince));
        EXPECT_EQ(t.state(12), c.state) << c.readSince << " s: " << c.value;
        EXPECT_EQ(t.settled(12), c.settled) << c.readSince << " s: " << c.value;
    }
    t.read(12, 30, at(13));
    EXPECT_EQ(t.state(12), WriteTracker::State::None) << "the mark belonged to that write";
}

} // namespace
