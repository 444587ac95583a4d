#include <array>

#include <QFile>
#include <QLabel>
#include <QTemporaryDir>

#include <gtest/gtest.h>

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

TEST(ChartPrint, printsTheChartOnOnePdfPage)
{
    TrendBuffers buffers;
    buffers.loadedCount = buffers.markEnd = buffers.curveEnd = TrendBuffers::kLiveWindow;
    for (auto& slot : buffers.trendValues)
        slot[0] = 30;
    ZoomGeometry zoom;
    zoom.apply();
    ChartYRange range;
    range.span = 60;
    TrendChartView view(buffers, zoom, range);
    view.resize(1000, 600);
    view.show();  // lays out the surface and its labels
    view.refresh();

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("chart.pdf"));
    ASSERT_TRUE(printChartToPdf(path, view, {QStringLiteral("过程控制仪表  TQ5800"), QStringLiteral("03-12-2001 14:05:07"),
                                             QStringLiteral("30"), QStringLiteral("50"), QStringLiteral("12.5")}));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray pdf = file.readAll();
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_GT(pdf.size(), 2000);
    EXPECT_LT(pdf.size(), 1000000);  // lines and text, not a page-sized picture
    EXPECT_EQ(pdfPages(pdf), 1);
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
