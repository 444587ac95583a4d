#include <QFile>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "journal/JournalStore.h"
#include "support/FakeClock.h"

namespace {

using Kind = JournalEvent::Kind;

struct Row {
    qint64 id;
    QString time, kind, what, oldValue, newValue, outcome, text, user, host;
    int offset;
};

// The journal's rows as plain SQL reads them, oldest first.
std::vector<Row> rowsOf(const QString& path)
{
    std::vector<Row> rows;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("journal-check"));
        db.setDatabaseName(path);
        if (db.open()) {
            QSqlQuery q(db);
            q.exec(QStringLiteral("select id, time_utc, utc_offset, kind, what, old_value, new_value, outcome, "
                                  "message, user_name, host from events order by id"));
            while (q.next())
                rows.push_back({q.value(0).toLongLong(), q.value(1).toString(), q.value(3).toString(),
                                q.value(4).toString(), q.value(5).toString(), q.value(6).toString(),
                                q.value(7).toString(), q.value(8).toString(), q.value(9).toString(),
                                q.value(10).toString(), q.value(2).toInt()});
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("journal-check"));
    return rows;
}

JournalEvent event(Kind kind, const QString& what)
{
    JournalEvent e;
    e.kind = kind;
    e.what = what;
    return e;
}

class JournalStoreTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("journal.sqlite"));
    // An hour east of UTC, as a plant's clock may be.
    FakeClock clock{QDateTime(QDate(2026, 12, 7), QTime(10, 15, 30, 250), Qt::OffsetFromUTC, 3600)};
};

TEST_F(JournalStoreTest, anEventIsStoredOnceWithItsUtcTimeOffsetKindAndTexts)
{
    JournalStore store(path, clock);
    store.open();
    QSignalSpy appended(&store, &JournalStore::appended);
    JournalEvent write = event(Kind::Write, QStringLiteral("设定值SV"));
    write.oldValue = QStringLiteral("50");
    write.newValue = QStringLiteral("55.5");
    write.outcome = QStringLiteral("ok");
    write.text = QStringLiteral("含,逗号 \"引号\"");
    write.user = QStringLiteral("operator");
    write.host = QStringLiteral("furnace-3");
    store.append(write);

    const auto rows = rowsOf(path);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].time, QStringLiteral("2026-12-07T09:15:30.250Z"));
    EXPECT_EQ(rows[0].offset, 3600);
    EXPECT_EQ(rows[0].kind, QStringLiteral("write"));
    EXPECT_EQ(rows[0].what, write.what);
    EXPECT_EQ(rows[0].oldValue, write.oldValue);
    EXPECT_EQ(rows[0].newValue, write.newValue);
    EXPECT_EQ(rows[0].outcome, write.outcome);
    EXPECT_EQ(rows[0].text, write.text);
    EXPECT_EQ(rows[0].user, write.user);
    EXPECT_EQ(rows[0].host, write.host);
    ASSERT_EQ(appended.size(), 1);
    EXPECT_EQ(appended[0][0].value<JournalEvent>().id, rows[0].id);
    EXPECT_TRUE(store.writing());
}

TEST_F(JournalStoreTest, theOldestGoFirstOnceEitherBoundIsPassed)
{
    JournalLimits limits;
    limits.maxEvents = 5;
    limits.maxDays = 2;
    JournalStore store(path, clock, limits);
    store.open();
    for (int n = 1; n <= 8; ++n)
        store.append(event(Kind::Write, QString::number(n)));
    auto rows = rowsOf(path);
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows.front().what, QStringLiteral("4"));
    EXPECT_EQ(rows.back().what, QStringLiteral("8"));

    clock.set(clock.now().addDays(2).addSecs(1));
    store.append(event(Kind::StationStarted, QStringLiteral("later")));
    rows = rowsOf(path);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].what, QStringLiteral("later"));
}

TEST_F(JournalStoreTest, aFileThatCannotBeWrittenHoldsItsEventsAndWritesThemInOrderOnceWhenItIsBack)
{
    // A plain file where the journal's folder should be.
    const QString blocker = dir.filePath(QStringLiteral("blocked"));
    QFile file(blocker);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const QString blockedPath = blocker + QStringLiteral("/journal.sqlite");
    JournalLimits limits;
    limits.maxHeld = 3;
    limits.retryMs = 50;
    JournalStore store(blockedPath, clock, limits);
    QSignalSpy health(&store, &JournalStore::healthChanged);
    store.open();
    EXPECT_FALSE(store.writing());
    EXPECT_FALSE(store.failure().isEmpty());
    EXPECT_EQ(store.failingSince(), clock.now());
    EXPECT_EQ(health.size(), 1);

    for (int n = 1; n <= 4; ++n) {
        clock.advanceMs(1000);
        store.append(event(Kind::Write, QString::number(n)));
    }
    EXPECT_EQ(store.heldEvents(), 3);
    EXPECT_EQ(store.droppedEvents(), 1);  // the oldest held one
    EXPECT_EQ(health.size(), 1);          // once per episode

    ASSERT_TRUE(QFile::remove(blocker));
    ASSERT_TRUE(QTest::qWaitFor([&] { return store.writing(); }, 5000));
    EXPECT_EQ(health.size(), 2);
    EXPECT_EQ(store.heldEvents(), 0);
    const auto rows = rowsOf(blockedPath);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].what, QStringLiteral("2"));
    EXPECT_EQ(rows[2].what, QStringLiteral("4"));
    EXPECT_EQ(rows[0].time, QStringLiteral("2026-12-07T09:15:32.250Z"));  // when it happened, not when written
    EXPECT_EQ(rows[3].kind, QStringLiteral("journal.resumed"));
    EXPECT_EQ(rows[3].newValue, QStringLiteral("3"));
    EXPECT_FALSE(rows[3].text.isEmpty());  // says that one was lost
}

TEST(JournalPath, besideTheHistoryFileUnlessOneIsNamed)
{
    EXPECT_EQ(JournalPath::resolve(QString(), QStringLiteral("/data/plant/Rdatabj.sqlite")),
              QStringLiteral("/data/plant/journal.sqlite"));
    EXPECT_EQ(JournalPath::resolve(QStringLiteral("/var/log/furnace.sqlite"), QStringLiteral("/data/Rdatabj.sqlite")),
              QStringLiteral("/var/log/furnace.sqlite"));
}

} // namespace
