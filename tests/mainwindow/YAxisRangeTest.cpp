#include <QString>

#include <gtest/gtest.h>

#include "mainwindow/YAxisRange.h"

namespace {

using Reason = EntryCheck::Refusal::Reason;
using Range = YAxisRange::Range;

struct AcceptedCase {
    const char* maximum;
    const char* minimum;
    Range range;
};

TEST(YAxisRange, acceptedRangesGiveTheMinimumAndTheSpanRounded)
{
    const AcceptedCase cases[] = {
        {"100", "0", {0, 100}},          {"100", "100", {100, 0}},
        {"60", "-200", {-200, 260}},     {"36000", "3233", {3233, 32767}},
        {"20767", "-12000", {-12000, 32767}}, {"-12000", "-12000", {-12000, 0}},
        {"100.5", "0.5", {0, 100}},      {"101.5", "1.5", {2, 100}},
    };
    for (const AcceptedCase& c : cases) {
        const YAxisRange::Checked checked = YAxisRange::check(QString::fromUtf8(c.maximum), QString::fromUtf8(c.minimum));
        ASSERT_TRUE(checked.range) << c.maximum << "/" << c.minimum;
        EXPECT_EQ(*checked.range, c.range) << c.maximum << "/" << c.minimum;
    }
}

struct RefusedCase {
    const char* maximum;
    const char* minimum;
    Reason reason;
    bool maximumRefused;
    bool minimumRefused;
};

TEST(YAxisRange, refusedRangesSayWhyAndWhichFieldIsWrong)
{
    const RefusedCase cases[] = {
        {"100", "101", Reason::MinimumAboveMaximum, false, true},
        {"36001", "0", Reason::OutOfRange, true, false},
        {"-12001", "-12001", Reason::OutOfRange, true, false},
        {"36000", "35001", Reason::OutOfRange, false, true},
        {"100", "-12001", Reason::OutOfRange, false, true},
        {"abc", "0", Reason::NotANumber, true, false},
        {"100", "", Reason::NotANumber, false, true},
        // Within both fields' limits but wider than a 16-bit span.
        {"36000", "-12000", Reason::SpanTooWide, true, true},
        {"20768", "-12000", Reason::SpanTooWide, true, true},
        {"36000", "3232", Reason::SpanTooWide, true, true},
        // Within the minimum's limit but beyond the 16 bits that keep it,
        // even for a flat range.
        {"33000", "33000", Reason::DoesNotFitRegister, false, true},
    };
    for (const RefusedCase& c : cases) {
        const YAxisRange::Checked checked = YAxisRange::check(QString::fromUtf8(c.maximum), QString::fromUtf8(c.minimum));
        EXPECT_FALSE(checked.range) << c.maximum << "/" << c.minimum;
        EXPECT_EQ(checked.refusal.reason, c.reason) << c.maximum << "/" << c.minimum;
        EXPECT_EQ(checked.maximumRefused, c.maximumRefused) << c.maximum << "/" << c.minimum;
        EXPECT_EQ(checked.minimumRefused, c.minimumRefused) << c.maximum << "/" << c.minimum;
    }
}

TEST(YAxisRange, aSpanTooWideNamesTheWidestThatFits)
{
    const auto checked = YAxisRange::check(u"36000", u"-12000");
    EXPECT_EQ(checked.refusal.high, 32767);
}

} // namespace
