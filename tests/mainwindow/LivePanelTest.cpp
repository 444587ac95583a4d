#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>

#include "mainwindow/ChartPanel.h"
#include "mainwindow/HeaderBar.h"
#include "mainwindow/LivePanel.h"
#include "mainwindow/ValueGrid.h"
#include "widgets/PanelGroup.h"
#include "widgets/PanelStates.h"
#include "support/StationFixture.h"
#include "trendview/TrendChartView.h"
#include "support/StateFeed.h"

namespace {

using namespace PanelColours;

class LivePanelTest : public StationFixture {
protected:
    void SetUp() override
    {
        StationFixture::SetUp();
        seed(1, 300, 300);
        startWindow();
    }

    LivePanel& panel() { return *window->panel(); }

    QStringList scale()
    {
        QStringList texts;
        for (int k = 0; k < 7; ++k)
            texts << window->chart()->scaleLabel(k)->text();
        return texts;
    }

    // As the operator sets it: the two range entries, then "修改Y".
    void setYRange(int minimum, int maximum)
    {
        ChartPanel& chart = *window->chartPanel();
        chart.yMinimumEntry()->setText(QString::number(minimum));
        chart.yMaximumEntry()->setText(QString::number(maximum));
        chart.applyRangeButton()->click();
        ASSERT_EQ(window->yRange().minimum, minimum);
    }
};

struct FieldCase {
    bool coil;  // an operating state from a coil, else a current alarm from a discrete input
    int index;
    const char* set;
    QColor setColour;
    const char* clear;
    QColor clearColour;
};

TEST_F(LivePanelTest, everyStateFieldShowsItsTextAndColourForOneAndZero)
{
    const FieldCase cases[] = {
        {false, 0, "ALM1报警", kPink, "ALM1 OFF", kCyan},      {false, 1, "ALM2报警", kPink, "ALM2 OFF", kCyan},
        {false, 2, "ALM3报警", kPink, "ALM3 OFF", kCyan},      {false, 4, "输入开路", kPink, "NO BREAK", kCyan},
        {false, 5, "输入短路", kPink, "NO SHORT ", kCyan},     {true, 0, "自整定开", kLightRed, "自整定关", kLightYellow},
        {true, 1, "自动", kLightRed, "手动", kLightYellow},    {true, 2, "手动允许", kLightRed, "手动禁止", kLightYellow},
    };
    for (const int bit : {1, 0}) {
        for (const FieldCase& c : cases)
            c.coil ? StateFeed::setCoil(state, c.index + 1, bit != 0)
                   : StateFeed::setDiscreteInput(state, c.index + 1, bit != 0);
        window->refreshLiveValues();
        for (const FieldCase& c : cases) {
            PanelField* field = c.coil ? panel().coilStateField(c.index) : panel().alarmStateField(c.index);
            ASSERT_NE(field, nullptr);
            EXPECT_EQ(field->text(), QString::fromUtf8(bit ? c.set : c.clear)) << c.index << " bit " << bit;
            EXPECT_EQ(field->background(), bit ? c.setColour : c.clearColour) << c.index << " bit " << bit;
        }
    }
}

TEST_F(LivePanelTest, fieldsStartEmptyInTheirOwnColours)
{
    window.reset();  // one main window at a time: they share the connection name
    window = std::make_unique<MainWindow>(core);
    EXPECT_TRUE(panel().liveValueField(0)->text().isEmpty());
    EXPECT_EQ(panel().liveValueField(0)->background(), kPink);
    EXPECT_EQ(panel().writtenValueField(1)->background(), kPink);
    EXPECT_EQ(panel().coilStateField(0)->background(), kLightYellow);
    EXPECT_EQ(panel().coilStateField(1)->background(), kPink);
    EXPECT_EQ(panel().alarmStateField(5)->background(), kCyan);
    EXPECT_EQ(window->parameters()->field(33)->background(), kCyan);
    EXPECT_EQ(window->alarmValueField(8)->background(), kCyan);
    EXPECT_EQ(panel().liveValueField(3), nullptr);
    EXPECT_EQ(panel().liveValueField(4), nullptr);
    EXPECT_EQ(panel().alarmStateField(3), nullptr);
    EXPECT_EQ(panel().writtenValueField(2), nullptr);
}

TEST_F(LivePanelTest, valuesShowAsTheInstrumentStateHoldsThem)
{
    StateFeed::setMeasurement(state, 1, -200.0f);
    StateFeed::setMeasurement(state, 2, 52.3f);   // raw 523 in tenths
    StateFeed::setMeasurement(state, 3, 1234.0f); // shown as is, whatever the decimal point parameter
    StateFeed::setParameter(state, 2, 1.0f);
    StateFeed::setCommand(state, 1, 523.0f);
    StateFeed::setCommand(state, 2, 50.5f);
    window->refreshLiveValues();
    EXPECT_EQ(panel().liveValueField(0)->text(), QStringLiteral("-200"));
    EXPECT_EQ(panel().liveValueField(1)->text(), QStringLiteral("52.3"));
    EXPECT_EQ(panel().liveValueField(2)->text(), QStringLiteral("1234"));
    EXPECT_EQ(panel().writtenValueField(0)->text(), QStringLiteral("523"));
    EXPECT_EQ(panel().writtenValueField(1)->text(), QStringLiteral("50.5"));
}

TEST_F(LivePanelTest, alarmTypeSixLeavesTheCaptionAndZeroShowsTwoBlanks)
{
    StateFeed::setMeasurement(state, 6, 1.0f);
    StateFeed::setMeasurement(state, 7, 5.0f);
    StateFeed::setMeasurement(state, 8, 0.0f);
    window->refreshLiveValues();
    EXPECT_EQ(panel().liveValueField(5)->text(), QStringLiteral("上限报警"));
    EXPECT_EQ(panel().liveValueField(6)->text(), QStringLiteral("偏差带报警"));
    EXPECT_EQ(panel().liveValueField(7)->text(), QStringLiteral("  "));

    StateFeed::setMeasurement(state, 6, 6.0f);
    StateFeed::setMeasurement(state, 7, -1);  // no code of the list either
    window->refreshLiveValues();
    EXPECT_EQ(panel().liveValueField(5)->text(), QStringLiteral("上限报警"));
    EXPECT_EQ(panel().liveValueField(6)->text(), QStringLiteral("偏差带报警"));
}

TEST_F(LivePanelTest, parametersAndAlarmRegistersFollowTheImage)
{
    for (int i = 1; i <= 37; ++i)
        StateFeed::setParameter(state, i, static_cast<float>(i * 10));
    StateFeed::setParameter(state, 6, 0.5f);  // a tenths parameter
    StateFeed::setAlarmRegister(state, 0, 9999);
    StateFeed::setAlarmRegister(state, 8, -1999);
    StateFeed::setAlarmRegister(state, 9, 4242);    // read, not shown
    window->refreshLiveValues();
    EXPECT_EQ(window->parameters()->field(0)->text(), QStringLiteral("10"));
    EXPECT_EQ(window->parameters()->field(5)->text(), QStringLiteral("0.5"));
    EXPECT_EQ(window->parameters()->field(33)->text(), QStringLiteral("340"));
    EXPECT_EQ(window->parameters()->field(34), nullptr);
    EXPECT_EQ(window->alarmValueField(0)->text(), QStringLiteral("9999"));
    EXPECT_EQ(window->alarmValueField(8)->text(), QStringLiteral("-1999"));
    EXPECT_EQ(window->alarmValueField(9), nullptr);
}

TEST_F(LivePanelTest, yAxisScaleFollowsSpanAndMinimum)
{
    struct Case {
        int16_t span;
        int16_t min;
        QStringList labels;
    };
    const Case cases[] = {
        {60, 0, {"0", "10", "20", "30", "40", "50", "60"}},
        {100, 0, {"0", "17", "33", "50", "67", "83", "100"}},
        {3, 0, {"0", "0", "1", "2", "2", "2", "3"}},
        {1000, -200, {"-200", "-33", "133", "300", "467", "633", "800"}},
    };
    for (const Case& c : cases) {
        setYRange(c.min, c.min + c.span);
        window->refreshLiveValues();
        EXPECT_EQ(scale(), c.labels) << c.span;
    }
}

TEST_F(LivePanelTest, tickWithoutANewSampleLeavesTheBuffersAsTheyWere)
{
    const TrendBuffers before = window->trendBuffers();
    window->refreshLiveValues();
    const TrendBuffers& after = window->trendBuffers();
    EXPECT_EQ(after.trendValues, before.trendValues);
    EXPECT_EQ(after.trendDates, before.trendDates);
    EXPECT_EQ(after.trendTimes, before.trendTimes);
    EXPECT_EQ(after.markEnd, 241);
    EXPECT_EQ(after.curveEnd, 241);

    tickWithSample();
    EXPECT_EQ(window->trendBuffers().curveEnd, 242);
}

TEST_F(LivePanelTest, aTakenSampleGoesIntoTheNextSlotWithItsOwnSecond)
{
    for (int ch = 0; ch < 8; ++ch)
        StateFeed::setMeasurement(state, ch + 1, 500 + ch);
    tickWithSample();
    const TrendBuffers& b = window->trendBuffers();
    EXPECT_EQ(b.curveEnd, 242);
    EXPECT_EQ(b.markEnd, 242);
    for (size_t ch = 0; ch < 8; ++ch)
        EXPECT_EQ(b.trendValues[242][ch], 500.0f + ch) << ch;
    EXPECT_EQ(b.trendValues[242][8], 0.0f);
    EXPECT_EQ(b.trendDates[242], DateValue::fromDate(QDate(2001, 3, 12)));
    EXPECT_EQ(b.trendTimes[242], DateValue::fromTime(QTime(14, 5, 7)));
}

TEST_F(LivePanelTest, atZoomLevelOneTheSampleAfterSlot260ReloadsTheNewestRecords)
{
    StateFeed::setMeasurement(state, 1, 7777.0f);
    for (int n = 1; n <= 19; ++n)
        tickWithSample();
    EXPECT_EQ(window->trendBuffers().curveEnd, 260);
    EXPECT_EQ(idAt(260), 7777);

    // The recorder stored one more record meanwhile.
    ASSERT_TRUE(HistoryFiles::insertRows(
        path, HistoryFiles::sequence(301, 301, DateValue::fromDateTime(kRecordStart.addSecs(300))), 301));
    tickWithSample();
    const TrendBuffers& b = window->trendBuffers();
    EXPECT_EQ(window->playback().window.latestId, 301);
    EXPECT_EQ(idAt(1), 61);
    EXPECT_EQ(idAt(240), 300);
    EXPECT_EQ(idAt(241), 301);
    // This rig's sample never reached the file: it follows the newest record.
    EXPECT_EQ(b.curveEnd, 242);
    EXPECT_EQ(idAt(242), 7777);
}

TEST_F(LivePanelTest, nothingShowsBeforeTheFirstAnswerAndSilenceGreysTheLastValues)
{
    using namespace RegisterMap;
    window->refreshLiveValues();
    for (PanelField* field : {panel().liveValueField(0), panel().liveValueField(1), panel().writtenValueField(0),
                              panel().alarmStateField(0), panel().coilStateField(0), window->parameters()->field(0),
                              window->alarmValueField(0)})
        EXPECT_EQ(field->text(), QString()) << field->objectName().toStdString();

    const QDateTime answered = clock.now();
    StateFeed::setMeasurement(state, kProcessValue, 523, answered);
    StateFeed::setCommand(state, kSetValue, 250, answered);
    StateFeed::setDiscreteInput(state, kAlarmOutput1, true, answered);
    StateFeed::setCoil(state, kAutomatic, true, answered);
    StateFeed::setParameter(state, 1, 10, answered);
    StateFeed::setAlarmRegister(state, 0, 150, answered);
    window->refreshLiveValues();
    EXPECT_EQ(panel().liveValueField(0)->text(), QStringLiteral("523"));
    EXPECT_EQ(panel().liveValueField(0)->background(), kPink);
    EXPECT_EQ(window->parameters()->field(0)->background(), kCyan);
    EXPECT_EQ(window->alarmValueField(0)->background(), kCyan);
    EXPECT_EQ(panel().writtenValueField(0)->background(), kPink);
    EXPECT_EQ(panel().alarmStateField(0)->background(), kPink);
    EXPECT_EQ(panel().coilStateField(1)->background(), kLightRed);

    // Two poll cycles are still fresh; beyond them the values stay, on grey.
    clock.advanceMs(1000);
    window->refreshLiveValues();
    EXPECT_EQ(panel().liveValueField(0)->background(), kPink);
    clock.advanceMs(500);
    window->refreshLiveValues();
    for (PanelField* field : {panel().liveValueField(0), panel().writtenValueField(0), panel().alarmStateField(0),
                              panel().coilStateField(1), window->parameters()->field(0), window->alarmValueField(0)})
        EXPECT_EQ(field->background(), kStale);
    EXPECT_EQ(window->parameters()->field(0)->text(), QStringLiteral("10"));
    EXPECT_EQ(panel().liveValueField(0)->text(), QStringLiteral("523"));
    EXPECT_EQ(panel().alarmStateField(0)->text(), QStringLiteral("ALM1报警"));

    StateFeed::setMeasurement(state, kProcessValue, 524, clock.now());  // answers again
    window->refreshLiveValues();
    EXPECT_EQ(panel().liveValueField(0)->text(), QStringLiteral("524"));
    EXPECT_EQ(panel().liveValueField(0)->background(), kPink);
}

TEST_F(LivePanelTest, staleFiguresTurnGreyWithTheirAgeBesideTheirGroupAndFreshOnesLookAsBefore)
{
    using namespace RegisterMap;
    window->resize(1280, 800);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    // Every group answers now except the coils, which answered 12 s ago.
    const QDateTime answered = clock.now();
    StateFeed::setCoil(state, kAutomatic, true, answered.addSecs(-12));
    StateFeed::setMeasurement(state, kProcessValue, 523, answered);
    StateFeed::setCommand(state, kSetValue, 250, answered);
    StateFeed::setDiscreteInput(state, kAlarmOutput1, true, answered);
    StateFeed::setParameter(state, 1, 10, answered);
    StateFeed::setAlarmRegister(state, 0, 150, answered);
    window->refreshLiveValues();
    const int panelWidth = panel().width();

    struct Group {
        PanelGroup* box;
        PanelField* field;
    };
    const Group groups[] = {
        {panel().valuesGroup(), panel().liveValueField(0)},
        {panel().writtenGroup(), panel().writtenValueField(0)},
        {panel().alarmTypesGroup(), panel().liveValueField(5)},
        {panel().currentAlarmsGroup(), panel().alarmStateField(0)},
        {panel().operatingStatesGroup(), panel().coilStateField(1)},
    };
    const auto expectFresh = [&](const Group& g) {
        EXPECT_TRUE(g.box->ageLabel()->isHidden()) << g.box->title().toStdString();
        EXPECT_EQ(g.field->textColour(), QColor(Qt::black)) << g.box->title().toStdString();
        EXPECT_NE(g.field->background(), kStale);
    };
    const auto expectStale = [&](const Group& g, const QString& age) {
        EXPECT_TRUE(g.box->ageLabel()->isVisible()) << g.box->title().toStdString();
        EXPECT_EQ(g.box->ageLabel()->text(), age) << g.box->title().toStdString();
        EXPECT_EQ(g.field->textColour(), kStaleText) << g.box->title().toStdString();
        EXPECT_EQ(g.field->background(), kStale);
        // On the group's title row, inside the panel.
        const QRect shown = g.box->ageLabel()->geometry();
        EXPECT_LT(shown.bottom(), g.field->mapTo(g.box, QPoint()).y());
        EXPECT_LE(g.box->mapTo(&panel(), shown.topRight()).x(), panel().width());
    };
    for (std::size_t i = 0; i + 1 < std::size(groups); ++i)
        expectFresh(groups[i]);
    expectStale(groups[4], QStringLiteral("12 秒前"));
    EXPECT_EQ(panel().coilStateField(1)->text(), QStringLiteral("自动"));  // kept, faded

    // Three minutes of silence: every group fades and says how long.
    clock.advanceMs(180 * 1000);
    window->refreshLiveValues();
    for (std::size_t i = 0; i + 1 < std::size(groups); ++i)
        expectStale(groups[i], QStringLiteral("3 分钟前"));
    expectStale(groups[4], QStringLiteral("3 分钟前"));
    EXPECT_EQ(panel().liveValueField(0)->text(), QStringLiteral("523"));
    for (PanelField* field : {window->parameters()->field(0), window->alarmValueField(0)}) {
        EXPECT_EQ(field->textColour(), kStaleText);
        EXPECT_EQ(field->background(), kStale);
    }
    QTabWidget& tabs = *window->parameterTabs();
    EXPECT_EQ(tabs.tabText(0), QStringLiteral("报警参数（3 分钟前）"));
    EXPECT_EQ(tabs.tabText(1), QStringLiteral("仪表参数（3 分钟前）"));
    EXPECT_EQ(panel().width(), panelWidth);  // the ages move nothing

    // The instrument answers again: all as before.
    const QDateTime now = clock.now();
    StateFeed::measuredAgain(state, now);
    StateFeed::setCommand(state, kSetValue, 250, now);
    StateFeed::setDiscreteInput(state, kAlarmOutput1, true, now);
    StateFeed::setCoil(state, kAutomatic, true, now);
    StateFeed::setParameter(state, 1, 10, now);
    StateFeed::setAlarmRegister(state, 0, 150, now);
    window->refreshLiveValues();
    for (const Group& g : groups)
        expectFresh(g);
    EXPECT_EQ(tabs.tabText(0), QStringLiteral("报警参数"));
    EXPECT_EQ(tabs.tabText(1), QStringLiteral("仪表参数"));
    EXPECT_EQ(window->parameters()->field(0)->textColour(), QColor(Qt::black));
    EXPECT_EQ(panel().width(), panelWidth);
}

TEST_F(LivePanelTest, tickPutsTheLiveColoursBackUnlessTheRulerIsShown)
{
    panel().showRulerValues({});
    window->header()->dateField()->setBackground(QColor(255, 255, 0));
    window->header()->dateField()->setCaption(QStringLiteral("2001-01-02"));  // the ruler's sample
    window->navigator().rulerOn = true;
    window->refreshLiveValues();
    EXPECT_EQ(panel().liveValueField(0)->background(), QColor(255, 255, 0));
    window->showClock();
    EXPECT_EQ(window->header()->dateField()->text(), QStringLiteral("2001-01-02"));

    window->navigator().rulerOn = false;
    instrumentAnswers();
    window->refreshLiveValues();
    for (const int field : {0, 1, 2, 5, 6, 7})  // PV, OP, SV and the three alarm states
        EXPECT_EQ(panel().liveValueField(field)->background(), kPink) << field;
    EXPECT_EQ(window->header()->dateField()->background(), kLightGreen);
    EXPECT_EQ(window->header()->timeField()->background(), kLightGreen);
}

TEST_F(LivePanelTest, headerShowsTheClocksDateAndTime)
{
    window->showClock();
    EXPECT_EQ(window->header()->dateField()->text(), QStringLiteral("2001-03-12"));
    EXPECT_EQ(window->header()->timeField()->text(), QStringLiteral("14:05:07"));
    clock.set(QDateTime(QDate(2001, 12, 31), QTime(23, 59, 59)));
    window->showClock();
    EXPECT_EQ(window->header()->dateField()->text(), QStringLiteral("2001-12-31"));
    EXPECT_EQ(window->header()->timeField()->text(), QStringLiteral("23:59:59"));
}

TEST_F(LivePanelTest, aSampleTheRecorderStoresReachesTheTrend)
{
    StateFeed::setMeasurement(state, 1, 321.0f);
    recorder.start();
    recorder.stop();
    clock.advanceMs(1000);
    instrumentAnswers();
    recorder.tick();
    window->refreshLiveValues();
    EXPECT_EQ(window->trendBuffers().curveEnd, 242);
    EXPECT_EQ(idAt(242), 321);
    window->refreshLiveValues();  // taken once, appended once
    EXPECT_EQ(window->trendBuffers().curveEnd, 242);
    EXPECT_EQ(panel().liveValueField(0)->text(), QStringLiteral("321"));
}

TEST_F(LivePanelTest, everySecondTheRecorderTookShowsOnceWithItsOwnTimeEvenWhenTheRefreshIsLate)
{
    recorder.start();
    recorder.stop();
    const QDateTime first = clock.now().addSecs(1);
    for (int n = 0; n < 2; ++n) {
        clock.advanceMs(1000);
        instrumentAnswers();
        recorder.tick();
    }
    clock.advanceMs(600);  // the refresh comes in the next second
    window->refreshLiveValues();
    window->refreshLiveValues();
    const TrendBuffers& b = window->trendBuffers();
    ASSERT_EQ(b.curveEnd, 243);
    EXPECT_EQ(b.trendTimes[242], DateValue::fromTime(first.time()));
    EXPECT_EQ(b.trendTimes[243], DateValue::fromTime(first.addSecs(1).time()));
}

TEST_F(LivePanelTest, aLiveReloadThatFailsKeepsTheCurveAndSaysSoOncePerEpisode)
{
    const QString kUnreadable = QStringLiteral("历史数据读取失败，曲线保持原样：");
    for (int n = 1; n <= 19; ++n)
        tickWithSample();
    ASSERT_TRUE(HistoryFiles::exec(path, {QStringLiteral("alter table pv_data rename to pv_gone")}));
    tickWithSample();
    const TrendBuffers& b = window->trendBuffers();
    EXPECT_TRUE(window->statusBar()->currentMessage().startsWith(kUnreadable));
    EXPECT_EQ(b.curveEnd, 242);
    EXPECT_EQ(idAt(222), 300);  // the newest record, moved left with what followed it
    EXPECT_TRUE(b.holdsSample(1));

    window->statusBar()->clearMessage();
    for (int n = 0; n < 19; ++n)  // to the next reload, which fails again
        tickWithSample();
    EXPECT_TRUE(window->statusBar()->currentMessage().isEmpty());
    EXPECT_EQ(b.curveEnd, 242);

    ASSERT_TRUE(HistoryFiles::exec(path, {QStringLiteral("alter table pv_gone rename to pv_data")}));
    for (int n = 0; n < 20; ++n)
        tickWithSample();
    ASSERT_TRUE(HistoryFiles::exec(path, {QStringLiteral("alter table pv_data rename to pv_gone")}));
    for (int n = 0; n < 20; ++n)
        tickWithSample();
    EXPECT_TRUE(window->statusBar()->currentMessage().startsWith(kUnreadable));  // a new episode
}

} // namespace
