#include "trend/PainterCanvas.h"

#include <algorithm>

#include <QPaintDevice>

#include "trend/ChartDrawing.h"

namespace {

// Pens are as wide in device pixels as on a screen of 96 dots per inch: a
// printer's 1200 would otherwise make every curve a hairline of 0.02 mm.
double penScaleFor(const QPainter& painter)
{
    const QPaintDevice* device = painter.device();
    return device ? std::max(1.0, device->logicalDpiX() / 96.0) : 1.0;
}

} // namespace

PainterCanvas::PainterCanvas(QPainter& painter, const QRect& target, int scaleWidth, int scaleHeight)
    : painter_(painter)
    , scaleWidth_(scaleWidth)
    , scaleHeight_(scaleHeight)
    , background_(ChartColours::kBackground)
    , penScale_(penScaleFor(painter))
{
    // Composed with whatever transform the painter already has, so the
    // chart can also be drawn scaled onto a printed page.
    painter_.translate(target.topLeft());
    painter_.scale(target.width() / static_cast<double>(scaleWidth),
                   target.height() / static_cast<double>(scaleHeight));
    painter_.setClipRect(0, 0, scaleWidth, scaleHeight, Qt::IntersectClip);
    // No antialiasing: crisp lines on the pixel raster, and switching it per
    // pen would cost a fifth of the refresh, which runs every second.
    painter_.setRenderHint(QPainter::Antialiasing, false);
}

void PainterCanvas::clear()
{
    painter_.fillRect(0, 0, scaleWidth_, scaleHeight_, background_);
}

void PainterCanvas::setPen(const QColor& colour, int width, LineStyle style)
{
    QPen pen(colour);
    pen.setCosmetic(true);
    pen.setWidthF(width * penScale_);
    switch (style) {
    case LineStyle::Solid: pen.setStyle(Qt::SolidLine); break;
    case LineStyle::Dashed: pen.setStyle(Qt::DashLine); break;
    case LineStyle::Dotted: pen.setStyle(Qt::DotLine); break;
    }
    painter_.setPen(pen);
}

void PainterCanvas::line(int x1, int y1, int x2, int y2)
{
    painter_.drawLine(x1, y1, x2, y2);
}
