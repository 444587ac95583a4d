#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "mainwindow/AlarmPanel.h"
#include "mainwindow/ChartPanel.h"
#include "widgets/EntryFeedback.h"
#include "HostileStationFixture.h"
#include "HostileTexts.h"
#include "mainwindow/LinkSettingsBar.h"
#include "mainwindow/LivePanel.h"
#include "RegisterRange.h"
#include "widgets/InstrumentEntry.h"

namespace {

// Every entry of the main window against texts no operator should type:
// nothing reaches the instrument that is not a number fitting a register,
// and a text that is no number is marked and explained.
class MainWindowEntriesTest : public HostileStationFixture {
protected:
    // One field family member: the text goes in, `press` acts on it.
    template <typename Press>
    void tryEveryText(const std::string& fieldName, QLineEdit* field, Press press, bool writes = true)
    {
        ASSERT_NE(field, nullptr) << fieldName;
        for (const HostileText& hostile : hostileTexts()) {
            const auto calls = enter(field, hostile.text, press);
            const std::string where = fieldName + " with \"" + hostile.name + "\"";
            EXPECT_EQ(field->text(), hostile.text) << where << ": the entry lost what was typed";
            EXPECT_EQ(registerValuesOutOfRange(calls), "") << where;
            if (hostile.zero && writes) {
                EXPECT_EQ(calls.size(), 1u) << where << ": a 0 was not written";
            }
            if (hostile.number)
                continue;
            EXPECT_TRUE(calls.empty()) << where << ": " << ::testing::PrintToString(calls);
            EXPECT_TRUE(EntryFeedback::isMarked(field)) << where << ": not marked";
            EXPECT_FALSE(status().isEmpty()) << where << ": no reason shown";
        }
    }
};

TEST_F(MainWindowEntriesTest, setValueAndOutputEntriesRefuseWhatIsNoNumberAndNeverOverflow)
{
    LivePanel& panel = *window->panel();
    tryEveryText("set value entry", panel.setValueEntry(), [&] { panel.setValueButton()->click(); });
    tryEveryText("output entry", panel.outputEntry(), [&] { panel.outputButton()->click(); });
}

TEST_F(MainWindowEntriesTest, yRangeEntriesRefuseWhatIsNoNumber)
{
    ChartPanel& chart = *window->chartPanel();
    chart.yMinimumEntry()->setText(QStringLiteral("0"));
    tryEveryText("Y maximum entry", chart.yMaximumEntry(), [&] { chart.applyRangeButton()->click(); }, false);
    chart.yMaximumEntry()->setText(QStringLiteral("60"));
    tryEveryText("Y minimum entry", chart.yMinimumEntry(), [&] { chart.applyRangeButton()->click(); }, false);
}

TEST_F(MainWindowEntriesTest, alarmEntriesRefuseWhatIsNoNumberAndNeverOverflow)
{
    AlarmPanel& alarms = *window->alarmPanel();
    for (int i = 0; i < 9; ++i)
        tryEveryText("alarm entry " + std::to_string(i), alarms.entry(i), [&] { alarms.downloadButton(i)->click(); });
}

// The link opens all the same with the number a list text gives (as the
// operator has always known it to); a text that is no number is marked,
// explained, and nothing is written to the instrument.
TEST_F(MainWindowEntriesTest, portAndAddressListTextsAreMarkedAndWriteNothing)
{
    LinkSettingsBar& bar = *window->settings();
    for (QComboBox* list : {bar.portList(), bar.addressList()}) {
        const std::string name = list == bar.portList() ? "port list" : "address list";
        for (const HostileText& hostile : hostileTexts()) {
            const auto calls = enter(list->lineEdit(), hostile.text, [&] { bar.openButton()->click(); });
            const QString shown = status();
            bar.closeButton()->click();
            const std::string where = name + " with \"" + hostile.name + "\"";
            EXPECT_EQ(registerValuesOutOfRange(calls), "") << where;
            EXPECT_TRUE(calls.empty()) << where << ": " << ::testing::PrintToString(calls);
            if (hostile.number)
                continue;
            EXPECT_FALSE(list->toolTip().isEmpty()) << where << ": not marked";
            EXPECT_FALSE(shown.isEmpty()) << where << ": no reason shown";
        }
        list->lineEdit()->selectAll();
        list->lineEdit()->insert(QStringLiteral("1 "));
    }
}

} // namespace
