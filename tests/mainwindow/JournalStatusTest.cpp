#include <chrono>

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>

#include "journal/JournalSchema.h"
#include "mainwindow/AlarmPanel.h"
#include "mainwindow/LinkSettingsBar.h"
#include "mainwindow/LivePanel.h"
#include "support/ForwardingFieldbus.h"
#include "support/StationFixture.h"
#include "widgets/StatusIndicator.h"
#include "widgets/InstrumentEntry.h"

namespace {

// new_value of each "entries.refused" event, oldest first.
QStringList refusedCounts(const QString& path)
{
    QStringList counts;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("journal-reader"));
        db.setDatabaseName(path);
        if (db.open()) {
            QSqlQuery q(db);
            q.exec(QStringLiteral("select new_value from %1 where kind = 'entries.refused' order by id")
                       .arg(JournalSchema::kTable));
            while (q.next())
                counts << q.value(0).toString();
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("journal-reader"));
    return counts;
}

using JournalStatusTest = StationFixture;

TEST_F(JournalStatusTest, aJournalThatCannotBeWrittenShowsInTheStatusBarAndOneThatWorksDoesNot)
{
    QFile blocker(dir.filePath(QStringLiteral("blocker")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    {
        StationCore failingCore(std::make_unique<ForwardingFieldbus>(bus), clock, path,
                                dir.filePath(QStringLiteral("blocker/journal.sqlite")));
        MainWindow failing(failingCore, MainWindow::Ticking::ByCaller);
        failing.start();
        const StatusIndicator* shown = failing.journalIndicator();
        ASSERT_NE(shown, nullptr);
        EXPECT_FALSE(shown->isHidden());
        EXPECT_EQ(shown->text(), QStringLiteral("● 事件记录失败：是文件而不是文件夹：%1（14:05:07 起）").arg(blocker.fileName()))
            << shown->text().toStdString();
        EXPECT_EQ(shown->line().severity, StatusSeverity::Fault);
        EXPECT_TRUE(shown->toolTip().contains(QStringLiteral("blocker")));
    }

    StationCore writingCore(std::make_unique<ForwardingFieldbus>(bus), clock, path,
                            dir.filePath(QStringLiteral("journal.sqlite")));
    MainWindow writing(writingCore, MainWindow::Ticking::ByCaller);
    writing.start();
    ASSERT_NE(writing.journalIndicator(), nullptr);
    EXPECT_TRUE(writing.journalIndicator()->isHidden());
}

TEST_F(JournalStatusTest, refusedEntriesOfTheMainWindowAreCountedInTheJournal)
{
    const QString journalPath = dir.filePath(QStringLiteral("journal.sqlite"));
    StationCore journaling(std::make_unique<ForwardingFieldbus>(bus), clock, path, journalPath);
    MainWindow station(journaling, MainWindow::Ticking::ByCaller);
    station.start();
    journaling.poller().setCycleInterval(std::chrono::hours(1));
    station.settings()->openButton()->click();

    station.panel()->setValueEntry()->insert(QStringLiteral("abc"));
    station.panel()->setValueButton()->click();
    station.alarmPanel()->entry(0)->insert(QStringLiteral("99999"));
    station.alarmPanel()->downloadButton(0)->click();
    journaling.stationExited();

    EXPECT_EQ(refusedCounts(journalPath), QStringList{QStringLiteral("2")});
}

} // namespace
