#pragma once

#include <QWidget>

#include "trend/RulerMark.h"

class QPainter;
class QRect;
struct ChartYRange;
struct TrendBuffers;
struct ZoomGeometry;

// The chart's plotting surface: its user scale (12008 x 7508) is mapped onto
// whatever pixels the widget has, and every paint redraws the whole chart
// from the buffers: clear, grid, curves.
class TrendSurface : public QWidget {
    Q_OBJECT

public:
    static constexpr int kScaleWidth = 12008;
    static constexpr int kScaleHeight = 7508;

    TrendSurface(const TrendBuffers& buffers, const ZoomGeometry& zoom, const ChartYRange& yRange,
                 QWidget* parent = nullptr);

    // The ruler mark, drawn over the chart until it is changed.
    void setRuler(const RulerMark& mark);
    const RulerMark& ruler() const { return ruler_; }

    // The whole chart (clear, grid, curves, ruler) into target of painter:
    // what a paint shows, and what a print puts on paper.
    void render(QPainter& painter, const QRect& target) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const TrendBuffers& buffers_;
    const ZoomGeometry& zoom_;
    const ChartYRange& yRange_;
    RulerMark ruler_;
};
