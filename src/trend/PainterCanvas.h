#pragma once

#include <QPainter>
#include <QPen>

#include "trend/ChartCanvas.h"

// Paints chart user coordinates onto an area of any pixel size by scaling
// the painter; the caller saves and restores the painter around it if it
// draws on afterwards. Pens are cosmetic, so a width stays in pixels however
// the chart is scaled.
class PainterCanvas final : public ChartCanvas {
public:
    PainterCanvas(QPainter& painter, const QRect& target, int scaleWidth, int scaleHeight);

    int width() const override { return scaleWidth_; }
    int height() const override { return scaleHeight_; }
    void clear() override;
    void setBackground(const QColor& colour) override { background_ = colour; }
    void setPen(const QColor& colour, int width, LineStyle style) override;
    void line(int x1, int y1, int x2, int y2) override;

private:
    QPainter& painter_;
    int scaleWidth_;
    int scaleHeight_;
    QColor background_;
    double penScale_;  // device pixels per pixel of a 96 dpi screen
};
