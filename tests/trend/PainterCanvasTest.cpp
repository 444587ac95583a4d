#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include "support/StampedSlots.h"
#include "trend/ChartDrawing.h"
#include "trend/PainterCanvas.h"
#include "trend/TrendBuffers.h"
#include "trend/ZoomGeometry.h"

namespace {

// The user scale maps onto any pixel size: a PV held at half the span lies
// on the middle row of the picture, whatever the picture's size.
TEST(PainterCanvas, userScaleMapsOntoThePicture)
{
    for (const QSize size : {QSize(1600, 1000), QSize(600, 375)}) {
        TrendBuffers buffers;
        buffers.loadedCount = buffers.markEnd = buffers.curveEnd = TrendBuffers::kLiveWindow;
        for (auto& slot : buffers.trendValues)
            slot[0] = 30;
        stampSlots(buffers, 1, TrendBuffers::kLiveWindow);
        ZoomGeometry zoom;
        zoom.apply();
        ChartYRange range;
        range.span = 60;

        QImage picture(size, QImage::Format_RGB32);
        QPainter painter(&picture);
        PainterCanvas canvas(painter, picture.rect(), 12008, 7508);
        canvas.clear();
        drawGrid(canvas);
        drawCurves(canvas, buffers, zoom, range);
        painter.end();

        // Background in a corner cell, the red PV line at y = 3758 of 7508.
        EXPECT_EQ(picture.pixelColor(size.width() / 100 + 3, size.height() / 50 + 3), QColor(192, 255, 255));
        const int x = size.width() * 4500 / 12008;
        const int y = static_cast<int>(3758.0 * size.height() / 7508);
        bool redNearby = false;
        for (int dy = -2; dy <= 2; ++dy) {
            const QColor c = picture.pixelColor(x, y + dy);
            redNearby = redNearby || (c.red() > 200 && c.green() < 120 && c.blue() < 120);
        }
        EXPECT_TRUE(redNearby) << size.width() << "x" << size.height();
    }
}

// A line of one pixel on screen is as wide on a printer's page: at
// 1200 dots per inch that is 12.5 dots, not a hairline of one.
TEST(PainterCanvas, penWidthsGrowWithTheDevicesResolution)
{
    const auto rowsCovered = [](int dotsPerInch) {
        QImage picture(QSize(400, 400), QImage::Format_RGB32);
        picture.setDotsPerMeterX(static_cast<int>(dotsPerInch / 0.0254));
        picture.setDotsPerMeterY(static_cast<int>(dotsPerInch / 0.0254));
        picture.fill(Qt::white);
        QPainter painter(&picture);
        PainterCanvas canvas(painter, picture.rect(), 400, 400);
        canvas.setPen(Qt::black, 1, ChartCanvas::LineStyle::Solid);
        canvas.line(0, 200, 399, 200);
        painter.end();
        int rows = 0;
        for (int y = 0; y < picture.height(); ++y)
            rows += picture.pixelColor(200, y) == QColor(Qt::black) ? 1 : 0;
        return rows;
    };
    EXPECT_EQ(rowsCovered(96), 1);
    EXPECT_GE(rowsCovered(1200), 12);
}

} // namespace
