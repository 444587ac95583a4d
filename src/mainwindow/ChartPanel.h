#pragma once

#include <QWidget>

#include "trend/ChartNavigator.h"
#include "trend/HistoryPlayback.h"

class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class TrendChartView;
struct ProcessImage;
struct TrendBuffers;
struct ZoomGeometry;

// The chart column of the main window: the ruler's slider hc above the
// chart, the chart, and under it the function buttons F1..F7, the Y range
// entries with "修改Y" (whose work is OperatorCommands'), and Label19 and
// Label20. It carries out zoom, ruler and paging through the
// navigator and keeps its buttons, slider and ruler mark in step; the
// window owns the live refresh timer, the header and the live panel, and
// hears about them through the signals.
class ChartPanel : public QWidget {
    Q_OBJECT

public:
    ChartPanel(const TrendBuffers& buffers, ZoomGeometry& zoom, ProcessImage& image, ChartNavigator& navigator,
               QWidget* parent = nullptr);

    // Geometry for the zoom level, then the chart redrawn from the buffers.
    void refresh();

    // A chart key (F1, F2, F4, F6, F7) runs its button's handler when the
    // key is taken in the present state; false otherwise.
    bool keyDown(int keyCode);

    void Command3_Click();  // "F2 放大"
    void Command4_Click();  // "F1 缩小"
    void Command5_Click();  // "F4 标尺" / "F4 复原"
    void Command7_Click();  // "F6 左移"
    void Command8_Click();  // "F7 右移"
    void hc_Change(int value);

    // After any paging, also one started elsewhere (going to a chosen
    // moment): redraws what was loaded and brings the buttons, the ruler's
    // read-out and the live refresh in line.
    void showPagingOutcome(HistoryPlayback::Outcome outcome);
    // Buttons, slider, ruler caption and live refresh as the navigator's
    // state says (after the window reset it, for one).
    void showStates();

    TrendChartView* chart() const { return chart_; }
    QSlider* hc() const { return hc_; }
    QPushButton* Command2() const { return command2_; }
    QPushButton* Command3() const { return command3_; }
    QPushButton* Command4() const { return command4_; }
    QPushButton* Command5() const { return command5_; }
    QPushButton* Command6() const { return command6_; }
    QPushButton* Command7() const { return command7_; }
    QPushButton* Command8() const { return command8_; }
    QLineEdit* YKD() const { return ykd_; }
    QLineEdit* YKD1() const { return ykd1_; }
    QPushButton* Command26() const { return command26_; }
    QLabel* Label19() const { return label19_; }
    QLabel* Label20() const { return label20_; }

signals:
    // The live refresh (the window's Timer1) is to run or to stop.
    void liveRefreshWanted(bool running);
    // New samples were loaded: the header names the first visible one.
    void windowLoaded();
    // The slot under the ruler, for the header's date and time and the
    // live panel's values.
    void rulerReadOut(const RulerReadOut& readOut);

private:
    QWidget* buildKeys();
    void addYAxisRange(QWidget* keys, QHBoxLayout* row);
    void afterZoom();
    void setSliderQuietly(int value);

    ZoomGeometry& zoom_;
    ChartNavigator& navigator_;
    QSlider* hc_ = nullptr;
    TrendChartView* chart_ = nullptr;
    QPushButton* command2_ = nullptr;
    QPushButton* command3_ = nullptr;
    QPushButton* command4_ = nullptr;
    QPushButton* command5_ = nullptr;
    QPushButton* command6_ = nullptr;
    QPushButton* command7_ = nullptr;
    QPushButton* command8_ = nullptr;
    QLineEdit* ykd_ = nullptr;
    QLineEdit* ykd1_ = nullptr;
    QPushButton* command26_ = nullptr;
    QLabel* label19_ = nullptr;
    QLabel* label20_ = nullptr;
};
