#include <QComboBox>
#include <QFile>
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

namespace {

using Kind = JournalEvent::Kind;

const QDateTime kStart(QDate(2026, 12, 7), QTime(8, 0), Qt::OffsetFromUTC, 3600);
constexpr QSize kScreen(1280, 800);

// One event of every kind, a minute apart; the writes alternate between a
// success and a failure so both outcomes are shown.
std::vector<JournalEvent> everyKind()
{
    std::vector<JournalEvent> events;
    int minute = 0;
    for (Kind kind : JournalKinds::all()) {
        JournalEvent event = JournalFiles::event(kind, kStart.addSecs(60 * minute++), QStringLiteral("SV"));
        event.outcome = minute % 2 ? QStringLiteral("ok") : QStringLiteral("failed");
        events.push_back(event);
    }
    return events;
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
    ASSERT_TRUE(waitFor([&] { return window->table()->model()->rowCount() == static_cast<int>(JournalKinds::all().size()); }));

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

TEST_F(JournalEnglishTest, theWindowShowsEnglishKindsWhileItsCsvKeepsTheStoredChineseCaptions)
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
    const QString exported = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(exported.contains(QStringLiteral("报警解除"))) << exported.toStdString();
    EXPECT_FALSE(exported.contains(QStringLiteral("Alarm cleared")));
}

} // namespace
