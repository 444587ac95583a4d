#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "journal/JournalCsv.h"
#include "journalwindow/JournalFilterBar.h"
#include "journalwindow/JournalModel.h"
#include "journalwindow/JournalWindow.h"
#include "support/JournalFiles.h"
#include "support/WaitFor.h"
#include "widgets/ElidedLabel.h"
#include "widgets/PanelStates.h"

namespace {

using Kind = JournalEvent::Kind;

const QDateTime kStart(QDate(2026, 12, 7), QTime(8, 0), Qt::OffsetFromUTC, 3600);

// Every fifth event an alarm raised, the next one cleared, the rest writes
// of "SV" with values counting up.
JournalEvent madeEvent(int64_t i)
{
    const Kind kind = i % 5 == 0 ? Kind::AlarmRaised : i % 5 == 1 ? Kind::AlarmCleared : Kind::Write;
    JournalEvent event = JournalFiles::event(kind, kStart.addSecs(60 * i),
                                             kind == Kind::Write ? QStringLiteral("SV") : QStringLiteral("ALM1"));
    if (kind == Kind::Write) {
        event.newValue = QString::number(i);
        event.outcome = QStringLiteral("ok");
    }
    return event;
}

class JournalWindowTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    void seed(int64_t count)
    {
        ASSERT_TRUE(JournalFiles::appendMade(path, count, [this](int64_t) { return madeEvent(made++); }));
    }

    void openWindow()
    {
        window = std::make_unique<JournalWindow>(path);
        window->refreshTimer().stop();  // the test refreshes
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    JournalModel& model() { return *window->model(); }
    JournalFilterBar& bar() { return *window->filterBar(); }
    QString status() const { return window->statusLine()->text(); }

    // Runs the export to its end; whether it worked.
    bool exportTo(const QString& csv)
    {
        QSignalSpy finished(window.get(), &JournalWindow::exportFinished);
        window->exportTo(csv);
        EXPECT_TRUE(finished.wait(30000));
        return !finished.isEmpty() && finished.first().first().toBool();
    }

    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("journal.sqlite"));
    int64_t made = 0;
    std::unique_ptr<JournalWindow> window;
};

TEST_F(JournalWindowTest, opensWithOnePageNewestFirstAndReadsMoreAsTheViewScrolls)
{
    seed(1000);
    openWindow();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("事件记录"));
    EXPECT_EQ(model().rowCount(), JournalModel::kPageSize);
    EXPECT_EQ(model().event(0).id, 1000);
    EXPECT_EQ(model().data(model().index(0, JournalModel::Time)).toString(), QStringLiteral("2026-12-08 00:39:00"));
    EXPECT_EQ(model().data(model().index(1, JournalModel::Kind)).toString(), QStringLiteral("写入仪表"));
    EXPECT_EQ(model().data(model().index(1, JournalModel::Outcome)).toString(), QStringLiteral("成功"));

    for (int i = 0; i < 20 && model().rowCount() < 1000; ++i) {
        window->table()->scrollToBottom();
        QCoreApplication::processEvents();
    }
    ASSERT_EQ(model().rowCount(), 1000);
    EXPECT_FALSE(model().canFetchMore({}));
    for (int row = 0; row < 1000; ++row)
        ASSERT_EQ(model().event(row).id, 1000 - row);
}

TEST_F(JournalWindowTest, alarmRowsAreRedWhenRaisedAndGreenWhenClearedOthersUncoloured)
{
    seed(10);
    openWindow();
    auto background = [&](int id) { return model().data(model().index(10 - id, 3), Qt::BackgroundRole); };
    EXPECT_EQ(background(1).value<QColor>(), PanelColours::kLightRed);  // made as event 0
    EXPECT_EQ(background(2).value<QColor>(), PanelColours::kLightGreen);
    EXPECT_FALSE(background(3).isValid());
}

TEST_F(JournalWindowTest, kindTextAndTimeFiltersNarrowTheTable)
{
    seed(100);
    openWindow();
    bar().kindChoice()->setCurrentIndex(bar().kindChoice()->findText(QStringLiteral("报警发生")));
    EXPECT_EQ(model().rowCount(), 20);
    EXPECT_EQ(model().event(0).kind, Kind::AlarmRaised);

    bar().kindChoice()->setCurrentIndex(0);  // "全部"
    bar().searchText()->setText(QStringLiteral("9"));
    ASSERT_TRUE(waitFor([&] { return model().rowCount() < 100; }));
    EXPECT_EQ(model().rowCount(), 15);  // the writes with a 9 in their value: 9, 19, ... 89 and 92..99 but 95, 96

    bar().searchText()->clear();
    bar().fromTime()->setDateTime(kStart.addSecs(60 * 90));
    bar().fromOn()->setChecked(true);
    bar().toTime()->setDateTime(kStart.addSecs(60 * 95));
    bar().toOn()->setChecked(true);
    ASSERT_TRUE(waitFor([&] { return model().rowCount() == 6; }));  // "到" takes in its own second
    EXPECT_EQ(model().event(0).id, 96);
    EXPECT_EQ(model().event(5).id, 91);
}

TEST_F(JournalWindowTest, aRangeEndingBeforeItStartsIsRefusedInTheStatusLineAndTheTableStays)
{
    seed(100);
    openWindow();
    bar().toTime()->setDateTime(kStart.addSecs(60 * 20));
    bar().toOn()->setChecked(true);
    ASSERT_EQ(model().rowCount(), 21);
    bar().fromTime()->setDateTime(kStart.addSecs(60 * 30));
    bar().fromOn()->setChecked(true);
    EXPECT_EQ(status(), QStringLiteral("起始时间晚于结束时间"));
    EXPECT_FALSE(bar().fromTime()->styleSheet().isEmpty());
    EXPECT_EQ(model().rowCount(), 21);

    bar().fromTime()->setDateTime(kStart.addSecs(60 * 20));  // one second, from and to
    EXPECT_TRUE(status().isEmpty());
    EXPECT_TRUE(bar().fromTime()->styleSheet().isEmpty());
    EXPECT_EQ(model().rowCount(), 1);
}

TEST_F(JournalWindowTest, refreshPutsNewEventsOnTopAndAScrolledViewKeepsItsRows)
{
    seed(1000);
    openWindow();
    seed(3);
    window->refreshButton()->click();
    EXPECT_EQ(model().event(0).id, 1003);
    EXPECT_EQ(window->table()->verticalScrollBar()->value(), 0);  // the newest in sight

    QTableView& table = *window->table();
    table.verticalScrollBar()->setValue(50);
    const int topRow = table.rowAt(0);
    const int64_t topId = model().event(topRow).id;
    seed(4);
    window->refresh();
    EXPECT_EQ(model().event(0).id, 1007);
    EXPECT_EQ(model().event(table.rowAt(0)).id, topId);
    EXPECT_EQ(model().rowCount(), JournalModel::kPageSize + 7);
}

TEST_F(JournalWindowTest, exportWritesEveryMatchingEventNotOnlyTheRowsReadOneExportAtATime)
{
    seed(1000);
    openWindow();
    bar().kindChoice()->setCurrentIndex(bar().kindChoice()->findText(QStringLiteral("写入仪表")));
    const QString csv = dir.filePath(QStringLiteral("out.csv"));
    const QString second = dir.filePath(QStringLiteral("second.csv"));
    QSignalSpy finished(window.get(), &JournalWindow::exportFinished);
    window->exportTo(csv);
    EXPECT_FALSE(window->exportButton()->isEnabled());
    window->exportTo(second);  // its end is reported only through the event loop
    EXPECT_EQ(status(), QStringLiteral("上一次导出尚未完成"));
    ASSERT_TRUE(finished.wait(30000));
    EXPECT_TRUE(finished.first().first().toBool());
    EXPECT_TRUE(window->exportButton()->isEnabled());
    EXPECT_FALSE(QFile::exists(second));
    EXPECT_EQ(status(), QStringLiteral("已导出 600 条事件：%1").arg(csv));
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith(JournalCsv::header()));
    EXPECT_EQ(bytes.count("\r\n"), 601);
    EXPECT_EQ(bytes.count(",alarm."), 0);

    EXPECT_FALSE(exportTo(dir.filePath(QStringLiteral("no-such-folder/out.csv"))));
    EXPECT_TRUE(status().startsWith(QStringLiteral("导出失败：")));
}

TEST_F(JournalWindowTest, anUnreadableJournalIsSaidInTheStatusLineUntilItCanBeRead)
{
    openWindow();  // no file yet
    EXPECT_EQ(model().rowCount(), 0);
    EXPECT_EQ(status(), QStringLiteral("事件记录文件不能读取：%1").arg(path));
    EXPECT_FALSE(QFile::exists(path));

    seed(5);
    window->refresh();
    EXPECT_EQ(model().rowCount(), 5);
    EXPECT_TRUE(status().isEmpty());
}

TEST_F(JournalWindowTest, theToolsCsvIsTheWindowsExportForTheSameFilter)
{
    seed(700);
    openWindow();
    bar().kindChoice()->setCurrentIndex(bar().kindChoice()->findText(QStringLiteral("报警解除")));
    bar().fromTime()->setDateTime(kStart.addSecs(60 * 100));
    bar().fromOn()->setChecked(true);
    const QString csv = dir.filePath(QStringLiteral("window.csv"));
    ASSERT_TRUE(exportTo(csv));

    QProcess tool;
    tool.start(QStringLiteral(TQ5800_JOURNAL_TOOL_PATH),
               {QStringLiteral("--journal"), path, QStringLiteral("--kind"), QStringLiteral("alarm.cleared"),
                QStringLiteral("--from"), kStart.addSecs(60 * 100).toString(Qt::ISODate), QStringLiteral("--csv"),
                QStringLiteral("--lang"), QStringLiteral("zh")});  // the window here speaks Chinese
    ASSERT_TRUE(tool.waitForFinished(30000));
    EXPECT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray exported = file.readAll();
    EXPECT_EQ(exported.count("\r\n"), 121);  // header and events 101, 106, ... 696
    EXPECT_EQ(tool.readAllStandardOutput(), exported);
}

// Some events are written after they happened: the refused entries of a
// minute once it is over, with the minute's start.
TEST_F(JournalWindowTest, rowsStandInTimeOrderAlsoForEventsWrittenAfterTheyHappened)
{
    const QDateTime minute(QDate(2026, 12, 7), QTime(9, 3), Qt::OffsetFromUTC, 3600);
    ASSERT_TRUE(JournalFiles::append(path, {JournalFiles::event(Kind::AlarmRaised, minute.addSecs(54), QStringLiteral("ALM1"))}));
    openWindow();
    ASSERT_TRUE(JournalFiles::append(path, {JournalFiles::event(Kind::EntriesRefused, minute),
                                            JournalFiles::event(Kind::Write, minute.addSecs(85), QStringLiteral("SV"))}));
    QTest::mouseClick(window->refreshButton(), Qt::LeftButton);

    const QStringList inTimeOrder{QStringLiteral("2026-12-07 09:04:25"), QStringLiteral("2026-12-07 09:03:54"),
                                  QStringLiteral("2026-12-07 09:03:00")};
    const auto times = [this] {
        QStringList shown;
        for (int row = 0; row < model().rowCount(); ++row)
            shown << model().index(row, JournalModel::Time).data().toString();
        return shown;
    };
    EXPECT_EQ(times(), inTimeOrder);
    window = std::make_unique<JournalWindow>(path);  // opened afresh, the same
    EXPECT_EQ(times(), inTimeOrder);
}

TEST_F(JournalWindowTest, escClosesTheWindowAsItClosesTheOthers)
{
    seed(3);
    openWindow();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(window->table(), Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
}

} // namespace
