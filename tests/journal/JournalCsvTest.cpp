#include <QBuffer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "journal/JournalCsv.h"
#include "journal/JournalReader.h"
#include "support/JournalFiles.h"

namespace {

using Kind = JournalEvent::Kind;

const QDateTime kMoment(QDate(2026, 12, 7), QTime(19, 53, 9, 123), Qt::OffsetFromUTC, 3600);

TEST(JournalCsvTest, headerHasTheByteOrderMarkAndEveryLineEndsInCrLf)
{
    const QByteArray header = JournalCsv::header();
    EXPECT_TRUE(header.startsWith("\xEF\xBB\xBF" "id,time,kind,caption,"));
    EXPECT_TRUE(header.endsWith("\r\n"));
    EXPECT_EQ(header.count('\n'), 1);
    JournalEvent event = JournalFiles::event(Kind::AlarmRaised, kMoment, QStringLiteral("ALM1"));
    event.id = 42;
    EXPECT_EQ(JournalCsv::line(event),
              QByteArray("42,2026-12-07T19:53:09.123+01:00,alarm.raised,报警发生,,ALM1,,,,ALM1报警,,,\r\n"));
}

TEST(JournalCsvTest, fieldsWithSeparatorsQuotesOrLineBreaksAreQuotedWithQuotesDoubled)
{
    JournalEvent event = JournalFiles::event(Kind::Write, kMoment, QStringLiteral("a,b"));
    event.id = 1;
    event.oldValue = QStringLiteral("say \"hi\"");
    event.newValue = QStringLiteral("two\r\nlines");
    event.outcome = QStringLiteral("ok");
    event.text = QStringLiteral("line\nbreak");
    event.user = QStringLiteral(" spaced ");
    event.origin = QStringLiteral("主窗口");
    EXPECT_EQ(JournalCsv::line(event), QByteArray("1,2026-12-07T19:53:09.123+01:00,write,写入仪表,,\"a,b\","
                                                  "\"say \"\"hi\"\"\",\"two\r\nlines\",ok,\"line\nbreak\", spaced ,,主窗口\r\n"));
}

TEST(JournalCsvTest, timesCarryTheOffsetTheyWereRecordedWith)
{
    EXPECT_EQ(JournalCsv::timeText(kMoment), QStringLiteral("2026-12-07T19:53:09.123+01:00"));
    EXPECT_EQ(JournalCsv::timeText(kMoment.toOffsetFromUtc(0)), QStringLiteral("2026-12-07T18:53:09.123+00:00"));
    EXPECT_EQ(JournalCsv::timeText(kMoment.toOffsetFromUtc(-(3 * 3600 + 1800))),
              QStringLiteral("2026-12-07T15:23:09.123-03:30"));
}

TEST(JournalCsvTest, writeMatchingWritesEveryMatchingEventAcrossPages)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("journal.sqlite"));
    ASSERT_TRUE(JournalFiles::appendMade(path, 5000, [](int64_t i) {
        return JournalFiles::event(i % 2 ? Kind::AlarmRaised : Kind::Write, kMoment.addSecs(i));
    }));
    JournalReader reader(path, QStringLiteral("csv"));
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    QString error;
    EXPECT_EQ(JournalCsv::writeMatching(out, reader, {{Kind::AlarmRaised}, {}, {}, {}}, error), 2500);
    const QList<QByteArray> lines = out.data().split('\n');
    ASSERT_EQ(lines.size(), 2502);  // header, 2500 events, nothing after the last line end
    EXPECT_TRUE(lines[1].startsWith("5000,"));
    EXPECT_TRUE(lines[2500].startsWith("2,"));
    EXPECT_TRUE(lines[2501].isEmpty());

    JournalReader missing(dir.filePath(QStringLiteral("none.sqlite")), QStringLiteral("csv-missing"));
    QBuffer nowhere;
    nowhere.open(QIODevice::WriteOnly);
    EXPECT_FALSE(JournalCsv::writeMatching(nowhere, missing, {}, error).has_value());
    EXPECT_FALSE(error.isEmpty());
}

} // namespace
