#include <QFile>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include "support/LogLines.h"
#include "support/RecorderFixture.h"

namespace {

using State = RecorderHealth::State;

class RecorderFault : public RecorderFixture {
protected:
    State state() const { return recorder->health().state(); }
};

TEST_F(RecorderFault, unopenablePathIsReportedOnceTheLiveSideGoesOnAndRecordingResumesByItself)
{
    // A regular file where the database's folder should be: no folder, no
    // file, whatever the user's rights.
    const QString blocker = dir.filePath(QStringLiteral("blocker"));
    QFile(blocker).open(QIODevice::WriteOnly);
    path = blocker + QStringLiteral("/station/Rdatabj.sqlite");
    const LogLines log("tq5800.history");
    startWatching();
    recorder->setSamplesHandedOn(true);
    const QDateTime firstMissed = clock.now();
    QSignalSpy taken(recorder.get(), &SampleRecorder::sampleTaken);

    EXPECT_EQ(state(), State::Failing);
    EXPECT_TRUE(recorder->health().reason().contains(path)) << recorder->health().reason().toStdString();
    EXPECT_EQ(spy->count(), 1);
    tick();
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(taken.count(), i + 1);  // the live chart goes on
        nextSecond();
    }
    EXPECT_EQ(recorder->recordNumber(), 4);  // counted in memory
    EXPECT_EQ(recorder->health().missedSeconds(), 4);
    EXPECT_EQ(spy->count(), 1);        // one report per episode

    ASSERT_TRUE(QFile::remove(blocker));
    nextSecond();  // 4 s after the first attempt: not yet tried again
    EXPECT_FALSE(QFile::exists(path));
    nextSecond();
    EXPECT_TRUE(recorder->databaseOpen());
    EXPECT_EQ(state(), State::Recording);
    EXPECT_EQ(spy->count(), 2);
    // Every second until then is missing from the ring, and was handed on.
    EXPECT_EQ(recorder->health().ringGap().seconds, 5);
    EXPECT_EQ(recorder->health().ringGap().first, firstMissed);
    EXPECT_EQ(recorder->health().ringGap().last, firstMissed.addSecs(4));
    EXPECT_EQ(log.lines().filter(QStringLiteral("recording resumed")),
              QStringList{QStringLiteral("recording resumed; the ring missed 5 second(s), 2001-03-12 14:05:07 to "
                                         "2001-03-12 14:05:11; each was handed to the archive")});
    // The new file's pointer (0) decides the number, as after a restart.
    EXPECT_EQ(HistoryFiles::pointer(path), 1);
    nextSecond();
    EXPECT_EQ(HistoryFiles::rowCount(path), 2);
}

TEST_F(RecorderFault, fileThatIsNotADatabaseIsRefusedAndLeftAsItIs)
{
    QFile garbage(path);
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write(QByteArray(4096, 'x'));
    garbage.close();
    const QByteArray before = HistoryFiles::sha256(path);

    startWatching();
    tick();
    nextSecond();
    EXPECT_EQ(state(), State::Failing);
    EXPECT_TRUE(recorder->health().reason().contains(QStringLiteral("not a database")))
        << recorder->health().reason().toStdString();
    recorder.reset();
    EXPECT_EQ(HistoryFiles::sha256(path), before);
}

TEST_F(RecorderFault, databaseWithoutTheStationTablesIsNeitherUsedNorChanged)
{
    ASSERT_TRUE(HistoryFiles::exec(path, {QStringLiteral("create table pv_data (w_id integer, w_date real, w_time real, "
                                                         "a real, b real, c real, d real, e real, f real, g real, "
                                                         "h real, i real, j real)"),
                                          QStringLiteral("insert into pv_data (w_id) values (7)")}));
    const QByteArray before = HistoryFiles::sha256(path);

    startWatching();
    tick();
    EXPECT_EQ(state(), State::Failing);
    EXPECT_EQ(recorder->health().reason(), path + QStringLiteral(": the file has no table sl_void"));
    recorder.reset();
    EXPECT_EQ(HistoryFiles::sha256(path), before);
    EXPECT_FALSE(QFile::exists(path + QStringLiteral("-wal")));
}

TEST_F(RecorderFault, writeFailureIsReportedAndRecordingResumesOnceTheFileIsRepaired)
{
    startWatching();
    tick();
    ASSERT_EQ(state(), State::Recording);

    ASSERT_TRUE(HistoryFiles::exec(path, {QStringLiteral("alter table pv_data rename to pv_data_kept")}));
    nextSecond();
    EXPECT_EQ(state(), State::Failing);
    EXPECT_TRUE(recorder->health().reason().startsWith(QStringLiteral("a sample could not be stored")))
        << recorder->health().reason().toStdString();
    nextSecond();  // opened again at once, and refused for the missing table
    EXPECT_TRUE(recorder->health().reason().endsWith(QStringLiteral("the file has no table pv_data")))
        << recorder->health().reason().toStdString();

    ASSERT_TRUE(HistoryFiles::exec(path, {QStringLiteral("alter table pv_data_kept rename to pv_data")}));
    for (int i = 0; i < 10 && state() != State::Recording; ++i)
        nextSecond();
    EXPECT_EQ(state(), State::Recording);
    EXPECT_EQ(recorder->health().failingSince(), std::nullopt);
    EXPECT_EQ(HistoryFiles::pointer(path), 2);  // the lost seconds did not advance the file's ring
}

TEST_F(RecorderFault, pointerTableWithoutItsRecordStoresUnderCountedNumbersAndSaysSo)
{
    createWithPointer(0);
    ASSERT_TRUE(HistoryFiles::exec(path, {QStringLiteral("delete from sl_void")}));
    startWatching();
    tick();
    nextSecond();
    EXPECT_EQ(state(), State::PointerMissing);
    EXPECT_EQ(HistoryFiles::rowCount(path), 2);
    EXPECT_EQ(HistoryFiles::pointer(path), std::nullopt);  // never inserted by the station
    EXPECT_EQ(recorder->recordNumber(), 2);
}

TEST_F(RecorderFault, missingFolderOfTheDefaultKindIsCreated)
{
    path = dir.filePath(QStringLiteral("not/yet/there/Rdatabj.sqlite"));
    startWatching();
    tick();
    EXPECT_EQ(state(), State::Recording);
    EXPECT_EQ(HistoryFiles::rowCount(path), 1);
}

} // namespace
