#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

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

} // namespace
