#include <QDateTimeEdit>
#include <QPrintDialog>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>

#include "mainwindow/ChartPanel.h"
#include "trendview/HistorySelectPopup.h"
#include "support/StationFixture.h"
#include "support/WaitFor.h"

namespace {

// "F3 打印" and "F5 选择" in the main window, on a history of records
// 1..3000 one second apart from 13:00:00.
class PrintSelectTest : public StationFixture {
protected:
    void SetUp() override
    {
        StationFixture::SetUp();
        seed(1, 3000, 3000);
        startWindow();
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    HistorySelectPopup* popup() const { return window->findChild<HistorySelectPopup*>(); }
};

TEST_F(PrintSelectTest, printKeyOpensThePrintDialogWithoutBlockingTheWindow)
{
    QTest::keyClick(window.get(), Qt::Key_F3);
    QPrintDialog* dialog = nullptr;
    ASSERT_TRUE(waitFor([&] {
        dialog = window->findChild<QPrintDialog*>();
        return dialog != nullptr && dialog->isVisible();
    }));
    // The event loop keeps running meanwhile: the window's ticks go on.
    window->refreshLiveValues();
    EXPECT_TRUE(window->isVisible());
    dialog->reject();
    EXPECT_TRUE(waitFor([&] { return window->findChild<QPrintDialog*>() == nullptr; }));
}

TEST_F(PrintSelectTest, selectShowsThePageHoldingTheChosenMoment)
{
    window->chartPanel()->chooseMomentButton()->click();
    ASSERT_NE(popup(), nullptr);
    EXPECT_TRUE(popup()->isVisible());
    // Record 1234 was stored at 13:20:33.
    popup()->moment()->setDateTime(kRecordStart.addSecs(1233));
    popup()->showButton()->click();

    EXPECT_FALSE(popup()->isVisible());
    EXPECT_GE(window->playback().pageCount, 1);
    EXPECT_FALSE(window->liveRefreshRunning());  // a history page, not live
    int slot = -1;
    for (int s = 1; s <= 321; ++s)
        if (idAt(s) == 1234)
            slot = s;
    EXPECT_GT(slot, window->zoom().markOffset);
    EXPECT_LE(slot, 240);
    EXPECT_TRUE(window->chartPanel()->pageForwardButton()->isEnabled());  // F6 leads back
}

TEST_F(PrintSelectTest, selectBeforeTheOldestPageIsRefusedWithASign)
{
    window->chartPanel()->chooseMomentButton()->click();
    popup()->moment()->setDateTime(kRecordStart.addDays(-1));  // nearest is record 1
    popup()->showButton()->click();
    EXPECT_TRUE(window->statusBar()->currentMessage().contains(QStringLiteral("没有可显示的记录")))
        << window->statusBar()->currentMessage().toStdString();
    // Nothing changed: still live, and paging back still offered.
    EXPECT_EQ(window->playback().pageCount, 0);
    EXPECT_FALSE(window->playback().atOldest);
    EXPECT_TRUE(window->playback().liveRefreshRunning);
}

TEST_F(PrintSelectTest, enterInThePickerShowsTheMoment)
{
    window->chartPanel()->chooseMomentButton()->click();
    popup()->moment()->setDateTime(kRecordStart.addSecs(1233));
    QTest::keyClick(popup()->moment(), Qt::Key_Return);
    EXPECT_FALSE(popup()->isVisible());
    EXPECT_GE(window->playback().pageCount, 1);
    EXPECT_FALSE(window->liveRefreshRunning());
}

TEST_F(PrintSelectTest, selectProposesTheNewestSampleTheChartShowsLiveAndOnAHistoryPage)
{
    // Slot 240 is the right edge of the data area.
    const int32_t newestLive = idAt(240);
    ASSERT_GT(newestLive, 0);
    window->chartPanel()->chooseMomentButton()->click();
    EXPECT_EQ(popup()->moment()->dateTime(), kRecordStart.addSecs(newestLive - 1));

    popup()->moment()->setDateTime(kRecordStart.addSecs(1233));
    popup()->showButton()->click();
    const int32_t newestOnPage = idAt(240);
    ASSERT_GT(newestOnPage, 0);
    ASSERT_LT(newestOnPage, newestLive);
    window->chartPanel()->chooseMomentButton()->click();
    EXPECT_EQ(popup()->moment()->dateTime(), kRecordStart.addSecs(newestOnPage - 1));
}

} // namespace
