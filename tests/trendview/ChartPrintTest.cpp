#include <array>

#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "core/DateValue.h"
#include "trend/ChartDrawing.h"
#include "trendview/ChartPrint.h"
#include "trend/TrendBuffers.h"
#include "trendview/TrendChartView.h"
#include "trend/ZoomGeometry.h"

namespace {

// Pages of a PDF file: its page objects, not the page tree.
int pdfPages(const QByteArray& pdf)
{
    return static_cast<int>(pdf.count("/Type /Page") - pdf.count("/Type /Pages"));
}

// The text of a PDF page as a reader's copy and paste would find it.
QString pdfText(const QString& path)
{
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!pdftotext.waitForFinished(20000))
        return QString();
    return QString::fromUtf8(pdftotext.readAllStandardOutput());
}

TEST(ChartPrint, printsOnePageWhoseLabelsDatesAndHeadingAreReadableText)
{
    TrendBuffers buffers;
    buffers.loadedCount = buffers.markEnd = buffers.curveEnd = TrendBuffers::kLiveWindow;
    const QDateTime first(QDate(2001, 3, 12), QTime(14, 0, 0));
    for (int slot = 1; slot <= TrendBuffers::kLiveWindow; ++slot) {
        buffers.trendValues[static_cast<size_t>(slot)][0] = 30;
        buffers.trendDates[static_cast<size_t>(slot)] = DateValue::fromDate(first.date());
        buffers.trendTimes[static_cast<size_t>(slot)] = DateValue::fromTime(first.addSecs(slot - 1).time());
    }
    ZoomGeometry zoom;
    zoom.apply();
    ChartYRange range;
    range.span = 60;
    TrendChartView view(buffers, zoom, range);
    view.resize(1000, 600);
    view.show();  // lays out the surface and its labels
    view.setYAxisScale({60, 50, 40, 30, 20, 10, 0});
    view.refresh();

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("chart.pdf"));
    ASSERT_TRUE(printChartToPdf(path, view,
                                {QStringLiteral("过程控制仪表  TQ5800"),
                                 QStringLiteral("实时曲线 2001-03-12 14:03:01 至 2001-03-12 14:04:00"),
                                 QStringLiteral("打印时 2001-03-12 14:04:01"), QStringLiteral("30"),
                                 QStringLiteral("50"), QStringLiteral("12.5")}));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray pdf = file.readAll();
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_LT(pdf.size(), 1000000);  // lines and text, not a page-sized picture
    EXPECT_EQ(pdfPages(pdf), 1);

    const QString text = pdfText(path);
    ASSERT_FALSE(text.isEmpty()) << "pdftotext gave nothing";
    EXPECT_TRUE(text.contains(QStringLiteral("实时曲线 2001-03-12 14:03:01 至 2001-03-12 14:04:00")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("打印时 2001-03-12 14:04:01：测量值PV 30")));
    for (int i = 0; i < 9; ++i)  // every time label and its date, whole
        EXPECT_TRUE(text.contains(view.timeLabel(i)->text().section(QLatin1Char('\n'), 0, 0))) << i;
    EXPECT_TRUE(text.contains(QStringLiteral("2001-03-12")));
    for (const char* label : {"60", "50", "40", "PV", "OP", "SV"})
        EXPECT_TRUE(text.contains(QLatin1String(label))) << label;
}

TEST(ChartLegend, eachNameIsWrittenInTheColourOfItsCurve)
{
    TrendBuffers buffers;
    ZoomGeometry zoom;
    const ChartYRange range;
    TrendChartView view(buffers, zoom, range);
    view.resize(1000, 600);
    view.show();
    const std::array<QColor, 3> curves{ChartColours::kPv, ChartColours::kOp, ChartColours::kSv};
    for (int i = 0; i < 3; ++i) {
        QLabel* legend = view.legendLabel(i);
        legend->ensurePolished();
        EXPECT_EQ(legend->palette().color(QPalette::WindowText), curves[static_cast<size_t>(i)])
            << legend->text().toStdString();
    }
}

} // namespace
