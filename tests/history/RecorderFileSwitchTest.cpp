#include <cstdio>

#include <unistd.h>

#include <QFile>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include "core/DateValue.h"
#include "support/RecorderFixture.h"
#include "support/StateFeed.h"

namespace {

using Change = HistoryDatabase::FileChange;

// The history file deleted or replaced under a running recorder, as an
// operator does it from a shell while the station runs.
class RecorderFileSwitch : public RecorderFixture {
protected:
    // Two samples in the file, the second still in its WAL only.
    void recordTwo()
    {
        StateFeed::setMeasurement(instrument, 1, 425);
        startWatching();
        tick();
        nextSecond();
        ASSERT_EQ(HistoryFiles::rowCount(path), 2);
        ASSERT_GT(QFile(path + QStringLiteral("-wal")).size(), 0);
    }
    // A complete station file elsewhere holding records 1..newest from 2026,
    // renamed over the recorder's file.
    void replaceWithFileUpTo(int32_t newest)
    {
        const QString other = dir.filePath(QStringLiteral("other.sqlite"));
        {
            HistoryDatabase maker(QStringLiteral("test-replacement"), other);
            ASSERT_TRUE(maker.open()) << maker.errorText().toStdString();
        }
        const double start = DateValue::fromDateTime(QDateTime(QDate(2026, 1, 5), QTime(6, 0, 0)));
        ASSERT_TRUE(HistoryFiles::insertRows(other, HistoryFiles::sequence(1, newest, start), newest));
        // As mv does it: one rename over the existing name (QFile::rename refuses to).
        ASSERT_EQ(std::rename(QFile::encodeName(other).constData(), QFile::encodeName(path).constData()), 0);
    }

};

TEST_F(RecorderFileSwitch, deletedFileIsMadeAgainAtTheNextSampleAndReportedOnce)
{
    recordTwo();
    ASSERT_TRUE(QFile::remove(path));  // the side files stay, as after a plain rm
    nextSecond();
    ASSERT_TRUE(QFile::exists(path));
    EXPECT_TRUE(recorder->databaseOpen());
    // A new ring: nothing of the deleted file's journal came with it.
    const auto rows = HistoryFiles::rows(path);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].id, 1);
    EXPECT_EQ(rows[0].time, DateValue::fromTime(QTime(14, 5, 9)));
    EXPECT_EQ(HistoryFiles::pointer(path), 1);
    EXPECT_EQ(recorder->health().state(), RecorderHealth::State::Recording);
    EXPECT_EQ(recorder->health().fileSwitch(), Change::Recreated);
    EXPECT_EQ(recorder->health().fileSwitchedAt(), clock.now());
    EXPECT_EQ(recorder->health().missedSeconds(), 0);

    nextSecond();
    nextSecond();
    EXPECT_EQ(HistoryFiles::rowCount(path), 3);
    EXPECT_EQ(spy->count(), 2);  // recording, then the new file once
}

TEST_F(RecorderFileSwitch, replacedFileTakesTheNextSampleUnderItsOwnPointerAndTheOldOneNothingMore)
{
    recordTwo();
    // A second name keeps the old file readable after the replacement.
    const QString old = dir.filePath(QStringLiteral("old.sqlite"));
    ASSERT_EQ(::link(QFile::encodeName(path).constData(), QFile::encodeName(old).constData()), 0);
    replaceWithFileUpTo(500);

    nextSecond();
    nextSecond();
    // Read back through fresh connections of the test's own.
    EXPECT_EQ(HistoryFiles::pointer(path), 502);
    EXPECT_EQ(HistoryFiles::rowCount(path), 502);
    const auto taken = HistoryFiles::rows(path, QStringLiteral("w_id>=500"));
    ASSERT_EQ(taken.size(), 3u);
    EXPECT_EQ(taken[0].values[0], 500.0);  // the replacement's own newest record
    EXPECT_EQ(taken[1].values[0], 425.0);
    EXPECT_EQ(taken[1].time, DateValue::fromTime(QTime(14, 5, 9)));
    EXPECT_EQ(taken[2].values[0], 425.0);
    // Its records stand as they were: none of the old file's pages came in.
    EXPECT_EQ(HistoryFiles::rows(path, QStringLiteral("w_id=2"))[0].values[0], 2.0);
    EXPECT_EQ(HistoryFiles::scalar(path, QStringLiteral("pragma integrity_check"))->toString(), QStringLiteral("ok"));

    EXPECT_EQ(recorder->health().fileSwitch(), Change::Replaced);
    EXPECT_EQ(spy->count(), 2);  // recording, then the replacement once

    recorder.reset();
    // The old file has exactly its two samples, its journal folded in.
    EXPECT_EQ(HistoryFiles::rowCount(old), 2);
    EXPECT_EQ(HistoryFiles::pointer(old), 2);
    EXPECT_EQ(HistoryFiles::rows(old, QStringLiteral("w_id=2"))[0].values[0], 425.0);
}

} // namespace
