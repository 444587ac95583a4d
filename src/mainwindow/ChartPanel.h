#pragma once

#include <optional>

#include <QDateTime>
#include <QWidget>

#include "trend/ChartNavigator.h"
#include "trend/HistoryPlayback.h"

class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class TrendChartView;
struct ChartYRange;
struct TrendBuffers;
struct ZoomGeometry;

// From the first to the last sample the chart shows.
struct ShownPeriod {
    QDateTime from;
    QDateTime to;
    // "2026-12-07 16:36:04 至 2026-12-07 16:37:54"
    QString text() const;
};

// The chart column of the main window: the ruler's slider above the chart,
// the chart, and under it the function buttons F1..F7 and the Y range
// entries with "修改Y" (whose work is OperatorCommands'), at the row's
// right end where nothing pushes them. It carries out zoom, ruler and paging through the
// navigator, also from the chart's function keys, and keeps its buttons,
// slider and ruler mark in step; the window owns the live refresh, the
// header and the live panel, and hears about them through the signals.
class ChartPanel : public QWidget {
    Q_OBJECT

public:
    ChartPanel(const TrendBuffers& buffers, ZoomGeometry& zoom, const ChartYRange& yRange, ChartNavigator& navigator,
               QWidget* parent = nullptr);

    // Geometry for the zoom level, then the chart redrawn from the buffers.
    void refresh();

    void zoomIn();       // "F2 放大"
    void zoomOut();      // "F1 缩小"
    void toggleRuler();  // "F4 标尺" / "F4 复原"
    void pageForward();  // "F6 左移"
    void pageBack();     // "F7 右移"
    void onRulerMoved(int value);

    // After any paging, also one started elsewhere (going to a chosen
    // moment): redraws what was loaded and brings the buttons, the ruler's
    // read-out and the live refresh in line.
    void showPagingOutcome(HistoryPlayback::Outcome outcome);
    // Buttons, slider, ruler caption and live refresh as the navigator's
    // state says (after the window reset it, for one).
    void showStates();

    TrendChartView* chart() const { return chart_; }
    QSlider* rulerSlider() const { return rulerSlider_; }
    QPushButton* zoomOutButton() const { return zoomOutButton_; }
    QPushButton* zoomInButton() const { return zoomInButton_; }
    QPushButton* printButton() const { return printButton_; }
    QPushButton* rulerButton() const { return rulerButton_; }
    QPushButton* chooseMomentButton() const { return chooseMomentButton_; }
    QPushButton* pageForwardButton() const { return pageForwardButton_; }
    QPushButton* pageBackButton() const { return pageBackButton_; }
    QLineEdit* yMaximumEntry() const { return yMaximumEntry_; }
    QLineEdit* yMinimumEntry() const { return yMinimumEntry_; }
    QPushButton* applyRangeButton() const { return applyRangeButton_; }
    // Shown while the surface holds a history page, with the period it covers.
    QLabel* historyBanner() const;
    bool historyShown() const;
    // None while the visible part of the chart holds no sample.
    std::optional<ShownPeriod> shownPeriod() const;

signals:
    // A page or the live window could not be read: the chart shows what it
    // showed before.
    void historyUnreadable(const QString& reason);
    // The window's live refresh is to run or to stop.
    void liveRefreshWanted(bool running);
    // New samples were loaded: the header names the first visible one.
    void windowLoaded();
    // The slot under the ruler, for the header's date and time and the
    // live panel's values.
    void rulerReadOut(const RulerReadOut& readOut);

private:
    QWidget* buildKeys();
    void addYAxisRange(QWidget* keys, QHBoxLayout* row);
    // Window-wide, so the keys work wherever the focus is; each does what
    // its button does when the navigator takes the key in the present state.
    void addShortcut(Qt::Key key, void (ChartPanel::*action)());
    void afterZoom();
    void setSliderQuietly(int value);
    void showHistoryBanner();

    const TrendBuffers& buffers_;
    ZoomGeometry& zoom_;
    ChartNavigator& navigator_;
    QSlider* rulerSlider_ = nullptr;
    TrendChartView* chart_ = nullptr;
    QPushButton* zoomOutButton_ = nullptr;
    QPushButton* zoomInButton_ = nullptr;
    QPushButton* printButton_ = nullptr;
    QPushButton* rulerButton_ = nullptr;
    QPushButton* chooseMomentButton_ = nullptr;
    QPushButton* pageForwardButton_ = nullptr;
    QPushButton* pageBackButton_ = nullptr;
    QLineEdit* yMaximumEntry_ = nullptr;
    QLineEdit* yMinimumEntry_ = nullptr;
    QPushButton* applyRangeButton_ = nullptr;
};
