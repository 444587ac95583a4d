#include <csignal>

#include <QDateTime>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>

#include <gtest/gtest.h>

#include "journal/JournalSchema.h"
#include "mainwindow/AlarmPanel.h"
#include "support/StationOnSim.h"
#include "widgets/InstrumentEntry.h"

namespace {

struct Row {
    QDateTime time;
    QString kind;
    QString what;
    QString oldValue;
    QString newValue;
    QString outcome;
    QString text;
};

// The journal's events of these kinds, oldest first, read with plain SQL on
// a connection of the test's own.
std::vector<Row> journalRows(const QString& path, const QStringList& kinds)
{
    std::vector<Row> rows;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("journal-reader"));
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (db.open()) {
            QSqlQuery q(db);
            q.exec(QStringLiteral("select time_utc, kind, what, old_value, new_value, outcome, message from %1 "
                                  "order by id").arg(JournalSchema::kTable));
            while (q.next()) {
                if (!kinds.contains(q.value(1).toString()))
                    continue;
                rows.push_back({QDateTime::fromString(q.value(0).toString(), Qt::ISODateWithMs), q.value(1).toString(),
                                q.value(2).toString(), q.value(3).toString(), q.value(4).toString(),
                                q.value(5).toString(), q.value(6).toString()});
            }
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("journal-reader"));
    return rows;
}

// A read that saw the change lies between the operator's click and the
// panel showing it, give or take the clock's rounding.
bool between(const QDateTime& time, const QDateTime& from, const QDateTime& to)
{
    return time >= from.addMSecs(-1) && time <= to.addMSecs(1);
}

TEST(JournalEndToEnd, anAlarmThatTripsAndClearsGivesOneRaisedAndOneClearedAtTheReadsThatSawThem)
{
    // Alarm 1 a high alarm at 150; manual with no output keeps the PV at
    // the ambient 25, so only the set value decides.
    StationOnSim s({"--set", "4x:4118=1", "--set", "0x:2=0"});
    ASSERT_TRUE(s.started());
    ASSERT_TRUE(s.shows(&LivePanel::alarmStateField, 0, QStringLiteral("ALM1 OFF")));
    AlarmPanel& alarms = *s.window().alarmPanel();
    ASSERT_TRUE(waitFor([&] { return alarms.valueField(0)->text() == QStringLiteral("150"); }));

    const QDateTime trippedFrom = QDateTime::currentDateTimeUtc();
    typeOver(alarms.entry(0), QStringLiteral("10"));
    alarms.downloadButton(0)->click();
    ASSERT_TRUE(s.shows(&LivePanel::alarmStateField, 0, QStringLiteral("ALM1报警"), 5000));
    const QDateTime trippedBy = QDateTime::currentDateTimeUtc();
    runEventLoopFor(1500);  // polls that see it on again

    const QDateTime clearedFrom = QDateTime::currentDateTimeUtc();
    typeOver(alarms.entry(0), QStringLiteral("1000"));
    alarms.downloadButton(0)->click();
    ASSERT_TRUE(s.shows(&LivePanel::alarmStateField, 0, QStringLiteral("ALM1 OFF"), 5000));
    const QDateTime clearedBy = QDateTime::currentDateTimeUtc();
    runEventLoopFor(1500);

    const auto rows = journalRows(s.journalPath(), {"alarm.raised", "alarm.cleared"});
    ASSERT_EQ(rows.size(), 2U);
    EXPECT_EQ(rows[0].kind, QStringLiteral("alarm.raised"));
    EXPECT_EQ(rows[0].what, QStringLiteral("ALM1"));
    EXPECT_TRUE(between(rows[0].time, trippedFrom, trippedBy)) << rows[0].time.toString().toStdString();
    EXPECT_EQ(rows[1].kind, QStringLiteral("alarm.cleared"));
    EXPECT_EQ(rows[1].what, QStringLiteral("ALM1"));
    EXPECT_TRUE(between(rows[1].time, clearedFrom, clearedBy)) << rows[1].time.toString().toStdString();

    // The downloads themselves, from the alarm panel, with the values shown before.
    const auto writes = journalRows(s.journalPath(), {"write"});
    ASSERT_EQ(writes.size(), 2U);
    EXPECT_EQ(writes[0].oldValue, QStringLiteral("150"));
    EXPECT_EQ(writes[0].newValue, QStringLiteral("10"));
    EXPECT_EQ(writes[1].oldValue, QStringLiteral("10"));
    EXPECT_EQ(writes[1].newValue, QStringLiteral("1000"));
}

TEST(JournalEndToEnd, aSetValueWrittenFromTheMainWindowGivesOneWriteWithOldAndNewValues)
{
    StationOnSim s({"--frozen"});
    ASSERT_TRUE(s.started());
    ASSERT_TRUE(s.shows(&LivePanel::writtenValueField, 0, QStringLiteral("100")));

    typeOver(s.panel().setValueEntry(), QStringLiteral("250"));
    s.panel().setValueButton()->click();
    ASSERT_TRUE(s.shows(&LivePanel::writtenValueField, 0, QStringLiteral("250"), 5000));

    const auto rows = journalRows(s.journalPath(), {"write"});
    ASSERT_EQ(rows.size(), 1U);
    EXPECT_EQ(rows[0].what, QStringLiteral("register 1"));  // the set value's
    EXPECT_EQ(rows[0].oldValue, QStringLiteral("100"));
    EXPECT_EQ(rows[0].newValue, QStringLiteral("250"));
    EXPECT_EQ(rows[0].outcome, QStringLiteral("ok"));
}

TEST(JournalEndToEnd, aWriteToASilentInstrumentGivesOneFailureAfterTheRetry)
{
    StationOnSim s({"--frozen"});
    ASSERT_TRUE(s.started());
    ASSERT_TRUE(s.shows(&LivePanel::writtenValueField, 0, QStringLiteral("100")));

    s.sim().signal(SIGSTOP);
    typeOver(s.panel().setValueEntry(), QStringLiteral("300"));
    s.panel().setValueButton()->click();
    ASSERT_TRUE(waitFor([&] { return !journalRows(s.journalPath(), {"write"}).empty(); }, 20000));
    runEventLoopFor(2000);  // no second event for the repeat
    s.sim().signal(SIGCONT);

    const auto rows = journalRows(s.journalPath(), {"write"});
    ASSERT_EQ(rows.size(), 1U);
    EXPECT_EQ(rows[0].outcome, QStringLiteral("failed"));
    EXPECT_EQ(rows[0].oldValue, QStringLiteral("100"));
    EXPECT_EQ(rows[0].newValue, QStringLiteral("300"));
    EXPECT_TRUE(rows[0].text.startsWith(QStringLiteral("after 2 attempts: "))) << rows[0].text.toStdString();
}

TEST(JournalEndToEnd, tenSecondsWithoutTheInstrumentGiveOneFailingAndOneRecovered)
{
    StationOnSim s({"--frozen"});
    ASSERT_TRUE(s.started());
    ASSERT_TRUE(s.shows(&LivePanel::writtenValueField, 0, QStringLiteral("100")));

    const QDateTime killedAt = QDateTime::currentDateTimeUtc();
    s.sim().stop(true);
    runEventLoopFor(10000);
    const QDateTime restartedAt = QDateTime::currentDateTimeUtc();
    ASSERT_TRUE(s.sim().restart());
    ASSERT_TRUE(waitFor([&] { return journalRows(s.journalPath(), {"link.recovered"}).size() == 1; }, 15000));
    runEventLoopFor(1500);

    const auto rows = journalRows(s.journalPath(), {"link.failing", "link.recovered"});
    ASSERT_EQ(rows.size(), 2U);
    EXPECT_EQ(rows[0].kind, QStringLiteral("link.failing"));
    EXPECT_TRUE(between(rows[0].time, killedAt, restartedAt)) << rows[0].time.toString().toStdString();
    EXPECT_FALSE(rows[0].text.isEmpty());  // the link's reason
    EXPECT_EQ(rows[1].kind, QStringLiteral("link.recovered"));
    EXPECT_GE(rows[1].time, restartedAt);
    const auto opened = journalRows(s.journalPath(), {"station.started", "link.opened"});
    EXPECT_EQ(opened.size(), 2U);
}

} // namespace
