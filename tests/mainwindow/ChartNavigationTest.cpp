#include <QLabel>
#include <QPrintDialog>
#include <QPushButton>
#include <QSlider>
#include <QTest>

#include "mainwindow/ChartPanel.h"
#include "trendview/HistorySelectPopup.h"
#include "mainwindow/LivePanel.h"
#include "widgets/PanelStates.h"
#include "support/StationFixture.h"
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
        load();
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        // As the load leaves them; the test ticks them by hand.
        window->Timer1.start();
        window->Timer2.start();
    }
    void key(Qt::Key k) { QTest::keyClick(window.get(), k); }

    ChartPanel& chart() { return *window->chartPanel(); }
    QSlider& hc() { return *chart().hc(); }
    LivePanel& panel() { return *window->panel(); }
    HistoryPlayback& playback() { return window->playback(); }
};

TEST_F(ChartNavigationTest, theButtonsStandUnderTheChartAsTheLoadLeavesThem)
{
    open(300);
    const std::pair<QPushButton*, const char*> buttons[] = {
        {chart().Command4(), "F1 缩小"}, {chart().Command3(), "F2 放大"}, {chart().Command2(), "F3 打印"},
        {chart().Command5(), "F4 标尺"}, {chart().Command6(), "F5 选择"}, {chart().Command7(), "F6 左移"},
        {chart().Command8(), "F7 右移"},
    };
    for (const auto& [button, caption] : buttons)
        EXPECT_EQ(button->text(), QString::fromUtf8(caption));
    EXPECT_FALSE(chart().Command3()->isEnabled());
    EXPECT_FALSE(chart().Command7()->isEnabled());
    EXPECT_TRUE(chart().Command4()->isEnabled());
    EXPECT_TRUE(chart().Command8()->isEnabled());
    EXPECT_FALSE(hc().isEnabled());
    EXPECT_EQ(hc().minimum(), -1);
    EXPECT_EQ(hc().maximum(), 12001);
    EXPECT_EQ(hc().value(), 0);
    EXPECT_FALSE(hc().focusPolicy() & Qt::TabFocus);
    // The slider sits over the chart, the buttons under it.
    EXPECT_LT(hc().mapTo(window.get(), QPoint()).y(), window->chart()->mapTo(window.get(), QPoint()).y());
    EXPECT_GT(chart().Command4()->mapTo(window.get(), QPoint()).y(), window->chart()->mapTo(window.get(), QPoint()).y());
}

TEST_F(ChartNavigationTest, f2AtLevelOneAndF1AtLevelFourAreIgnored)
{
    open(300);
    key(Qt::Key_F2);
    EXPECT_EQ(window->zoom().zoomLevel, 1);
    for (int16_t level = 2; level <= 4; ++level) {
        key(Qt::Key_F1);
        EXPECT_EQ(window->zoom().zoomLevel, level);
        EXPECT_TRUE(chart().Command3()->isEnabled());
    }
    EXPECT_FALSE(chart().Command4()->isEnabled());
    key(Qt::Key_F1);
    EXPECT_EQ(window->zoom().zoomLevel, 4);
    // One slider step is one sample: 37.5 units, as a whole number 38.
    EXPECT_EQ(hc().singleStep(), 38);
    EXPECT_EQ(hc().pageStep(), 38);
    EXPECT_EQ(window->Label19()->text(), QStringLiteral("37.5"));

    chart().Command3()->click();
    EXPECT_EQ(window->zoom().zoomLevel, 3);
    EXPECT_EQ(hc().singleStep(), 50);
    EXPECT_TRUE(chart().Command4()->isEnabled());
}

TEST_F(ChartNavigationTest, rulerOnStopsTheLiveRefreshAndReadsTheLeftEdgeOnYellow)
{
    open(300);
    key(Qt::Key_F4);
    EXPECT_EQ(window->rulerMode(), -1);
    EXPECT_FALSE(window->Timer1.isActive());
    EXPECT_TRUE(window->Timer2.isActive());
    EXPECT_TRUE(hc().isEnabled());
    EXPECT_TRUE(hc().hasFocus());
    EXPECT_EQ(chart().Command5()->text(), QStringLiteral("F4 复原"));
    EXPECT_EQ(window->chart()->Line1(), RulerMark::switchedOn());

    // v = 0 is slot markOffset (180): record 239, stored at 13:03:58.
    EXPECT_EQ(window->Label2(10)->text(), QStringLiteral("13:03:58"));
    EXPECT_EQ(panel().D_3W(0)->text(), QStringLiteral("239"));
    for (PanelField* field : {window->Label2(9), window->Label2(10), panel().D_3W(0), panel().D_3W(1),
                              panel().D_3W(2), panel().D_3W(5), panel().D_3W(7)})
        EXPECT_EQ(field->background(), kYellow);
    // The clock leaves the ruler's time alone.
    window->Timer3_Timer();
    EXPECT_EQ(window->Label2(10)->text(), QStringLiteral("13:03:58"));
}

TEST_F(ChartNavigationTest, theSliderMovesTheMarkAndReadsTheSlotUnderIt)
{
    open(300);
    chart().Command5()->click();
    hc().setValue(1500);  // ten samples right of the edge at level 1
    EXPECT_EQ(window->chart()->Line1(), RulerMark::at(1500));
    EXPECT_EQ(panel().D_3W(0)->text(), QStringLiteral("249"));
    EXPECT_EQ(window->Label2(10)->text(), QStringLiteral("13:04:08"));

    // At level 4 one key step is one sample.
    for (int i = 0; i < 3; ++i)
        chart().Command4()->click();
    hc().setValue(1);
    hc().setValue(0);
    EXPECT_EQ(panel().D_3W(0)->text(), QStringLiteral("0"));  // slot 0 never holds a sample
    QTest::keyClick(&hc(), Qt::Key_Right);
    EXPECT_EQ(hc().value(), 38);
    EXPECT_EQ(panel().D_3W(0)->text(), QStringLiteral("60"));  // slot 1
}

TEST_F(ChartNavigationTest, rulerOffReturnsToLiveAndRestartsTheLiveRefreshKeepingThePageCount)
{
    open(1000);
    key(Qt::Key_F4);
    hc().setValue(-1);  // the slider's left end pages back
    hc().setValue(0);
    hc().setValue(-1);
    EXPECT_EQ(playback().pageCount, 2);
    EXPECT_EQ(idAt(321), 880);

    key(Qt::Key_F4);
    EXPECT_EQ(window->rulerMode(), 0);
    EXPECT_TRUE(window->Timer1.isActive());
    EXPECT_FALSE(hc().isEnabled());
    EXPECT_EQ(hc().value(), 0);
    EXPECT_TRUE(chart().Command5()->hasFocus());
    EXPECT_EQ(chart().Command5()->text(), QStringLiteral("F4 标尺"));
    EXPECT_EQ(window->chart()->Line1(), RulerMark::switchedOff());
    EXPECT_EQ(window->trendBuffers().loadedCount, 241);
    EXPECT_EQ(idAt(241), 1000);
    EXPECT_EQ(playback().pageCount, 2);
    EXPECT_TRUE(chart().Command7()->isEnabled());

    // The next tick puts the live colours back.
    window->Timer1_Timer();
    EXPECT_EQ(panel().D_3W(0)->background(), PanelColours::kPink);
    EXPECT_EQ(window->Label2(9)->background(), PanelColours::kLightGreen);
}

TEST_F(ChartNavigationTest, theSlidersRightEndPagesForwardOnlyFromAHistoryPage)
{
    open(1000);
    chart().Command5()->click();
    hc().setValue(12001);
    EXPECT_EQ(playback().pageCount, 0);
    EXPECT_EQ(window->chart()->Line1(), RulerMark::at(12001));
    hc().setValue(-1);
    hc().setValue(12001);
    EXPECT_EQ(playback().pageCount, 0);
    EXPECT_EQ(window->trendBuffers().loadedCount, 241);
    // Back on the live window, but the ruler still holds the panel.
    EXPECT_FALSE(window->Timer1.isActive());
}

TEST_F(ChartNavigationTest, latestId1000PagesBackElevenTimesAndRefusesTheTwelfth)
{
    open(1000);
    for (int page = 1; page <= 11; ++page) {
        key(Qt::Key_F7);
        ASSERT_EQ(playback().pageCount, page);
        EXPECT_EQ(idAt(321), 1000 - 60 * page);
        EXPECT_FALSE(window->Timer1.isActive());
        EXPECT_TRUE(chart().Command7()->isEnabled());
    }
    key(Qt::Key_F7);
    EXPECT_EQ(playback().atOldest, -1);
    EXPECT_FALSE(chart().Command8()->isEnabled());
    EXPECT_EQ(idAt(321), 340);  // the last page stays
    key(Qt::Key_F7);            // ignored at the oldest page
    EXPECT_EQ(playback().pageCount, 12);

    key(Qt::Key_F6);
    EXPECT_EQ(idAt(321), 340);
    EXPECT_TRUE(chart().Command8()->isEnabled());
    for (int page = 10; page >= 1; --page)
        chart().Command7()->click();
    EXPECT_EQ(idAt(321), 940);
    key(Qt::Key_F6);
    EXPECT_EQ(playback().pageCount, 0);
    EXPECT_TRUE(window->Timer1.isActive());
    EXPECT_FALSE(chart().Command7()->isEnabled());
    EXPECT_EQ(idAt(241), 1000);
    key(Qt::Key_F6);  // ignored in live mode
    EXPECT_EQ(playback().pageCount, 0);
}

TEST_F(ChartNavigationTest, aShortHistoryRefusesTheFirstPageAndF6ComesBackToLive)
{
    open(200);
    key(Qt::Key_F7);
    EXPECT_EQ(playback().atOldest, -1);
    EXPECT_FALSE(window->Timer1.isActive());
    EXPECT_TRUE(chart().Command7()->isEnabled());
    EXPECT_FALSE(chart().Command8()->isEnabled());
    EXPECT_EQ(idAt(200), 200);  // the live window stays, without new samples

    key(Qt::Key_F6);
    EXPECT_TRUE(window->Timer1.isActive());
    EXPECT_FALSE(chart().Command7()->isEnabled());
    EXPECT_TRUE(chart().Command8()->isEnabled());
}

TEST_F(ChartNavigationTest, aHistoryPageNamesItsFirstVisibleSampleInTheHeader)
{
    open(1000);
    chart().Command8()->click();
    // Page 1 ends at 940: slot 181, at the left edge, is record 800 (799 s after 13:00:00).
    EXPECT_EQ(window->Label2(10)->text(), QStringLiteral("13:13:19"));
}

TEST_F(ChartNavigationTest, theRedrawEverySecondKeepsTheRulerMarkInEveryMode)
{
    open(1000);
    chart().Command5()->click();
    hc().setValue(3000);
    chart().Command8()->click();
    window->Timer2_Timer();
    EXPECT_TRUE(window->Timer2.isActive());
    EXPECT_EQ(window->chart()->Line1(), RulerMark::at(3000));
    // The read-out follows the page now shown: slot 200 of the page ending at 940.
    EXPECT_EQ(panel().D_3W(0)->text(), QStringLiteral("819"));
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
    for (Qt::Key k : {Qt::Key_F8, Qt::Key_F12})
        key(k);
    EXPECT_EQ(window->trendBuffers().trendValues, before.trendValues);
    EXPECT_TRUE(window->isVisible());
}

} // namespace
