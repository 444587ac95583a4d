#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPushButton>
#include <QSlider>
#include <QStatusBar>
#include <QTest>

#include "mainwindow/ChartPanel.h"
#include "mainwindow/HeaderBar.h"
#include "trendview/HistorySelectPopup.h"
#include "mainwindow/LivePanel.h"
#include "widgets/PanelStates.h"
#include "support/HistoryFiles.h"
#include "support/StateFeed.h"
#include "support/StationFixture.h"
#include "support/WaitFor.h"
#include "trendview/TrendChartView.h"

namespace {

using PanelColours::kYellow;

// The chart's keys, buttons, slider and ruler in the main window, on a
// history file of records 1..newest one second apart from 13:00:00.
class ChartNavigationTest : public StationFixture {
protected:
    void open(int32_t newest)
    {
        seed(1, newest, newest);
        startWindow();
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    void key(Qt::Key k) { QTest::keyClick(window.get(), k); }

    ChartPanel& chart() { return *window->chartPanel(); }
    QSlider& slider() { return *chart().rulerSlider(); }
    LivePanel& panel() { return *window->panel(); }
    HistoryPlayback& playback() { return window->playback(); }
};

TEST_F(ChartNavigationTest, theButtonsStandUnderTheChartAsTheStartLeavesThem)
{
    open(300);
    const std::pair<QPushButton*, const char*> buttons[] = {
        {chart().zoomOutButton(), "F1 缩小"},     {chart().zoomInButton(), "F2 放大"},
        {chart().printButton(), "F3 打印"},       {chart().rulerButton(), "F4 标尺"},
        {chart().chooseMomentButton(), "F5 选择"}, {chart().pageForwardButton(), "F6 左移"},
        {chart().pageBackButton(), "F7 右移"},
    };
    for (const auto& [button, caption] : buttons)
        EXPECT_EQ(button->text(), QString::fromUtf8(caption));
    EXPECT_FALSE(chart().zoomInButton()->isEnabled());
    EXPECT_FALSE(chart().pageForwardButton()->isEnabled());
    EXPECT_TRUE(chart().zoomOutButton()->isEnabled());
    EXPECT_TRUE(chart().pageBackButton()->isEnabled());
    EXPECT_FALSE(slider().isEnabled());
    EXPECT_EQ(slider().minimum(), -1);
    EXPECT_EQ(slider().maximum(), 12001);
    EXPECT_EQ(slider().value(), 0);
    EXPECT_FALSE(slider().focusPolicy() & Qt::TabFocus);
    // The slider sits over the chart, the buttons under it.
    EXPECT_LT(slider().mapTo(window.get(), QPoint()).y(), window->chart()->mapTo(window.get(), QPoint()).y());
    EXPECT_GT(chart().zoomOutButton()->mapTo(window.get(), QPoint()).y(),
              window->chart()->mapTo(window.get(), QPoint()).y());
}

TEST_F(ChartNavigationTest, f2AtLevelOneAndF1AtLevelFourAreIgnored)
{
    open(300);
    const auto yPlace = [&] {
        QCoreApplication::processEvents();  // the layouts settle
        return chart().yMaximumEntry()->mapTo(window.get(), QPoint());
    };
    const QPoint yAtStart = yPlace();
    key(Qt::Key_F2);
    EXPECT_EQ(window->zoom().zoomLevel, 1);
    for (int16_t level = 2; level <= 4; ++level) {
        key(Qt::Key_F1);
        EXPECT_EQ(window->zoom().zoomLevel, level);
        EXPECT_TRUE(chart().zoomInButton()->isEnabled());
    }
    EXPECT_FALSE(chart().zoomOutButton()->isEnabled());
    key(Qt::Key_F1);
    EXPECT_EQ(window->zoom().zoomLevel, 4);
    // One slider step is one sample: 37.5 units, as a whole number 38.
    EXPECT_EQ(slider().singleStep(), 38);
    EXPECT_EQ(slider().pageStep(), 38);
    // No figure beside the Y range changes with the zoom and pushes it.
    EXPECT_EQ(yPlace(), yAtStart);

    chart().zoomInButton()->click();
    EXPECT_EQ(window->zoom().zoomLevel, 3);
    EXPECT_EQ(slider().singleStep(), 50);
    EXPECT_TRUE(chart().zoomOutButton()->isEnabled());
}

TEST_F(ChartNavigationTest, rulerOnStopsTheLiveRefreshAndReadsTheLeftEdgeOnYellow)
{
    open(300);
    key(Qt::Key_F4);
    EXPECT_TRUE(window->navigator().rulerOn);
    EXPECT_FALSE(window->liveRefreshRunning());
    EXPECT_TRUE(slider().isEnabled());
    EXPECT_TRUE(slider().hasFocus());
    EXPECT_EQ(chart().rulerButton()->text(), QStringLiteral("F4 复原"));
    EXPECT_EQ(window->chart()->rulerMark(), RulerMark::switchedOn());

    // v = 0 is slot markOffset (180): record 239, stored at 13:03:58.
    EXPECT_EQ(window->header()->timeField()->text(), QStringLiteral("13:03:58"));
    EXPECT_EQ(panel().liveValueField(0)->text(), QStringLiteral("239"));
    for (PanelField* field : {window->header()->dateField(), window->header()->timeField(), panel().liveValueField(0),
                              panel().liveValueField(1), panel().liveValueField(2), panel().liveValueField(5),
                              panel().liveValueField(7)})
        EXPECT_EQ(field->background(), kYellow);
    // The clock leaves the ruler's time alone.
    window->showClock();
    EXPECT_EQ(window->header()->timeField()->text(), QStringLiteral("13:03:58"));
}

TEST_F(ChartNavigationTest, theSliderMovesTheMarkAndReadsTheSlotUnderIt)
{
    open(300);
    chart().rulerButton()->click();
    slider().setValue(1500);  // ten samples right of the edge at level 1
    EXPECT_EQ(window->chart()->rulerMark(), RulerMark::at(1500));
    EXPECT_EQ(panel().liveValueField(0)->text(), QStringLiteral("249"));
    EXPECT_EQ(window->header()->timeField()->text(), QStringLiteral("13:04:08"));

    // At level 4 one key step is one sample.
    for (int i = 0; i < 3; ++i)
        chart().zoomOutButton()->click();
    slider().setValue(1);
    slider().setValue(0);
    EXPECT_EQ(panel().liveValueField(0)->text(), QString());  // slot 0 never holds a sample
    QTest::keyClick(&slider(), Qt::Key_Right);
    EXPECT_EQ(slider().value(), 38);
    EXPECT_EQ(panel().liveValueField(0)->text(), QStringLiteral("60"));  // slot 1
}

TEST_F(ChartNavigationTest, rulerOffReturnsToLiveAndRestartsTheLiveRefreshKeepingThePageCount)
{
    open(1000);
    key(Qt::Key_F4);
    slider().setValue(-1);  // the slider's left end pages back
    slider().setValue(0);
    slider().setValue(-1);
    EXPECT_EQ(playback().pageCount, 2);
    EXPECT_EQ(idAt(321), 880);

    key(Qt::Key_F4);
    EXPECT_FALSE(window->navigator().rulerOn);
    EXPECT_TRUE(window->liveRefreshRunning());
    EXPECT_FALSE(slider().isEnabled());
    EXPECT_EQ(slider().value(), 0);
    EXPECT_TRUE(chart().rulerButton()->hasFocus());
    EXPECT_EQ(chart().rulerButton()->text(), QStringLiteral("F4 标尺"));
    EXPECT_EQ(window->chart()->rulerMark(), RulerMark::switchedOff());
    EXPECT_EQ(window->trendBuffers().loadedCount, 241);
    EXPECT_EQ(idAt(241), 1000);
    EXPECT_EQ(playback().pageCount, 2);
    EXPECT_TRUE(chart().pageForwardButton()->isEnabled());

    // The next tick puts the live colours back (the instrument answering).
    instrumentAnswers();
    window->refreshLiveValues();
    EXPECT_EQ(panel().liveValueField(0)->background(), PanelColours::kPink);
    EXPECT_EQ(window->header()->dateField()->background(), PanelColours::kLightGreen);
}

TEST_F(ChartNavigationTest, theSlidersRightEndPagesForwardOnlyFromAHistoryPage)
{
    open(1000);
    chart().rulerButton()->click();
    slider().setValue(12001);
    EXPECT_EQ(playback().pageCount, 0);
    EXPECT_EQ(window->chart()->rulerMark(), RulerMark::at(12001));
    slider().setValue(-1);
    slider().setValue(12001);
    EXPECT_EQ(playback().pageCount, 0);
    EXPECT_EQ(window->trendBuffers().loadedCount, 241);
    // Back on the live window, but the ruler still holds the panel.
    EXPECT_FALSE(window->liveRefreshRunning());
}

TEST_F(ChartNavigationTest, latestId1000PagesBackElevenTimesAndRefusesTheTwelfth)
{
    open(1000);
    for (int page = 1; page <= 11; ++page) {
        key(Qt::Key_F7);
        ASSERT_EQ(playback().pageCount, page);
        EXPECT_EQ(idAt(321), 1000 - 60 * page);
        EXPECT_FALSE(window->liveRefreshRunning());
        EXPECT_TRUE(chart().pageForwardButton()->isEnabled());
    }
    key(Qt::Key_F7);
    EXPECT_TRUE(playback().atOldest);
    EXPECT_FALSE(chart().pageBackButton()->isEnabled());
    EXPECT_EQ(idAt(321), 340);  // the last page stays
    key(Qt::Key_F7);            // ignored at the oldest page
    EXPECT_EQ(playback().pageCount, 12);

    key(Qt::Key_F6);
    EXPECT_EQ(idAt(321), 340);
    EXPECT_TRUE(chart().pageBackButton()->isEnabled());
    for (int page = 10; page >= 1; --page)
        chart().pageForwardButton()->click();
    EXPECT_EQ(idAt(321), 940);
    key(Qt::Key_F6);
    EXPECT_EQ(playback().pageCount, 0);
    EXPECT_TRUE(window->liveRefreshRunning());
    EXPECT_FALSE(chart().pageForwardButton()->isEnabled());
    EXPECT_EQ(idAt(241), 1000);
    key(Qt::Key_F6);  // ignored in live mode
    EXPECT_EQ(playback().pageCount, 0);
}

TEST_F(ChartNavigationTest, aShortHistoryRefusesTheFirstPageAndF6ComesBackToLive)
{
    open(200);
    key(Qt::Key_F7);
    EXPECT_TRUE(playback().atOldest);
    EXPECT_FALSE(window->liveRefreshRunning());
    EXPECT_TRUE(chart().pageForwardButton()->isEnabled());
    EXPECT_FALSE(chart().pageBackButton()->isEnabled());
    EXPECT_EQ(idAt(241), 200);  // the live window stays, without new samples

    key(Qt::Key_F6);
    EXPECT_TRUE(window->liveRefreshRunning());
    EXPECT_FALSE(chart().pageForwardButton()->isEnabled());
    EXPECT_TRUE(chart().pageBackButton()->isEnabled());
}

TEST_F(ChartNavigationTest, aHistoryPageNamesItsFirstVisibleSampleInTheHeaderAndTheLiveChartNever)
{
    open(1000);
    // Live, at the start and after every reload, the header is the clock.
    EXPECT_EQ(window->header()->timeField()->text(), QStringLiteral("14:05:07"));
    seed(1001, 1020, 1020);
    for (int i = 0; i < 20; ++i)
        tickWithSample();
    ASSERT_EQ(playback().window.latestId, 1020);  // reloaded
    EXPECT_EQ(window->header()->timeField()->text(), QStringLiteral("14:05:07"));

    chart().pageBackButton()->click();
    // Page 1 ends at 960: slot 181, at the left edge, is record 820 (819 s after 13:00:00).
    EXPECT_EQ(window->header()->timeField()->text(), QStringLiteral("13:13:39"));
}

TEST_F(ChartNavigationTest, onAHistoryPageThePanelStaysLiveAndTheChartKeepsThePage)
{
    open(1000);
    chart().pageBackButton()->click();
    ASSERT_FALSE(window->liveRefreshRunning());
    const TrendBuffers page = window->trendBuffers();

    StateFeed::setMeasurement(state, RegisterMap::kProcessValue, 612);
    StateFeed::setCommand(state, RegisterMap::kSetValue, 500);
    StateFeed::setDiscreteInput(state, RegisterMap::kAlarmOutput1, true);
    tickWithSample();
    EXPECT_EQ(panel().liveValueField(0)->text(), QStringLiteral("612"));
    EXPECT_EQ(panel().writtenValueField(0)->text(), QStringLiteral("500"));
    EXPECT_EQ(panel().alarmStateField(0)->text(), QStringLiteral("ALM1报警"));
    EXPECT_EQ(window->trendBuffers().trendValues, page.trendValues);
    EXPECT_EQ(window->trendBuffers().curveEnd, page.curveEnd);

    // Back to live, the chart takes samples again.
    key(Qt::Key_F6);
    ASSERT_TRUE(window->liveRefreshRunning());
    const int16_t liveEnd = window->trendBuffers().curveEnd;
    tickWithSample();
    EXPECT_EQ(window->trendBuffers().curveEnd, liveEnd + 1);
}

TEST_F(ChartNavigationTest, onAHistoryPageTheWindowsOwnRefreshGoesOn)
{
    seed(1, 1000, 1000);
    MainWindow running(core);  // on its own timers, as the station runs it
    running.start();
    running.chartPanel()->pageBackButton()->click();
    ASSERT_FALSE(running.liveRefreshRunning());
    StateFeed::setMeasurement(state, RegisterMap::kProcessValue, 613);
    EXPECT_TRUE(waitFor([&] { return running.panel()->liveValueField(0)->text() == QStringLiteral("613"); }));
}

TEST_F(ChartNavigationTest, aHistoryPageSaysSoWithItsPeriodUntilF6ReturnsToLive)
{
    open(1000);
    EXPECT_TRUE(chart().historyBanner()->isHidden());
    EXPECT_TRUE(window->printHeading().period.startsWith(QStringLiteral("实时曲线 2001-03-12 ")));
    EXPECT_EQ(window->printHeading().valuesMoment, QStringLiteral("打印时 2001-03-12 14:05:07"));
    chart().pageBackButton()->click();
    // Page 1 from record 800 at the left edge to record 880 at the right,
    // 799 s and 879 s after 13:00:00, as the time axis reads.
    EXPECT_FALSE(chart().historyBanner()->isHidden());
    EXPECT_EQ(chart().historyBanner()->text(), QStringLiteral("历史曲线 2001-03-12 13:13:19 至 2001-03-12 13:14:39"));
    EXPECT_EQ(window->chart()->timeLabel(8)->text(), QStringLiteral("13:14:39"));
    // The printout names the page, and puts no values of now beside it.
    EXPECT_EQ(window->printHeading().period, chart().historyBanner()->text());
    EXPECT_TRUE(window->printHeading().valuesMoment.isEmpty());
    key(Qt::Key_F6);
    EXPECT_TRUE(chart().historyBanner()->isHidden());
}

// The default locale for one test, whatever the test does.
struct DefaultLocale {
    explicit DefaultLocale(const QLocale& locale) { QLocale::setDefault(locale); }
    ~DefaultLocale() { QLocale::setDefault(before); }
    const QLocale before;
};

TEST_F(ChartNavigationTest, theHeaderTheTimeAxisTheRulerAndThePeriodShowIsoDatesWhateverTheLocale)
{
    // Short dates there are "3/12/01"; the test run's system locale has its own.
    const DefaultLocale american(QLocale(QLocale::English, QLocale::UnitedStates));
    const QString day = QStringLiteral("2001-03-12");
    open(1000);
    window->showClock();
    EXPECT_EQ(window->header()->dateField()->text(), day);
    for (int i = 0; i < 9; ++i)  // the live window's labels, the two ahead of the newest too
        EXPECT_EQ(window->chart()->dateLabel(i)->text(), day) << i;

    key(Qt::Key_F7);
    EXPECT_EQ(window->header()->dateField()->text(), day);  // the page's first sample
    EXPECT_EQ(chart().historyBanner()->text(), QStringLiteral("历史曲线 2001-03-12 13:13:19 至 2001-03-12 13:14:39"));
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(window->chart()->dateLabel(i)->text(), day) << i;

    key(Qt::Key_F4);
    ASSERT_TRUE(window->navigator().rulerOn);
    EXPECT_EQ(window->header()->dateField()->text(), day);
    EXPECT_TRUE(window->printHeading().valuesMoment.startsWith(QStringLiteral("标尺处 2001-03-12 ")))
        << window->printHeading().valuesMoment.toStdString();
}

TEST_F(ChartNavigationTest, aPageThatCannotBeReadIsReportedAndTheLiveChartStays)
{
    open(1000);
    ASSERT_TRUE(HistoryFiles::exec(path, {QStringLiteral("alter table pv_data rename to pv_gone")}));
    chart().pageBackButton()->click();
    EXPECT_TRUE(window->statusBar()->currentMessage().startsWith(QStringLiteral("历史数据读取失败，曲线保持原样：")))
        << window->statusBar()->currentMessage().toStdString();
    EXPECT_EQ(playback().pageCount, 0);
    EXPECT_TRUE(window->liveRefreshRunning());
    EXPECT_TRUE(chart().historyBanner()->isHidden());
    EXPECT_EQ(idAt(241), 1000);
}

TEST_F(ChartNavigationTest, theRedrawEverySecondKeepsTheRulerMarkInEveryMode)
{
    open(1000);
    chart().rulerButton()->click();
    slider().setValue(3000);
    chart().pageBackButton()->click();
    window->redrawChart();
    EXPECT_EQ(window->chart()->rulerMark(), RulerMark::at(3000));
    // The read-out follows the page now shown: slot 200 of the page ending at 940.
    EXPECT_EQ(panel().liveValueField(0)->text(), QStringLiteral("819"));
}

TEST_F(ChartNavigationTest, printAndSelectKeysReachTheirHandlersAndOtherKeysNothing)
{
    open(300);
    const TrendBuffers before = window->trendBuffers();
    key(Qt::Key_F3);
    auto* print = window->findChild<QPrintDialog*>();
    ASSERT_NE(print, nullptr);
    EXPECT_TRUE(print->isVisible());
    print->reject();
    key(Qt::Key_F5);
    auto* select = window->findChild<HistorySelectPopup*>();
    ASSERT_NE(select, nullptr);
    EXPECT_TRUE(select->isVisible());
    select->hide();
    for (Qt::Key k : {Qt::Key_F9, Qt::Key_F12})
        key(k);
    EXPECT_EQ(window->trendBuffers().trendValues, before.trendValues);
    EXPECT_TRUE(window->isVisible());
}

} // namespace
