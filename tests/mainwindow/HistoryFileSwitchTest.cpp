#include <cstdio>

#include <QFile>
#include <QPushButton>

#include <gtest/gtest.h>

#include "core/DateValue.h"
#include "mainwindow/ChartPanel.h"
#include "support/StationFixture.h"
#include "widgets/StatusIndicator.h"

namespace {

// The history file replaced by another while the window shows the old one
// and the recorder writes into it.
class HistoryFileSwitch : public StationFixture {
protected:
    static inline const QDate kOtherDate{2026, 1, 5};

    void SetUp() override
    {
        StationFixture::SetUp();
        seed(1, 1000, 1000);
        startWindow();
        recorder.start();
        recorder.stop();  // ticked by the test
        recorderTicks();  // record 1001, still in the old file's WAL
    }
    void recorderTicks()
    {
        instrumentAnswers();
        recorder.tick();
    }
    // A station file holding records 1..newest from kOtherDate, renamed over
    // the path as mv does it.
    void replaceWithFileUpTo(int32_t newest)
    {
        const QString other = dir.filePath(QStringLiteral("other.sqlite"));
        {
            HistoryDatabase maker(QStringLiteral("test-replacement"), other);
            ASSERT_TRUE(maker.open()) << maker.errorText().toStdString();
        }
        const double start = DateValue::fromDateTime(QDateTime(kOtherDate, QTime(6, 0, 0)));
        ASSERT_TRUE(HistoryFiles::insertRows(other, HistoryFiles::sequence(1, newest, start), newest));
        ASSERT_EQ(std::rename(QFile::encodeName(other).constData(), QFile::encodeName(path).constData()), 0);
    }
    double dateAt(int slot) const { return window->trendBuffers().trendDates[static_cast<size_t>(slot)]; }
};

TEST_F(HistoryFileSwitch, theNextLiveReloadShowsTheReplacementsRecordsAndTheRecorderSaysSo)
{
    replaceWithFileUpTo(2000);
    clock.advanceMs(1000);
    recorderTicks();  // the recorder finds the replacement first: record 2001 goes into it
    for (int n = 0; n < 20; ++n)
        tickWithSample();  // the 20th reloads the live window

    EXPECT_TRUE(window->databaseOpen());
    EXPECT_EQ(window->playback().window.latestId, 2001);
    // The newest records before the appended sample: the old file has none
    // above 1001 and none from that day.
    EXPECT_GT(idAt(240), 1001);
    EXPECT_EQ(dateAt(240), DateValue::fromDate(kOtherDate));
    EXPECT_EQ(window->recorderIndicator()->text(), QStringLiteral("● 记录正常：历史文件于 14:05:08 被替换，改记新文件"));
}

TEST_F(HistoryFileSwitch, aPageReadFirstShowsTheReplacementAndTheRecorderFollowsIntoIt)
{
    replaceWithFileUpTo(2000);
    window->chartPanel()->pageBackButton()->click();  // the window finds it first
    EXPECT_EQ(idAt(321), 940);
    EXPECT_EQ(dateAt(321), DateValue::fromDate(kOtherDate));

    clock.advanceMs(1000);
    recorderTicks();
    EXPECT_EQ(HistoryFiles::pointer(path), 2001);
    EXPECT_EQ(HistoryFiles::rowCount(path), 2001);
    EXPECT_EQ(recorder.health().fileSwitch(), HistoryDatabase::FileChange::Replaced);
}

} // namespace
