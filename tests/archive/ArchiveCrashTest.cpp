#include <set>

#include <QDeadlineTimer>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "archive/ArchiveStore.h"
#include "core/Clock.h"
#include "core/DateValue.h"
#include "support/ArchiveFiles.h"
#include "support/HistoryFiles.h"

namespace {

// Runs the writer until it has recorded `count` samples, then kills it.
bool recordAndKill(const QString& history, const QString& folder, int startMinute, int count, QString& failure)
{
    QProcess writer;
    writer.start(QStringLiteral(TQ5800_ARCHIVE_WRITER_PATH), {history, folder, QString::number(startMinute)});
    if (!writer.waitForStarted(5000)) {
        failure = writer.errorString();
        return false;
    }
    int recorded = 0;
    QDeadlineTimer deadline(30000);
    while (recorded < count && !deadline.hasExpired()) {
        writer.waitForReadyRead(static_cast<int>(deadline.remainingTime()));
        while (writer.canReadLine())
            recorded = writer.readLine().trimmed().toInt();
        if (writer.state() == QProcess::NotRunning) {
            failure = QString::fromLocal8Bit(writer.readAllStandardError());
            return false;
        }
    }
    writer.kill();
    writer.waitForFinished(5000);
    return recorded >= count;
}

TEST(ArchiveCrash, aKilledWriterLeavesIntactMonthFilesAndTheNextStartFillsThemFromTheRing)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString history = dir.filePath(QStringLiteral("Rdatabj.sqlite"));
    const QString folder = dir.filePath(QStringLiteral("archive"));

    // Each run's clock starts the minute after the last one's samples, the
    // first ones before the month ends: kills fall on either side of the
    // boundary, and each start back-fills what the run before it left
    // queued.
    const int counts[] = {90, 400, 157, 1200, 333};
    int startMinute = 0;
    for (const int count : counts) {
        QString failure;
        ASSERT_TRUE(recordAndKill(history, folder, startMinute, count, failure)) << failure.toStdString();
        // The kill falls some samples after the count: the ring says where.
        const auto newest = HistoryFiles::scalar(history, QStringLiteral("select max(w_date + w_time) from pv_data"));
        ASSERT_TRUE(newest.has_value());
        const QDateTime base(QDate(2026, 1, 31), QTime(23, 55, 0), Qt::UTC);
        startMinute = static_cast<int>(base.secsTo(DateValue::toDateTime(newest->toDouble())) / 60) + 1;
        for (const QString& name : ArchiveFiles::monthFiles(folder))
            EXPECT_EQ(ArchiveFiles::integrity(QDir(folder).filePath(name)), QStringLiteral("ok")) << name.toStdString();
    }

    // The next start copies what the killed runs had still queued.
    SystemClock clock;
    ArchiveSettings settings;
    settings.folder = folder;
    {
        ArchiveStore archive(settings, history, clock);
        archive.start();
    }
    std::set<int64_t> ring;
    for (const HistoryFiles::Row& row : HistoryFiles::rows(history))
        ring.insert(DateValue::toDateTime(row.date + row.time).toMSecsSinceEpoch());
    std::set<int64_t> archived;
    for (const auto& [moment, sample] : ArchiveFiles::samples(folder))
        archived.insert(moment);
    EXPECT_EQ(archived, ring);
    EXPECT_EQ(ArchiveFiles::monthFiles(folder),
              (QStringList{QStringLiteral("2026-01.sqlite"), QStringLiteral("2026-02.sqlite")}));
}

} // namespace
