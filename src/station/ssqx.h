#pragma once

#include <cstdint>

#include <QMainWindow>
#include <QTimer>

#include "HistoryPlayback.h"
#include "PortConnection.h"
#include "StationDatabase.h"
#include "TrendBuffers.h"
#include "ZoomGeometry.h"

class HeaderBar;
class LinkSettingsBar;
class LivePanel;
class PanelField;
class QLabel;
class QPushButton;
class QShortcut;
class StationStatus;
class StatusIndicator;
class TrendChartView;
class ValueGrid;
struct StationContext;

// The main window: link settings, live panel, trend chart and the station's
// clock header. It is the only window the operator sees for the whole run
// and refuses to close except through "退出" or Esc.
//
// The start-up constructs it, calls Form_Load(), shows it, and then loads
// the poll and recorder hosts. When "退出" or Esc ends the station the
// window has closed its own database connection and emits exitRequested();
// the start-up then ends the program.
class ssqx : public QMainWindow {
    Q_OBJECT

public:
    static inline const QString kCaption = QStringLiteral("过程控制仪表  TQ5800");
    static inline const QString kConnectionName = QStringLiteral("tq5800-main-window");
    static constexpr int kRefreshIntervalMs = 200;
    static constexpr int kChartIntervalMs = 1000;
    static constexpr int kClockIntervalMs = 1000;
    static constexpr int kIdleIntervalMs = 3000;

    explicit ssqx(StationContext& context, QWidget* parent = nullptr);
    ~ssqx() override;

    // Live refresh, chart redraw, date and time header, and a timer without
    // action; they start at the end of Form_Load.
    QTimer Timer1;
    QTimer Timer2;
    QTimer Timer3;
    QTimer Timer4;

    int16_t closeGuard = 0;  // -1 while a close through the frame is refused
    int16_t rulerMode = 0;   // -1 while the chart's ruler is shown

    // The load steps, in order: Y range, link settings, flags, database,
    // live window, close guard, chart labels, first drawing; then the timers.
    void Form_Load();

    void Command9_Click();   // "打开"
    void Command10_Click();  // "关闭"
    void Command1_Click();   // "退出", also Esc
    // Sets the link settings to these choices, then does what "打开" does:
    // an operator's auto-start from the command line.
    void openLinkFromCommandLine(const LinkChoices& choices);

    void Timer1_Timer();
    void Timer2_Timer();
    void Timer3_Timer();
    void Timer4_Timer();
    void RefreshPanel();

    // Controls, for the start-up and for tests.
    LivePanel* panel() const { return panel_; }
    LinkSettingsBar* settings() const { return settings_; }
    TrendChartView* chart() const { return chart_; }
    ValueGrid* parameters() const { return parameters_; }
    ValueGrid* alarms() const { return alarms_; }
    PanelField* Parm1(int i) const;
    PanelField* Alm1(int i) const;
    PanelField* Label2(int i) const;
    QLabel* Label19() const { return label19_; }
    QLabel* Label20() const { return label20_; }
    QPushButton* Command1() const { return command1_; }
    QPushButton* Command21() const { return command21_; }
    QPushButton* Command23() const { return command23_; }
    StatusIndicator* linkIndicator() const { return linkIndicator_; }
    StatusIndicator* recorderIndicator() const { return recorderIndicator_; }

    // The chart state the window owns.
    TrendBuffers& trendBuffers() { return buffers_; }
    ZoomGeometry& zoom() { return zoom_; }
    HistoryPlayback& playback() { return playback_; }
    bool databaseOpen() const { return database_.isOpen(); }

signals:
    // "退出" or Esc: the window has closed; the station is to end.
    void exitRequested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildLayout();
    QWidget* buildChartColumn();
    QWidget* buildParameterTabs();
    QWidget* buildCommandBar();
    void buildStatusBar();
    void onLinkOpened();
    void onLinkClosed();
    void openDatabase();
    void showFirstVisibleSample();
    void refreshChart();
    bool reloadDue() const;
    void Form_Unload();

    StationContext& context_;
    TrendBuffers buffers_;
    ZoomGeometry zoom_;
    StationDatabase database_;
    HistoryPlayback playback_;

    HeaderBar* header_ = nullptr;
    LivePanel* panel_ = nullptr;
    LinkSettingsBar* settings_ = nullptr;
    TrendChartView* chart_ = nullptr;
    ValueGrid* parameters_ = nullptr;
    ValueGrid* alarms_ = nullptr;
    QLabel* label19_ = nullptr;
    QLabel* label20_ = nullptr;
    QPushButton* command1_ = nullptr;
    QPushButton* command21_ = nullptr;
    QPushButton* command23_ = nullptr;
    QShortcut* escape_ = nullptr;
    StatusIndicator* linkIndicator_ = nullptr;
    StatusIndicator* recorderIndicator_ = nullptr;
    StationStatus* status_ = nullptr;
    bool databaseFailed_ = false;
};
