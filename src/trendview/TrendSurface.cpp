#include "trendview/TrendSurface.h"

#include <QPainter>

#include "trend/ChartDrawing.h"
#include "trend/PainterCanvas.h"

TrendSurface::TrendSurface(const TrendBuffers& buffers, const ZoomGeometry& zoom, const ChartYRange& yRange,
                           QWidget* parent)
    : QWidget(parent)
    , buffers_(buffers)
    , zoom_(zoom)
    , yRange_(yRange)
{
    // Every paint covers the whole surface: no need to erase first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(240, 150);
}

void TrendSurface::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    render(painter, rect());
}

void TrendSurface::render(QPainter& painter, const QRect& target) const
{
    painter.save();
    PainterCanvas canvas(painter, target, kScaleWidth, kScaleHeight);
    canvas.clear();
    drawGrid(canvas);
    drawCurves(canvas, buffers_, zoom_, yRange_);
    drawRulerMark(canvas, ruler_);
    painter.restore();
}

void TrendSurface::setRuler(const RulerMark& mark)
{
    if (mark == ruler_)
        return;
    ruler_ = mark;
    update();
}
