#include "HostileConfigFixture.h"
#include "HostileTexts.h"
#include "RegisterRange.h"

namespace {

using ParameterCatalogue::Parameter;

// Every value box and every editable choice list of the configuration
// window against texts no operator should type: nothing reaches the
// instrument that is not a number fitting a register, and a text that is
// no number is marked and explained and stays in the entry as typed.
class ConfigEntriesTest : public HostileConfigFixture {
protected:
    void tryEveryText(const Parameter& p, const std::string& fieldName)
    {
        for (const HostileText& hostile : hostileTexts()) {
            const auto calls = enterAndLeave(p.number, hostile.text);
            const std::string where = fieldName + " with \"" + hostile.name + "\"";
            // A written value is shown as the instrument took it (rounded, in
            // the row's form); anything not written stays as typed.
            if (calls.empty()) {
                EXPECT_EQ(editOf(p.number)->text(), hostile.text) << where << ": the entry lost what was typed";
            }
            EXPECT_EQ(registerValuesOutOfRange(calls), "") << where;
            // A text that reads as 0 writes 0 where the parameter's range
            // holds it, and is refused where not.
            if (hostile.zero) {
                EXPECT_EQ(calls.size(), p.admits(0) ? 1u : 0u) << where << ": a 0 written or refused wrongly";
            }
            if (hostile.number)
                continue;
            EXPECT_TRUE(calls.empty()) << where << ": " << ::testing::PrintToString(calls);
            EXPECT_TRUE(window->row(p.number)->refused()) << where << ": not marked";
            EXPECT_FALSE(window->row(p.number)->entry()->toolTip().isEmpty()) << where << ": no reason on the field";
            EXPECT_FALSE(status().isEmpty()) << where << ": no reason shown";
        }
    }
};

TEST_F(ConfigEntriesTest, valueBoxesRefuseWhatIsNoNumberAndNeverOverflow)
{
    for (const Parameter& p : ParameterCatalogue::parameters()) {
        if (!p.isChoice())
            tryEveryText(p, "value box of parameter " + std::to_string(p.number));
    }
}

TEST_F(ConfigEntriesTest, choiceListsRefuseWhatIsNoNumberAndNeverOverflow)
{
    for (const Parameter& p : ParameterCatalogue::parameters()) {
        if (p.isChoice())
            tryEveryText(p, "choice list of parameter " + std::to_string(p.number));
    }
}

} // namespace
