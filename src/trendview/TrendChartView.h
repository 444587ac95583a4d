#pragma once

#include <array>

#include <QFrame>
#include <QPainter>
#include <QLabel>
#include <QWidget>

#include "trend/ChartDrawing.h"
#include "trend/RulerMark.h"

struct ProcessImage;
struct TrendBuffers;
struct ZoomGeometry;
class TrendSurface;

// The chart as the main window shows it: the frame pt0 holding the plotting
// surface pt (user scale 12008 x 7508 mapped onto whatever pixels it has),
// with the static labels around it: Label5 (PV/SV scale, left), Label6 (OP
// scale, right), Label8 (legend), Label4 and Label7 (time axis, below).
// It only shows: the owner changes buffers and zoom, then calls refresh().
class TrendChartView : public QWidget {
    Q_OBJECT

public:
    // Room left and right of the surface for the axis labels, in pixels:
    // what a control above the chart needs to line up with pt.
    static constexpr int kSurfaceLeft = 52;
    static constexpr int kSurfaceRight = 44;

    TrendChartView(const TrendBuffers& buffers, const ZoomGeometry& zoom, ProcessImage& image,
                   QWidget* parent = nullptr);

    // The chart's refresh: time labels and Y offset at once, then a repaint
    // of the surface (clear, DrawGrid, PlotTrend) from the buffers.
    void refresh();

    // Paints the chart as it stands (surface, frame and every label) in this
    // widget's coordinates, as lines and text: printing stays sharp and
    // small at any printer resolution.
    void renderAsDrawing(QPainter& painter) const;

    // Line1, the ruler mark on pt.
    void setRuler(const RulerMark& mark);
    const RulerMark& Line1() const;

    // The PV/SV scale captions, written by the live refresh.
    void setYAxisScale(const std::array<int32_t, 7>& values);

    QWidget* pt() const;   // the plotting surface (the ruler lives on it)
    QFrame* pt0() const { return pt0_; }
    QLabel* Label4(int i) const { return label4_.at(static_cast<size_t>(i)); }
    QLabel* Label5(int k) const { return label5_.at(static_cast<size_t>(k)); }
    QLabel* Label6(int k) const { return label6_.at(static_cast<size_t>(k)); }
    QLabel* Label7(int i) const { return label7_.at(static_cast<size_t>(i)); }
    QLabel* Label8(int i) const { return label8_.at(static_cast<size_t>(i)); }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    const TrendBuffers& buffers_;
    const ZoomGeometry& zoom_;
    ProcessImage& image_;
    QFrame* pt0_ = nullptr;
    TrendSurface* pt_ = nullptr;
    std::array<QLabel*, 9> label4_{};
    std::array<QLabel*, 7> label5_{};
    std::array<QLabel*, 7> label6_{};
    std::array<QLabel*, 9> label7_{};
    std::array<QLabel*, 3> label8_{};
};
