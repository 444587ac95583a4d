#include <QDateTimeEdit>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "exportwindow/ExportWindow.h"
#include "support/FakeClock.h"
#include "support/PeriodFiles.h"
#include "widgets/ElidedLabel.h"

namespace {

const QDateTime kRingStart(QDate(2026, 11, 10), QTime(8, 0));

QString pdfText(const QString& path)
{
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
    if (!pdftotext.waitForFinished(20000))
        return QString();
    // Without white space: pdftotext spaces words as it sees fit.
    return QString::fromUtf8(pdftotext.readAllStandardOutput()).remove(QRegularExpression(QStringLiteral("\\s")));
}

class ExportWindowTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    void openWindow(int ringSamples, const QString& archiveFolder = QString())
    {
        ASSERT_TRUE(PeriodFiles::writeRing(ringPath, kRingStart, ringSamples, 1));
        ExportSources sources;
        sources.ringPath = ringPath;
        sources.archiveFolder = archiveFolder;
        sources.instrument = QStringLiteral("仪表 1 · /dev/ttyUSB0");
        window = std::make_unique<ExportWindow>(sources, clock);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    // "开始" and the export's end; whether the file was written.
    bool runExport()
    {
        QSignalSpy finished(window.get(), &ExportWindow::finished);
        window->startButton()->click();
        EXPECT_TRUE(window->exporting());
        EXPECT_TRUE(finished.wait(60000));
        return !finished.isEmpty() && finished.first().first().toBool();
    }

    QString status() const { return window->statusLine()->text(); }
    QStringList filesWritten() const { return QDir(dir.path()).entryList({QStringLiteral("out*")}, QDir::Files); }

    QTemporaryDir dir;
    QString ringPath = dir.filePath(QStringLiteral("history.sqlite"));
    QString csvPath = dir.filePath(QStringLiteral("out.csv"));
    FakeClock clock{kRingStart.addDays(1)};
    std::unique_ptr<ExportWindow> window;
};

TEST_F(ExportWindowTest, eachBadEntryIsMarkedAndSaidAndNothingIsWritten)
{
    openWindow(60);
    QSignalSpy refused(window.get(), &ExportWindow::refused);
    auto marked = [](const QWidget* field) { return !field->styleSheet().isEmpty(); };
    auto refusedWith = [&](const QString& reason) {
        window->startButton()->click();
        EXPECT_FALSE(window->exporting());
        EXPECT_TRUE(status().contains(reason)) << status().toStdString();
    };
    window->setPeriod(kRingStart, kRingStart.addSecs(59));
    window->setPath(csvPath);

    window->toField()->setDateTime(kRingStart);  // one moment: from is not before to
    refusedWith(QStringLiteral("起始时间须早于结束时间"));
    EXPECT_TRUE(marked(window->fromField()));
    EXPECT_TRUE(marked(window->toField()));

    window->fromField()->setDateTime(clock.now().addSecs(60));
    window->toField()->setDateTime(clock.now().addSecs(120));
    EXPECT_FALSE(marked(window->fromField()));  // the correction takes the mark away
    refusedWith(QStringLiteral("起始时间不能晚于现在"));
    EXPECT_TRUE(marked(window->fromField()));
    EXPECT_FALSE(marked(window->toField()));
    window->setPeriod(kRingStart, kRingStart.addSecs(59));

    window->reportChoice()->setChecked(true);
    EXPECT_EQ(window->pathField()->text(), dir.filePath(QStringLiteral("out.pdf")));
    for (const QString& band : {QStringLiteral("abc"), QStringLiteral("-1")}) {
        window->bandField()->setText(band);
        refusedWith(QStringLiteral("偏差带须是不小于 0 的数"));
        EXPECT_TRUE(marked(window->bandField()));
    }
    window->csvChoice()->setChecked(true);
    EXPECT_FALSE(marked(window->bandField()));  // the CSV has no band

    window->setPath(QString());
    refusedWith(QStringLiteral("请用“另存为…”选择文件"));
    EXPECT_TRUE(marked(window->pathField()));

    EXPECT_EQ(refused.count(), 5);
    EXPECT_TRUE(filesWritten().isEmpty());
}

TEST_F(ExportWindowTest, aCsvOfASeededPeriodHasOneLinePerSampleAndNamesTheDamagedMonthFile)
{
    // The period's month file cannot be read: passed over and named, the
    // ring gives the samples.
    const QString archive = dir.filePath(QStringLiteral("archive"));
    ASSERT_TRUE(QDir().mkpath(archive));
    QFile damaged(QDir(archive).filePath(QStringLiteral("2026-11.sqlite")));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write(QByteArray(8192, 'x'));
    damaged.close();
    openWindow(3600, archive);
    QSignalSpy finished(window.get(), &ExportWindow::finished);
    window->setPeriod(kRingStart.addSecs(600), kRingStart.addSecs(1199));  // "到" names the last second
    window->setPath(csvPath);

    ASSERT_TRUE(runExport()) << status().toStdString();
    QFile csv(csvPath);
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = csv.readAll().split('\n');
    ASSERT_EQ(lines.size(), 602);  // header, 600 samples, nothing after the last line end
    // PV is the ring's record number, 1 at the ring's start.
    EXPECT_TRUE(lines[1].startsWith(kRingStart.addSecs(600).toString(Qt::ISODate).toUtf8())) << lines[1].data();
    EXPECT_TRUE(lines[1].endsWith(",601,40,250,,,\r"));
    EXPECT_TRUE(lines[600].endsWith(",1200,40,250,,,\r"));
    EXPECT_EQ(status(), QStringLiteral("已导出 600 个采样：%1；跳过损坏的月文件 2026-11.sqlite").arg(csvPath));
    EXPECT_EQ(finished.first().at(1).toString(), status());
    EXPECT_EQ(window->progressBar()->value(), ExportWindow::kProgressSteps);
}

TEST_F(ExportWindowTest, aReportIsWrittenWithTheInstrumentInItsHeading)
{
    openWindow(600);
    window->setPeriod(kRingStart, kRingStart.addSecs(599));
    window->reportChoice()->setChecked(true);
    window->bandField()->setText(QStringLiteral("2.5"));
    const QString pdf = dir.filePath(QStringLiteral("out.pdf"));
    window->setPath(pdf);

    ASSERT_TRUE(runExport()) << status().toStdString();
    const QString text = pdfText(pdf);
    EXPECT_TRUE(text.contains(QStringLiteral("周期报表仪表1·/dev/ttyUSB0"))) << text.left(300).toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("2.5"))) << text.left(600).toStdString();
    EXPECT_EQ(status(), QStringLiteral("报表已写入（600 个采样）：%1").arg(pdf));
}

TEST_F(ExportWindowTest, cancelLeavesNoFileAndTheWindowReadyForTheNextExport)
{
    openWindow(65500);
    window->setPeriod(kRingStart, kRingStart.addSecs(65499));
    window->setPath(csvPath);
    QSignalSpy finished(window.get(), &ExportWindow::finished);
    window->startButton()->click();
    ASSERT_TRUE(window->exporting());
    EXPECT_FALSE(window->startButton()->isEnabled());
    window->cancelButton()->click();
    ASSERT_TRUE(finished.wait(60000));
    EXPECT_FALSE(finished.first().first().toBool());
    EXPECT_EQ(status(), QStringLiteral("导出已取消，未写入文件"));
    EXPECT_TRUE(filesWritten().isEmpty());
    EXPECT_TRUE(window->isVisible());  // "取消" stopped the export, not the window

    EXPECT_TRUE(window->startButton()->isEnabled());
    window->toField()->setDateTime(kRingStart.addSecs(9));
    EXPECT_TRUE(runExport()) << status().toStdString();
    EXPECT_EQ(filesWritten(), QStringList{QStringLiteral("out.csv")});
}

TEST_F(ExportWindowTest, theWindowTakesEventsAndTheBarMovesThroughThePeriodWhileAnExportRuns)
{
    openWindow(65500);
    window->setPeriod(kRingStart, kRingStart.addSecs(65499));
    window->setPath(csvPath);
    std::vector<int> bar;
    QObject::connect(window->progressBar(), &QProgressBar::valueChanged, [&](int value) {
        if (window->exporting())
            bar.push_back(value);
    });
    // Posted behind "开始": it runs only if the window does not wait for
    // the export.
    bool ranWhileExporting = false;
    QTimer::singleShot(0, window.get(), [&] { ranWhileExporting = window->exporting(); });

    ASSERT_TRUE(runExport()) << status().toStdString();
    EXPECT_TRUE(ranWhileExporting);
    ASSERT_GE(bar.size(), 4u);
    EXPECT_TRUE(std::is_sorted(bar.begin(), bar.end()));
    EXPECT_GT(bar.back(), ExportWindow::kProgressSteps / 2);
    EXPECT_LT(bar.back(), ExportWindow::kProgressSteps);
}

} // namespace
