#include <QString>

#include <gtest/gtest.h>

#include "core/EntryCheck.h"

namespace {

using Reason = EntryCheck::Refusal::Reason;

struct PanelCase {
    const char* text;
    int scale;
    std::optional<int32_t> value;
    Reason reason;  // when refused
};

TEST(EntryCheck, panelValuesAreCheckedAsEnteredThenScaledAndRoundedHalfToEven)
{
    // The panels' own tests hold the cases the operator meets; these are the edges.
    const PanelCase cases[] = {
        {"9999", 1, 9999, {}},                   {"9999.01", 1, {}, Reason::OutOfRange},
        {"-1999", 1, -1999, {}},                 {"-1999.01", 1, {}, Reason::OutOfRange},
        {"-2.5", 1, -2, {}},                     {" 2 5 0 ", 1, 250, {}},
        {"3276.7", 10, 32767, {}},               {"3276.8", 10, {}, Reason::DoesNotFitRegister},
        {"-1999", 10, -19990, {}},               {"9999", 10, {}, Reason::DoesNotFitRegister},
        {"", 1, {}, Reason::NotANumber},         {"+", 10, {}, Reason::NotANumber},
        {"1e999", 1, {}, Reason::OutOfRange},
    };
    for (const PanelCase& c : cases) {
        const EntryCheck::RegisterValue checked = EntryCheck::panelRegisterValue(QString::fromUtf8(c.text), c.scale);
        EXPECT_EQ(checked.value, c.value) << c.text << " x" << c.scale;
        if (!c.value) {
            EXPECT_EQ(checked.refusal.reason, c.reason) << c.text << " x" << c.scale;
        }
    }
}

TEST(EntryCheck, refusalsNameTheLimitsTheEntryBroke)
{
    EXPECT_EQ(EntryCheck::panelRegisterValue(u"10000").refusal, (EntryCheck::Refusal{Reason::OutOfRange, -1999, 9999}));
    const auto tooBig = EntryCheck::panelRegisterValue(u"5000", 10).refusal;
    EXPECT_EQ(tooBig.reason, Reason::DoesNotFitRegister);
    EXPECT_DOUBLE_EQ(tooBig.low, -3276.8);
    EXPECT_DOUBLE_EQ(tooBig.high, 3276.7);
}

TEST(EntryCheck, numberWithinTakesItsOwnLimitsInclusive)
{
    EXPECT_EQ(EntryCheck::numberWithin(u"36000", -12000, 36000).value, 36000.0);
    EXPECT_EQ(EntryCheck::numberWithin(u"36001", -12000, 36000).refusal,
              (EntryCheck::Refusal{Reason::OutOfRange, -12000, 36000}));
    EXPECT_EQ(EntryCheck::numberWithin(u"x1", -12000, 36000).refusal.reason, Reason::NotANumber);
}

} // namespace
