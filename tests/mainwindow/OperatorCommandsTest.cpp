#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>

#include "mainwindow/AlarmPanel.h"
#include "mainwindow/ChartPanel.h"
#include "widgets/EntryFeedback.h"
#include "mainwindow/LinkSettingsBar.h"
#include "mainwindow/LivePanel.h"
#include "support/StationFixture.h"
#include "trendview/TrendChartView.h"
#include "support/WrittenCalls.h"
#include "support/StateFeed.h"
#include "widgets/InstrumentEntry.h"

namespace {

using Call = FakeFieldbus::Call;

// The operator's commands and the alarm set points in the main window, on
// a fake fieldbus: what reaches the instrument, and what the operator sees
// when nothing does.
class OperatorCommandsTest : public StationFixture {
protected:
    void SetUp() override
    {
        StationFixture::SetUp();
        startWindow();
        openLinkWithoutPolls();
    }

    LivePanel& panel() { return *window->panel(); }
    ChartPanel& chart() { return *window->chartPanel(); }

    // The writes one press of `button` makes, `text` typed over `entry` first.
    std::vector<Call> press(QPushButton* button, QLineEdit* entry = nullptr, const QString& text = QString())
    {
        return writtenCalls(bus, link, [&] {
            if (entry) {
                entry->selectAll();
                QTest::keyClicks(entry, text);
            }
            button->click();
        });
    }
    std::vector<Call> setSv(const QString& text)
    {
        return press(panel().setValueButton(), panel().setValueEntry(), text);
    }
    std::vector<Call> changeY(const QString& maximum, const QString& minimum)
    {
        chart().yMaximumEntry()->setText(maximum);
        return press(chart().applyRangeButton(), chart().yMinimumEntry(), minimum);
    }

    QString status() const { return window->statusBar()->currentMessage(); }
};

Call setRegister(int reg, int value)
{
    return {"writeRegister", {reg, value}};
}

std::vector<Call> switchCoil(int number, bool on)
{
    return {{"writeCoil", {number, on ? 1 : 0}}};
}

struct RegisterCase {
    int index;  // 0 SV, 1 manual OP
    const char* text;
    std::optional<int> written;  // into register index + 1
};

TEST_F(OperatorCommandsTest, setSvAndSetOpWriteWhatWasTypedWithinTheLimits)
{
    const RegisterCase cases[] = {
        {0, "9999", 9999}, {0, "10000", {}}, {0, "-2000", {}}, {0, "-1999", -1999},
        {0, "25.5", 26},   {0, "24.5", 24},  {0, "250", 250},
        {1, "50", 500},    {1, "12.5", 125}, {1, "1000", 10000}, {1, "-10", -100},
        {1, "3276.8", {}},  // ten times it would not fit the register
    };
    for (const RegisterCase& c : cases) {
        QPushButton* button = c.index == 0 ? panel().setValueButton() : panel().outputButton();
        QLineEdit* entry = c.index == 0 ? panel().setValueEntry() : panel().outputEntry();
        const auto calls = press(button, entry, QString::fromUtf8(c.text));
        if (c.written) {
            EXPECT_EQ(calls, std::vector<Call>{setRegister(c.index + 1, *c.written)}) << c.index << " " << c.text;
        } else {
            EXPECT_TRUE(calls.empty()) << c.index << " " << c.text;
        }
    }
}

TEST_F(OperatorCommandsTest, captionsAndInitialTexts)
{
    EXPECT_EQ(panel().setValueButton()->text(), QStringLiteral("设定SV"));
    EXPECT_EQ(panel().outputButton()->text(), QStringLiteral("设定OP"));
    EXPECT_EQ(panel().setValueEntry()->text(), QString());  // nothing read yet
    EXPECT_EQ(panel().outputEntry()->text(), QString());
    EXPECT_EQ(panel().selfTuningButton()->text(), QStringLiteral("自整定"));
    EXPECT_EQ(panel().manualAutoButton()->text(), QStringLiteral("手动/自动"));
    EXPECT_EQ(panel().manualInhibitButton()->text(), QStringLiteral("手动禁止"));
    EXPECT_EQ(chart().applyRangeButton()->text(), QStringLiteral("修改Y"));
    EXPECT_EQ(chart().yMaximumEntry()->text(), QStringLiteral("60"));
    EXPECT_EQ(chart().yMinimumEntry()->text(), QStringLiteral("0"));
}

TEST_F(OperatorCommandsTest, textWithoutANumberWritesNothingMarksTheFieldAndSaysWhy)
{
    EXPECT_TRUE(setSv(QStringLiteral("abc")).empty());
    EXPECT_TRUE(EntryFeedback::isMarked(panel().setValueEntry()));
    EXPECT_EQ(status(), QStringLiteral("“设定SV”未执行：输入的不是数字"));
    EXPECT_EQ(panel().setValueEntry()->text(), QStringLiteral("abc"));  // kept for correcting

    // Correcting the entry takes the mark away; a good value goes out.
    panel().setValueEntry()->selectAll();
    QTest::keyClicks(panel().setValueEntry(), QStringLiteral("250"));
    EXPECT_FALSE(EntryFeedback::isMarked(panel().setValueEntry()));
    EXPECT_EQ(press(panel().setValueButton()), std::vector<Call>{setRegister(1, 250)});
}

TEST_F(OperatorCommandsTest, aRefusedEntryTakesTheFocusReadyToBeTypedOver)
{
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    EXPECT_TRUE(press(panel().setValueButton(), panel().setValueEntry(), QStringLiteral("12345")).empty());
    EXPECT_TRUE(panel().setValueEntry()->hasFocus());
    EXPECT_EQ(panel().setValueEntry()->selectedText(), QStringLiteral("12345"));
    QTest::keyClicks(panel().setValueEntry(), QStringLiteral("1234"));
    EXPECT_EQ(panel().setValueEntry()->text(), QStringLiteral("1234"));
    EXPECT_FALSE(EntryFeedback::isMarked(panel().setValueEntry()));
}

TEST_F(OperatorCommandsTest, anEntryOutOfRangeIsMarkedWithItsLimits)
{
    EXPECT_TRUE(press(panel().outputButton(), panel().outputEntry(), QStringLiteral("10000")).empty());
    EXPECT_TRUE(EntryFeedback::isMarked(panel().outputEntry()));
    EXPECT_FALSE(EntryFeedback::isMarked(panel().setValueEntry()));
    EXPECT_EQ(status(), QStringLiteral("“设定OP”未执行：数值须在 -1999 到 9999 之间"));

    // A value that goes out takes the mark away, however it was entered.
    EXPECT_EQ(press(panel().outputButton(), panel().outputEntry(), QStringLiteral("50")),
              std::vector<Call>{setRegister(2, 500)});
    EXPECT_FALSE(EntryFeedback::isMarked(panel().outputEntry()));
}

TEST_F(OperatorCommandsTest, enterInTheEntrySendsLikeTheButton)
{
    const auto calls = writtenCalls(bus, link, [&] {
        QTest::keyClicks(panel().setValueEntry(), QStringLiteral("180"));
        QTest::keyClick(panel().setValueEntry(), Qt::Key_Return);
    });
    EXPECT_EQ(calls, std::vector<Call>{setRegister(1, 180)});
}

TEST_F(OperatorCommandsTest, theFailureValueIsAnsweredByOneRepeatAndNoMessage)
{
    bus.scriptWriteResults({false});
    EXPECT_EQ(setSv(QStringLiteral("250")), (std::vector<Call>{setRegister(1, 250), setRegister(1, 250)}));
    EXPECT_FALSE(status().contains(QStringLiteral("失败")));
}

TEST_F(OperatorCommandsTest, aWriteThatFailsTwiceIsNamedInTheStatusBar)
{
    bus.scriptWriteResults({false, false});
    EXPECT_EQ(setSv(QStringLiteral("250")), (std::vector<Call>{setRegister(1, 250), setRegister(1, 250)}));
    EXPECT_TRUE(status().startsWith(QStringLiteral("“设定SV” 250 写入失败（已重试一次）："))) << status().toStdString();
}

TEST_F(OperatorCommandsTest, aSuccessReplacesWhatTheStatusBarSaidAboutItsCommandAndNothingElse)
{
    EXPECT_TRUE(setSv(QStringLiteral("abc")).empty());
    EXPECT_EQ(setSv(QStringLiteral("250")).size(), 1u);
    EXPECT_EQ(status(), QStringLiteral("“设定SV” 250 已写入"));

    bus.scriptWriteResults({false, false});
    setSv(QStringLiteral("250"));
    EXPECT_TRUE(status().contains(QStringLiteral("写入失败")));
    setSv(QStringLiteral("251"));
    EXPECT_EQ(status(), QStringLiteral("“设定SV” 251 已写入"));

    StateFeed::setCoil(state, 2, true);
    bus.failCalls("writeCoil");
    press(panel().manualAutoButton());
    bus.failCalls("writeCoil", false);
    press(panel().manualAutoButton());
    EXPECT_EQ(status(), QStringLiteral("“手动/自动” 已切换"));

    changeY(QStringLiteral("100"), QStringLiteral("101"));
    changeY(QStringLiteral("100"), QStringLiteral("0"));
    EXPECT_EQ(status(), QString());

    // A success of another command leaves the refusal alone, and one with
    // nothing to answer says nothing.
    setSv(QStringLiteral("abc"));
    EXPECT_EQ(press(panel().outputButton(), panel().outputEntry(), QStringLiteral("50")).size(), 1u);
    EXPECT_EQ(status(), QStringLiteral("“设定SV”未执行：输入的不是数字"));
    window->statusBar()->clearMessage();
    setSv(QStringLiteral("252"));
    EXPECT_EQ(status(), QString());
}

TEST_F(OperatorCommandsTest, aWriteFailingAfterTheLinkClosedNamesThePortTheOperatorChose)
{
    bus.setFailure({LinkFailure::Kind::NotOpen, 0}, "port 0 is not open");
    bus.scriptWriteResults({false, false});
    writtenCalls(bus, link, [&] {
        QTest::keyClicks(panel().setValueEntry(), QStringLiteral("250"));
        panel().setValueButton()->click();
        window->settings()->closeButton()->click();
        window->settings()->portList()->setEditText(QStringLiteral("5 "));
    });
    EXPECT_EQ(status(), QStringLiteral("“设定SV” 250 写入失败（已重试一次）：端口 5 未打开"));
    EXPECT_EQ(window->statusBar()->toolTip(), QStringLiteral("port 5 is not open"));
}

struct CoilCase {
    QPushButton* (LivePanel::*button)() const;
    int coil;
};

TEST_F(OperatorCommandsTest, eachSwitchTurnsItsCoilTheOtherWayFromItsPolledState)
{
    const CoilCase cases[] = {
        {&LivePanel::selfTuningButton, 1}, {&LivePanel::manualAutoButton, 2}, {&LivePanel::manualInhibitButton, 3}};
    for (const CoilCase& c : cases) {
        StateFeed::setCoil(state, c.coil, true);
        EXPECT_EQ(press((panel().*c.button)()), switchCoil(c.coil, false));
        // Until the poll brings the new state a second click repeats it.
        EXPECT_EQ(press((panel().*c.button)()), switchCoil(c.coil, false));
        StateFeed::setCoil(state, c.coil, false);
        EXPECT_EQ(press((panel().*c.button)()), switchCoil(c.coil, true));
    }
}

TEST_F(OperatorCommandsTest, writesCarryWhatThePanelShowedAndWhatTheOperatorChoseForTheJournal)
{
    std::vector<WriteRequest> requests;
    QObject::connect(&link, &InstrumentLink::writeFinished, window.get(),
                     [&](const WriteOutcome& outcome) {
        if (outcome.request.what != QStringLiteral("marker"))
            requests.push_back(outcome.request);
    });
    setSv(QStringLiteral("250"));  // nothing read yet: nothing was shown
    StateFeed::setCommand(state, RegisterMap::kManualOutput, 12.5);
    press(panel().outputButton(), panel().outputEntry(), QStringLiteral("40.0"));
    StateFeed::setCoil(state, RegisterMap::kAutomatic, true);
    press(panel().manualAutoButton());

    ASSERT_EQ(requests.size(), 3U);
    EXPECT_EQ(requests[0].shownBefore, QString());
    EXPECT_EQ(requests[0].shownValue, QStringLiteral("250"));
    EXPECT_EQ(requests[1].shownBefore, QStringLiteral("12.5"));
    EXPECT_EQ(requests[1].shownValue, QStringLiteral("40.0"));
    EXPECT_EQ(requests[2].shownBefore, QStringLiteral("自动"));
    EXPECT_EQ(requests[2].shownValue, QStringLiteral("手动"));
    for (const WriteRequest& r : requests)
        EXPECT_EQ(r.origin, WriteOrigin::kMainWindow);
}

TEST_F(OperatorCommandsTest, aSwitchTheInstrumentRefusesIsNamedInTheStatusBar)
{
    StateFeed::setCoil(state, 2, true);
    bus.failCalls("writeCoil");
    EXPECT_EQ(press(panel().manualAutoButton()).size(), 1u);  // a coil command is never repeated
    EXPECT_TRUE(status().startsWith(QStringLiteral("“手动/自动” 切换失败："))) << status().toStdString();
}

struct YCase {
    const char* maximum;
    const char* minimum;
    bool accepted;
    int16_t rangeMinimum;  // the range afterwards
    int16_t rangeSpan;
};

TEST_F(OperatorCommandsTest, changeYSetsTheRangeOrLeavesItAsItWas)
{
    const YCase cases[] = {
        {"100", "0", true, 0, 100},      {"100", "100", true, 100, 0},
        {"101", "101", true, 101, 0},    {"100", "101", false, 101, 0},
        {"36001", "0", false, 101, 0},   {"36000", "-12000", false, 101, 0},
        {"1000", "-200", true, -200, 1200},
    };
    for (const YCase& c : cases) {
        EXPECT_TRUE(changeY(QString::fromUtf8(c.maximum), QString::fromUtf8(c.minimum)).empty());
        EXPECT_EQ(window->yRange().minimum, c.rangeMinimum) << c.maximum << "/" << c.minimum;
        EXPECT_EQ(window->yRange().span, c.rangeSpan) << c.maximum << "/" << c.minimum;
        const bool marked =
            EntryFeedback::isMarked(chart().yMaximumEntry()) || EntryFeedback::isMarked(chart().yMinimumEntry());
        EXPECT_EQ(marked, !c.accepted) << c.maximum << "/" << c.minimum;
    }
    // The scale beside the chart follows at once, ruler or not.
    EXPECT_EQ(window->chart()->scaleLabel(0)->text(), QStringLiteral("-200"));
    EXPECT_EQ(window->chart()->scaleLabel(6)->text(), QStringLiteral("1000"));
}

TEST_F(OperatorCommandsTest, aRefusedRangeMarksTheFieldToCorrectAndSaysWhy)
{
    changeY(QStringLiteral("100"), QStringLiteral("101"));
    EXPECT_FALSE(EntryFeedback::isMarked(chart().yMaximumEntry()));
    EXPECT_TRUE(EntryFeedback::isMarked(chart().yMinimumEntry()));
    EXPECT_EQ(status(), QStringLiteral("“修改Y”未执行：最小值不能大于最大值"));

    changeY(QStringLiteral("36000"), QStringLiteral("-12000"));
    EXPECT_TRUE(EntryFeedback::isMarked(chart().yMaximumEntry()));
    EXPECT_TRUE(EntryFeedback::isMarked(chart().yMinimumEntry()));
    EXPECT_EQ(status(), QStringLiteral("“修改Y”未执行：最大值与最小值之差不能超过 32767"));
    EXPECT_EQ(window->yRange().span, 60);
    EXPECT_EQ(window->yRange().minimum, 0);

    changeY(QStringLiteral("300"), QStringLiteral("-12000"));
    EXPECT_FALSE(EntryFeedback::isMarked(chart().yMaximumEntry()));
    EXPECT_FALSE(EntryFeedback::isMarked(chart().yMinimumEntry()));
    EXPECT_EQ(window->yRange().span, 12300);
}

TEST_F(OperatorCommandsTest, parameterCalibrationHasNoFunctionSoItStaysDisabledAndSaysWhy)
{
    EXPECT_FALSE(window->calibrationButton()->isEnabled());  // the link is open
    EXPECT_EQ(window->calibrationButton()->toolTip(), QStringLiteral("本工作站没有参数校准功能"));
    EXPECT_TRUE(press(window->calibrationButton()).empty());
}

TEST_F(OperatorCommandsTest, anAlarmRowWritesItsRegisterOrSaysWhyNot)
{
    AlarmPanel& alarms = *window->alarmPanel();
    EXPECT_EQ(press(alarms.downloadButton(3), alarms.entry(3), QStringLiteral("12.5")),
              std::vector<Call>{setRegister(260, 12)});
    EXPECT_TRUE(press(alarms.downloadButton(4), alarms.entry(4), QStringLiteral("abc")).empty());
    EXPECT_TRUE(EntryFeedback::isMarked(alarms.entry(4)));
    EXPECT_EQ(status(), QStringLiteral("“报警2动作回差”未执行：输入的不是数字"));
}

TEST_F(OperatorCommandsTest, alarmDisplaysShowThePolledRegistersNotTheEntries)
{
    AlarmPanel& alarms = *window->alarmPanel();
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(alarms.valueField(i), window->alarmValueField(i)) << i;
    StateFeed::setAlarmRegister(state, 3, 77);
    QTest::keyClicks(alarms.entry(3), QStringLiteral("12.5"));
    window->refreshLiveValues();
    EXPECT_EQ(window->alarmValueField(3)->text(), QStringLiteral("77"));
}

} // namespace
