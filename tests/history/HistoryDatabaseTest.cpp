#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "history/DatabasePath.h"
#include "support/HistoryFiles.h"
#include "history/HistoryDatabase.h"

namespace {

class HistoryDatabaseTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("data/tq5800/Rdatabj.sqlite"));
};

TEST_F(HistoryDatabaseTest, missingFileIsCreatedWithBothTablesAndPointerZero)
{
    HistoryDatabase db(QStringLiteral("test-recorder"), path);
    ASSERT_TRUE(db.open()) << db.errorText().toStdString();
    EXPECT_TRUE(db.createdFile());
    EXPECT_EQ(db.journalMode(), QStringLiteral("wal"));
    EXPECT_EQ(db.layout().sampleColumns.size(), 13);
    EXPECT_EQ(db.layout().pointerColumns.size(), 2);
    // Nothing half-built is left beside it.
    EXPECT_EQ(QFileInfo(path).dir().entryList({QStringLiteral("*.creating*")}, QDir::Files), QStringList());

    QSqlQuery q(db.database());
    ASSERT_TRUE(q.exec(QStringLiteral("select * from  sl_void")));
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toInt(), 0);
    EXPECT_EQ(q.value(1).toInt(), 0);
    EXPECT_FALSE(q.next());
    ASSERT_TRUE(q.exec(QStringLiteral("select count(*) from pv_data")));
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toInt(), 0);
}

TEST_F(HistoryDatabaseTest, recordNumbersAreUnique)
{
    HistoryDatabase db(QStringLiteral("test-recorder"), path);
    ASSERT_TRUE(db.open());
    QSqlQuery q(db.database());
    EXPECT_TRUE(q.exec(QStringLiteral("insert into pv_data (w_id, w_date, w_time) values (5, 1, 0)")));
    EXPECT_FALSE(q.exec(QStringLiteral("insert into pv_data (w_id, w_date, w_time) values (5, 2, 0)")));
}

TEST_F(HistoryDatabaseTest, twoOwnersReachTheSameFileThroughTheirOwnConnections)
{
    HistoryDatabase recorder(QStringLiteral("test-recorder"), path);
    HistoryDatabase window(QStringLiteral("test-main-window"), path);
    ASSERT_TRUE(recorder.open());
    ASSERT_TRUE(window.open());
    EXPECT_FALSE(window.createdFile());
    QSqlQuery(recorder.database()).exec(QStringLiteral("update sl_void set newest=9"));
    recorder.close();  // closing one leaves the other usable
    QSqlQuery q(window.database());
    ASSERT_TRUE(q.exec(QStringLiteral("select * from  sl_void")) && q.next());
    EXPECT_EQ(q.value(0).toInt(), 9);
}

TEST_F(HistoryDatabaseTest, existingFileInRollbackModeIsOpenedWithoutChangingAByte)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    ASSERT_TRUE(HistoryFiles::exec(path, HistoryFiles::otherFittingLayout()));
    const QByteArray before = HistoryFiles::sha256(path);
    {
        HistoryDatabase db(QStringLiteral("test-main-window"), path);
        ASSERT_TRUE(db.open()) << db.errorText().toStdString();
        EXPECT_FALSE(db.createdFile());
        EXPECT_EQ(db.journalMode(), QStringLiteral("delete"));
        EXPECT_EQ(db.layout().sampleColumns.at(3), QStringLiteral("v0"));
    }
    EXPECT_EQ(HistoryFiles::sha256(path), before);
}

struct OddFile {
    const char* name;
    QStringList statements;
    const char* reason;
};

TEST_F(HistoryDatabaseTest, oddFilesAreRefusedWithTheReasonAndLeftUntouched)
{
    const OddFile cases[] = {
        {"empty database", {}, "the file has no table pv_data"},
        {"no pointer table",
         {QStringLiteral("create table pv_data (w_id, w_date, w_time, a, b, c, d, e, f, g, h, i, j)")},
         "the file has no table sl_void"},
        {"too few columns",
         {QStringLiteral("create table pv_data (w_id, w_date, w_time, a)"), QStringLiteral("create table sl_void (a, b)")},
         "table pv_data has 4 columns, 13 are needed"},
        {"other first columns",
         {QStringLiteral("create table pv_data (id, w_date, w_time, a, b, c, d, e, f, g, h, i, j)"),
          QStringLiteral("create table sl_void (a, b)")},
         "column 0 of table pv_data is id, not w_id"},
        {"one pointer column",
         {QStringLiteral("create table pv_data (w_id, w_date, w_time, a, b, c, d, e, f, g, h, i, j)"),
          QStringLiteral("create table sl_void (a)")},
         "table sl_void has 1 column, 2 are needed"},
    };
    int n = 0;
    for (const OddFile& c : cases) {
        const QString file = dir.filePath(QStringLiteral("odd%1.sqlite").arg(++n));
        ASSERT_TRUE(HistoryFiles::exec(file, c.statements.isEmpty() ? QStringList{QStringLiteral("pragma user_version=3")}
                                                                    : c.statements));
        const QByteArray before = HistoryFiles::sha256(file);
        HistoryDatabase db(QStringLiteral("test-recorder"), file);
        EXPECT_FALSE(db.open()) << c.name;
        EXPECT_FALSE(db.isOpen()) << c.name;
        EXPECT_EQ(db.errorText(), QString::fromLatin1(c.reason)) << c.name;
        EXPECT_EQ(HistoryFiles::sha256(file), before) << c.name;
    }
}

TEST(DatabasePath, defaultIsInTheUsersDataFolderAndTheCommandLineOverridesIt)
{
    // Where the README says it is: under $XDG_DATA_HOME, else ~/.local/share.
    const QByteArray saved = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", "/srv/station-data");
    EXPECT_EQ(DatabasePath::defaultPath(), QStringLiteral("/srv/station-data/tq5800/Rdatabj.sqlite"));
    qunsetenv("XDG_DATA_HOME");
    EXPECT_EQ(DatabasePath::defaultPath(), QDir::homePath() + QStringLiteral("/.local/share/tq5800/Rdatabj.sqlite"));
    if (!saved.isEmpty())
        qputenv("XDG_DATA_HOME", saved);
    EXPECT_EQ(DatabasePath::resolve(QString()), DatabasePath::defaultPath());
    EXPECT_EQ(DatabasePath::resolve(QStringLiteral("/srv/furnace.sqlite")), QStringLiteral("/srv/furnace.sqlite"));
    EXPECT_EQ(DatabasePath::resolve(QStringLiteral("furnace.sqlite")), QDir::current().absoluteFilePath(QStringLiteral("furnace.sqlite")));
}

} // namespace
