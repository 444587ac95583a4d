#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include "core/StationLock.h"
#include "support/FileSizeLimit.h"
#include "support/OwnerFileAccess.h"
#include "support/RecorderFixture.h"

namespace {

using State = RecorderHealth::State;

constexpr auto kReadOnly = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
constexpr auto kWritable = kReadOnly | QFile::WriteOwner;

// Faults of the storage under a recorder that runs as the station runs it:
// every second also feeds the live chart, stored or not.
class RecorderStorageFault : public RecorderFixture {
protected:
    void startWatching()
    {
        recorder = std::make_unique<SampleRecorder>(instrument, clock, path);
        spy = std::make_unique<QSignalSpy>(recorder.get(), &SampleRecorder::healthChanged);
        taken = std::make_unique<QSignalSpy>(recorder.get(), &SampleRecorder::sampleTaken);
        recorder->start();
        recorder->stop();  // the test ticks it
    }
    State state() const { return recorder->health().state(); }
    std::string reason() const { return recorder->health().reason().toStdString(); }

    // Seconds pass; each must still announce its sample to the live chart.
    void secondsPassWithTheLiveChartFed(int seconds)
    {
        for (int i = 0; i < seconds; ++i) {
            const qsizetype before = taken->count();
            nextSecond();
            EXPECT_EQ(taken->count(), before + 1) << "second " << i;
        }
    }

    // At most one retry period until the recorder stores again.
    void expectRecordingResumes()
    {
        for (int i = 0; i <= SampleRecorder::kRecheckSeconds && state() != State::Recording; ++i)
            nextSecond();
        EXPECT_EQ(state(), State::Recording) << reason();
    }

    std::unique_ptr<QSignalSpy> spy;
    std::unique_ptr<QSignalSpy> taken;
};

TEST_F(RecorderStorageFault, readOnlyFileIsReportedLeftAsItIsAndRecordedIntoOnceWritable)
{
    createWithPointer(3, HistoryFiles::sequence(1, 3, 36962.5));
    const QByteArray before = HistoryFiles::sha256(path);
    ASSERT_TRUE(QFile::setPermissions(path, kReadOnly));
    OwnerFileAccess asOwner;  // the modes bind even when the tests run as root
    ASSERT_FALSE(QFile(path).open(QIODevice::ReadWrite)) << "file modes do not bind this test";

    startWatching();
    EXPECT_EQ(state(), State::Failing);
    EXPECT_NE(reason().find("cannot be written"), std::string::npos) << reason();
    secondsPassWithTheLiveChartFed(2 * SampleRecorder::kRecheckSeconds);
    EXPECT_EQ(spy->count(), 1);  // one report for the whole episode
    EXPECT_EQ(HistoryFiles::sha256(path), before);
    // SQLite would have given new -wal and -shm files the file's protection,
    // keeping the database unwritable after the file itself is repaired.
    EXPECT_FALSE(QFile::exists(path + QStringLiteral("-wal")));
    EXPECT_FALSE(QFile::exists(path + QStringLiteral("-shm")));

    ASSERT_TRUE(QFile::setPermissions(path, kWritable));
    expectRecordingResumes();
    // The file's own pointer decides where the ring goes on: no hole.
    EXPECT_EQ(HistoryFiles::rowCount(path), *HistoryFiles::pointer(path));
    EXPECT_GT(*HistoryFiles::pointer(path), 3);
}

TEST_F(RecorderStorageFault, readOnlyCompanionFileLeftBehindIsNamed)
{
    createWithPointer(0);
    QFile stale(path + QStringLiteral("-shm"));
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.close();
    ASSERT_TRUE(QFile::setPermissions(stale.fileName(), kReadOnly));
    OwnerFileAccess asOwner;

    startWatching();
    EXPECT_EQ(state(), State::Failing);
    EXPECT_NE(reason().find("Rdatabj.sqlite-shm cannot be written"), std::string::npos) << reason();

    ASSERT_TRUE(QFile::setPermissions(stale.fileName(), kWritable));
    expectRecordingResumes();
}

TEST_F(RecorderStorageFault, fileLockedByAnotherProgramIsReportedAndRecordingResumesWhenReleased)
{
    startWatching();
    tick();
    ASSERT_EQ(state(), State::Recording);

    QProcess other;
    other.start(QStringLiteral(TQ5800_LOCK_HOLDER_PATH), {path});
    ASSERT_TRUE(other.waitForReadyRead(10000)) << other.readAllStandardError().toStdString();
    ASSERT_EQ(other.readLine().trimmed(), QByteArray("locked"));
    secondsPassWithTheLiveChartFed(2);
    EXPECT_EQ(state(), State::Failing);
    EXPECT_EQ(recorder->health().problem(), FileProblem::inUse(path, other.processId()));
    // Every try waits the busy time-out on the window's thread, so a file
    // that stays locked is only tried every few seconds, not every second.
    QElapsedTimer waited;
    waited.start();
    secondsPassWithTheLiveChartFed(2 * SampleRecorder::kRecheckSeconds);
    EXPECT_LT(waited.elapsed(), SampleRecorder::kRecheckSeconds * HistoryDatabase::kBusyTimeoutMs);
    EXPECT_EQ(spy->count(), 2);  // recording, then one report for the episode

    other.write("release\n");
    other.closeWriteChannel();
    ASSERT_TRUE(other.waitForFinished(10000));
    ASSERT_EQ(other.exitCode(), 0);
    expectRecordingResumes();
    // The file's own pointer decides the next number, as after a restart:
    // the ring stays without holes.
    EXPECT_EQ(HistoryFiles::rowCount(path), *HistoryFiles::pointer(path));
}

TEST_F(RecorderStorageFault, fullDiskLosesOnlyTheSecondsItLastsAndKeepsWhatWasStored)
{
    startWatching();
    secondsPassWithTheLiveChartFed(5);
    ASSERT_EQ(state(), State::Recording);
    const auto storedBefore = HistoryFiles::rows(path);
    const int32_t pointerBefore = *HistoryFiles::pointer(path);
    {
        // No file of this process may grow: the next write-ahead frames are refused.
        FileSizeLimit full(static_cast<rlim_t>(QFileInfo(path).size()));
        ASSERT_TRUE(full.active());
        secondsPassWithTheLiveChartFed(SampleRecorder::kRecheckSeconds + 1);
        EXPECT_EQ(state(), State::Failing);
        EXPECT_EQ(recorder->health().problem(), (FileProblem{FileProblem::Cause::DiskFull, path})) << reason();
        // The failed write, then the failed reopening: no report after that.
        const qsizetype reports = spy->count();
        secondsPassWithTheLiveChartFed(2 * SampleRecorder::kRecheckSeconds);
        EXPECT_EQ(spy->count(), reports);
        EXPECT_GE(recorder->health().missedSeconds(), 3 * SampleRecorder::kRecheckSeconds + 1);
    }
    expectRecordingResumes();

    EXPECT_EQ(HistoryFiles::scalar(path, QStringLiteral("pragma integrity_check"))->toString(), QStringLiteral("ok"));
    const auto storedAfter = HistoryFiles::rows(path, QStringLiteral("w_id <= %1").arg(pointerBefore));
    ASSERT_EQ(storedAfter.size(), storedBefore.size());
    for (size_t i = 0; i < storedBefore.size(); ++i) {
        EXPECT_EQ(storedAfter[i].id, storedBefore[i].id);
        EXPECT_EQ(storedAfter[i].time, storedBefore[i].time);
    }
    EXPECT_EQ(HistoryFiles::rowCount(path), *HistoryFiles::pointer(path));  // the ring has no hole
    EXPECT_GT(*HistoryFiles::pointer(path), pointerBefore);
}

TEST_F(RecorderStorageFault, aFileAnotherStationHoldsIsNotWrittenAndItsHolderIsNamedUntilItLetsGo)
{
    StationLock other(StationLock::pathBeside(path));
    ASSERT_EQ(other.take(), StationLock::Outcome::Taken);
    StationLock mine(StationLock::pathBeside(path));
    recorder = std::make_unique<SampleRecorder>(instrument, clock, path);
    recorder->setFileLock(&mine);
    taken = std::make_unique<QSignalSpy>(recorder.get(), &SampleRecorder::sampleTaken);
    recorder->start();
    recorder->stop();

    secondsPassWithTheLiveChartFed(2);
    EXPECT_EQ(state(), State::Failing);
    EXPECT_EQ(recorder->health().problem(), FileProblem::inUse(path, QCoreApplication::applicationPid()));
    EXPECT_TRUE(recorder->health().unlocked());
    EXPECT_FALSE(QFile::exists(path));  // not even made

    other.release();
    expectRecordingResumes();
    EXPECT_TRUE(mine.isTaken());
    EXPECT_EQ(recorder->health().lock(), RecorderHealth::Lock::Taken);
}

} // namespace
