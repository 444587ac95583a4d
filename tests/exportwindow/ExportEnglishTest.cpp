#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "exportwindow/ExportWindow.h"
#include "support/ClippedTexts.h"
#include "support/EnglishInterface.h"
#include "support/FakeClock.h"
#include "support/PeriodFiles.h"

namespace {

const QDateTime kRingStart(QDate(2026, 11, 10), QTime(8, 0));
constexpr QSize kScreen(1280, 800);

TEST(ExportEnglishTest, everyFixedTextFitsForBothKindsOnTheOperatorsScreen)
{
    EnglishInterface english;  // before the window: its texts are set when built
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ExportSources sources;
    sources.ringPath = dir.filePath(QStringLiteral("history.sqlite"));
    ASSERT_TRUE(PeriodFiles::writeRing(sources.ringPath, kRingStart, 60, 1));
    sources.instrument = QStringLiteral("Instrument 1 · /dev/ttyUSB0");
    FakeClock clock{kRingStart.addDays(1)};
    ExportWindow window(sources, clock);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Export Records"));

    for (QRadioButton* kind : {window.reportChoice(), window.csvChoice()}) {
        kind->setChecked(true);
        QCoreApplication::processEvents();
        EXPECT_LE(window.width(), kScreen.width());
        EXPECT_LE(window.height(), kScreen.height());
        const QStringList clipped = ClippedTexts::of(&window);
        EXPECT_TRUE(clipped.isEmpty()) << kind->text().toStdString() << ":\n"
                                       << clipped.join(QLatin1Char('\n')).toStdString();
    }
}

} // namespace
