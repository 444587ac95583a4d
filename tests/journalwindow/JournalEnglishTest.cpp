#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStyle>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "journalwindow/JournalFilterBar.h"
#include "journalwindow/JournalModel.h"
#include "journalwindow/JournalWindow.h"
#include "support/ClippedTexts.h"
#include "support/EnglishInterface.h"
#include "support/JournalFiles.h"
#include "support/WaitFor.h"
#include "instrument/WriteSubject.h"
#include "journal/StoredForms.h"
#include "link/WriteRequest.h"

namespace {

using Kind = JournalEvent::Kind;

const QDateTime kStart(QDate(2026, 12, 7), QTime(8, 0), Qt::OffsetFromUTC, 3600);
constexpr QSize kScreen(1280, 800);

// One event of every kind, a minute apart, as the station stores them; the
// writes alternate between a success and a failure so both outcomes are
// shown.
std::vector<JournalEvent> everyKind()
{
    const QString instrument = StoredForms::instrument(1, 1);
    std::vector<JournalEvent> events;
    int minute = 0;
    for (Kind kind : JournalKinds::all()) {
        JournalEvent event = JournalFiles::event(kind, kStart.addSecs(60 * minute++));
        event.outcome = minute % 2 ? QStringLiteral("ok") : QStringLiteral("failed");
        switch (kind) {
        case Kind::AlarmRaised:
        case Kind::AlarmCleared:
            event.source = instrument;
            event.what = QStringLiteral("ALM1");
            break;
        case Kind::LinkOpened:
        case Kind::LinkClosed:
        case Kind::LinkRecovered:
            event.source = instrument;
            break;
        case Kind::LinkFailing:
            event.source = instrument;
            event.oldValue = kStart.toString(Qt::ISODateWithMs);
            event.text = QStringLiteral("Connection timed out");
            break;
        case Kind::Write:
            event.source = instrument;
            event.what = WriteSubject::coilCode(2);
            event.oldValue = StoredForms::coilValue(false);
            event.newValue = StoredForms::coilValue(true);
            event.text = StoredForms::writeFailure(1, QStringLiteral("Connection timed out"));
            event.origin = WriteOrigin::kMainWindow;
            event.user = QStringLiteral("operator");
            break;
        case Kind::EntriesRefused: event.newValue = QStringLiteral("2"); break;
        case Kind::HistoryFailing: event.text = QStringLiteral("disk I/O error"); break;
        case Kind::HistoryReplaced: event.text = StoredForms::kHistoryRecreated; break;
        case Kind::HistoryResumed:
            event.newValue = QStringLiteral("73");
            event.text = StoredForms::kRingGapArchived;
            break;
        case Kind::ArchiveResumed: event.newValue = QStringLiteral("3"); break;
        case Kind::ArchiveRemoved:
            event.what = QStringLiteral("2026-01.sqlite");
            event.newValue = QStringLiteral("3");
            break;
        case Kind::StationInterrupted: event.oldValue = StoredForms::moment(kStart); break;
        case Kind::JournalResumed: event.text = StoredForms::droppedEvents(2); break;
        case Kind::StationStarted:
            event.text = StoredForms::stationStarted(QStringLiteral("0.1.0"), QStringLiteral("/data/h.sqlite"),
                                                     QStringLiteral("/data/journal.sqlite"));
            break;
        default: break;
        }
        events.push_back(event);
    }
    // And one more write, of the set value, that the instrument took.
    JournalEvent write = JournalFiles::event(Kind::Write, kStart.addSecs(60 * minute), WriteSubject::registerCode(1));
    write.source = instrument;
    write.oldValue = QStringLiteral("100");
    write.newValue = QStringLiteral("250");
    write.outcome = QStringLiteral("ok");
    write.origin = WriteOrigin::kMainWindow;
    events.push_back(write);
    return events;
}

bool hasChinese(const QString& text)
{
    static const QRegularExpression han(QStringLiteral("[\\x{3000}-\\x{303F}\\x{4E00}-\\x{9FFF}\\x{FF00}-\\x{FFEF}]"));
    return text.contains(han);
}

class JournalEnglishTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(JournalFiles::append(path, everyKind()));
        window = std::make_unique<JournalWindow>(path);
        window->refreshTimer().stop();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    EnglishInterface english;  // before the window: its texts are set when built
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("journal.sqlite"));
    std::unique_ptr<JournalWindow> window;
};

TEST_F(JournalEnglishTest, everyFixedTextAndEveryKindAndOutcomeFitsOnTheOperatorsScreen)
{
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Event Journal"));
    EXPECT_LE(window->width(), kScreen.width());
    EXPECT_LE(window->height(), kScreen.height());
    QStringList clipped = ClippedTexts::of(window.get());
    // Every kind the filter offers, each in turn as the shown choice.
    QComboBox* kinds = window->filterBar()->kindChoice();
    for (int i = 1; i < kinds->count(); ++i) {
        kinds->setCurrentIndex(i);
        clipped << ClippedTexts::of(kinds);
    }
    EXPECT_TRUE(clipped.isEmpty()) << clipped.join(QLatin1Char('\n')).toStdString();
    kinds->setCurrentIndex(0);
    ASSERT_TRUE(waitFor([&] { return window->table()->model()->rowCount() == static_cast<int>(JournalKinds::all().size()) + 1; }));

    // The kind and outcome cells hold fixed texts too: they must not be cut.
    const QTableView* table = window->table();
    // A cell's text has the style's margins on both sides and the grid line beside it.
    const int margin = 2 * (table->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, table) + 1) +
                       (table->showGrid() ? 1 : 0);
    QStringList cut;
    for (int column : {JournalModel::Kind, JournalModel::Outcome}) {
        for (int row = 0; row < table->model()->rowCount(); ++row) {
            const QString text = table->model()->index(row, column).data().toString();
            const int need = table->fontMetrics().horizontalAdvance(text) + margin;
            if (need > table->columnWidth(column))
                cut << ClippedTexts::describe(table, text, need, table->columnWidth(column));
        }
    }
    EXPECT_TRUE(cut.isEmpty()) << cut.join(QLatin1Char('\n')).toStdString();
}

TEST_F(JournalEnglishTest, everyColumnOfEveryKindIsEnglishAndTheOperatorFindsEventsByTheirEnglishWords)
{
    const QAbstractItemModel* table = window->table()->model();
    ASSERT_EQ(table->rowCount(), static_cast<int>(JournalKinds::all().size()) + 1);
    QStringList chinese;
    for (int row = 0; row < table->rowCount(); ++row) {
        for (int column = 0; column < table->columnCount(); ++column) {
            const QString text = table->index(row, column).data().toString();
            if (hasChinese(text))
                chinese << QStringLiteral("%1/%2: %3").arg(row).arg(column).arg(text);
        }
    }
    EXPECT_TRUE(chinese.isEmpty()) << chinese.join(QLatin1Char('\n')).toStdString();

    // The operator searches for what he reads.
    QTest::keyClicks(window->filterBar()->searchText(), QStringLiteral("set sv"));
    ASSERT_TRUE(waitFor([&] { return table->rowCount() == 1; }));
    EXPECT_EQ(table->index(0, JournalModel::What).data().toString(), QStringLiteral("Set SV"));
    EXPECT_EQ(table->index(0, JournalModel::Origin).data().toString(), QStringLiteral("Main window"));
}

TEST_F(JournalEnglishTest, theCsvExportIsInEnglishAsTheWindowIs)
{
    QComboBox* kinds = window->filterBar()->kindChoice();
    kinds->setCurrentIndex(kinds->findText(QStringLiteral("Alarm cleared")));
    ASSERT_TRUE(waitFor([&] { return window->table()->model()->rowCount() == 1; }));
    EXPECT_EQ(window->table()->model()->index(0, JournalModel::Kind).data().toString(),
              QStringLiteral("Alarm cleared"));

    const QString csv = dir.filePath(QStringLiteral("english.csv"));
    QSignalSpy finished(window.get(), &JournalWindow::exportFinished);
    window->exportTo(csv);
    ASSERT_TRUE(finished.wait(30000));
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[1].contains(QStringLiteral(",alarm.cleared,Alarm cleared,Port 1 address 1,ALM1,")))
        << lines[1].toStdString();
    EXPECT_FALSE(hasChinese(lines[1])) << lines[1].toStdString();
}

} // namespace
