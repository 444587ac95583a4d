#pragma once

#include <array>

#include <QFrame>
#include <QPainter>
#include <QLabel>
#include <QWidget>

#include "trend/ChartDrawing.h"
#include "trend/RulerMark.h"

struct ChartYRange;
struct TrendBuffers;
struct ZoomGeometry;
class TrendSurface;

// The chart as the main window shows it: a frame holding the plotting
// surface (user scale 12008 x 7508 mapped onto whatever pixels it has),
// with the labels around it: the PV/SV scale on the left, the OP scale on
// the right, the legend above and the time axis (times over dates) below.
// It only shows: the owner changes buffers and zoom, then calls refresh().
class TrendChartView : public QWidget {
    Q_OBJECT

public:
    // Room left and right of the surface for the axis labels, in pixels:
    // what a control above the chart needs to line up with the surface.
    static constexpr int kSurfaceLeft = 52;
    static constexpr int kSurfaceRight = 44;

    TrendChartView(const TrendBuffers& buffers, const ZoomGeometry& zoom, const ChartYRange& yRange,
                   QWidget* parent = nullptr);

    // The chart's refresh: time labels and Y offset at once, then a repaint
    // of the surface (clear, grid, curves) from the buffers.
    void refresh();

    // Paints the chart as it stands (surface, frame and every label) in this
    // widget's coordinates, as lines and text: printing stays sharp and
    // small at any printer resolution.
    void renderAsDrawing(QPainter& painter) const;

    // The ruler mark on the surface.
    void setRuler(const RulerMark& mark);
    const RulerMark& rulerMark() const;

    // The PV/SV scale captions, written by the live refresh.
    void setYAxisScale(const std::array<int32_t, 7>& values);

    QWidget* surface() const;  // the ruler lives on it
    QFrame* surfaceFrame() const { return surfaceFrame_; }
    // Label i of the time axis, left to right, 0..8.
    QLabel* timeLabel(int i) const { return timeLabels_.at(static_cast<size_t>(i)); }
    QLabel* dateLabel(int i) const { return dateLabels_.at(static_cast<size_t>(i)); }
    // Label k of a scale, bottom to top, 0..6.
    QLabel* scaleLabel(int k) const { return scaleLabels_.at(static_cast<size_t>(k)); }
    QLabel* outputScaleLabel(int k) const { return outputScaleLabels_.at(static_cast<size_t>(k)); }
    // PV, OP, SV.
    QLabel* legendLabel(int i) const { return legendLabels_.at(static_cast<size_t>(i)); }
    // A line above the surface, left of the legend, saying what the surface
    // shows when it is not the live window; hidden while empty.
    void setPeriodCaption(const QString& caption);
    QLabel* periodCaption() const { return periodCaption_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    const TrendBuffers& buffers_;
    const ZoomGeometry& zoom_;
    QFrame* surfaceFrame_ = nullptr;
    TrendSurface* surface_ = nullptr;
    std::array<QLabel*, 9> timeLabels_{};
    std::array<QLabel*, 7> scaleLabels_{};
    std::array<QLabel*, 7> outputScaleLabels_{};
    std::array<QLabel*, 9> dateLabels_{};
    std::array<QLabel*, 3> legendLabels_{};
    QLabel* periodCaption_ = nullptr;
};
