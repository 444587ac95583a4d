#include <map>

#include <QDeadlineTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "support/HistoryFiles.h"

namespace {

constexpr int32_t kRing = 65500;

// What the writer said it had stored before it was killed.
struct Reported {
    std::map<int32_t, long> values;  // record number -> value column 0
    int32_t last = 0;                // the record reported last
    int lines = 0;
};

// How many records `to` lies after `from` in ring order.
int32_t stepsAhead(int32_t from, int32_t to)
{
    return ((to - from) % kRing + kRing) % kRing;
}

// Runs the writer until it has reported `count` samples, then kills it
// with SIGKILL and collects everything it managed to report.
bool recordAndKill(const QString& path, int run, int count, Reported& reported, QString& failure)
{
    QProcess writer;
    writer.start(QStringLiteral(TQ5800_RECORDER_WRITER_PATH), {path, QString::number(run)});
    if (!writer.waitForStarted(5000)) {
        failure = writer.errorString();
        return false;
    }
    auto collect = [&] {
        while (writer.canReadLine()) {
            const QList<QByteArray> parts = writer.readLine().trimmed().split(' ');
            if (parts.value(0) == "failing") {
                failure = QString::fromUtf8(parts.mid(1).join(' '));
                return;
            }
            reported.last = parts.value(0).toInt();
            reported.values[reported.last] = parts.value(1).toLong();
            ++reported.lines;
        }
    };
    QDeadlineTimer deadline(20000);
    while (reported.lines < count && failure.isEmpty() && !deadline.hasExpired()) {
        writer.waitForReadyRead(static_cast<int>(deadline.remainingTime()));
        collect();
    }
    // A reader on its own connection sees every sample reported so far.
    // Reading first also keeps the kill from falling at the same point of
    // the writer's tick every time, right after it has printed.
    const int32_t seenLast = reported.last;
    const auto newest = HistoryFiles::pointer(path);
    writer.kill();
    if (!newest || stepsAhead(seenLast, *newest) > count)
        failure = QStringLiteral("a reader saw record %1 as the newest after %2 was reported")
                      .arg(newest.value_or(-1)).arg(seenLast);
    writer.waitForFinished(5000);
    collect();
    return failure.isEmpty() && reported.lines >= count;
}

TEST(RecorderCrash, killedWriterLeavesAnIntactFileThatKeepsEveryReportedSample)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("Rdatabj.sqlite"));

    // Kill it several times at different points; one run starts near the
    // top of the ring so that a kill can also fall around the wrap. Each
    // run's clock starts a day later, so the newest record is the latest.
    const int counts[] = {400, 1500, 900, 777, 1234, 333, 1001, 555, 1999, 640};
    for (int run = 0; run < 10; ++run) {
        if (run == 2) {
            ASSERT_TRUE(HistoryFiles::exec(path, {QStringLiteral("update sl_void set newest=65000, newest_copy=65000")}));
        }
        Reported reported;
        QString failure;
        ASSERT_TRUE(recordAndKill(path, run, counts[run], reported, failure)) << failure.toStdString();

        EXPECT_EQ(HistoryFiles::scalar(path, QStringLiteral("pragma integrity_check")).value_or(QVariant()).toString(),
                  QStringLiteral("ok"));
        const auto newest = HistoryFiles::pointer(path);
        ASSERT_TRUE(newest.has_value());
        const auto pointed = HistoryFiles::rows(path, QStringLiteral("w_id=%1").arg(*newest));
        ASSERT_EQ(pointed.size(), 1u) << "sl_void names record " << *newest;
        // Neither behind nor ahead of the records: it names the latest one.
        const auto latest = HistoryFiles::scalar(
            path, QStringLiteral("select w_id from pv_data order by w_date desc, w_time desc limit 1"));
        ASSERT_TRUE(latest.has_value());
        EXPECT_EQ(latest->toInt(), *newest);

        const auto stored = HistoryFiles::rows(path);
        std::map<int32_t, double> byId;
        for (const auto& row : stored)
            byId[row.id] = row.values[0];
        for (const auto& [id, value] : reported.values) {
            ASSERT_TRUE(byId.count(id)) << "reported record " << id << " is missing";
            EXPECT_EQ(byId[id], static_cast<double>(value)) << "record " << id;
        }
    }
}

} // namespace
