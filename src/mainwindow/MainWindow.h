#pragma once

#include <array>
#include <cstdint>

#include <QMainWindow>
#include <QTimer>

#include "trend/ChartNavigator.h"
#include "trend/HistoryPlayback.h"
#include "link/PortConnection.h"
#include "history/HistoryDatabase.h"
#include "trend/TrendBuffers.h"
#include "trend/ZoomGeometry.h"

class AlarmPanel;
class ChartPanel;
class EntryFeedback;
class HeaderBar;
class HistorySelectPopup;
class LinkSettingsBar;
class LivePanel;
class OperatorCommands;
class OperatorWrites;
class PanelField;
class QLabel;
class QPushButton;
class StationStatus;
class StatusIndicator;
class TrendChartView;
class ValueGrid;
struct StationContext;

// The main window: link settings, live panel with the operator's commands,
// trend chart with its navigation, alarm set points and the station's
// clock header. It is the only window the operator sees for the whole run
// and refuses to close except through "退出" or Esc. The work is done by
// the panels and plain classes it holds; the window wires them together.
//
// The start-up constructs it, calls Form_Load(), shows it, and then loads
// the poll and recorder hosts. When "退出" or Esc ends the station the
// window has closed its own database connection and emits exitRequested();
// the start-up then ends the program.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    static inline const QString kCaption = QStringLiteral("过程控制仪表  TQ5800");
    static inline const QString kConnectionName = QStringLiteral("tq5800-main-window");
    static constexpr int kRefreshIntervalMs = 200;
    static constexpr int kChartIntervalMs = 1000;
    static constexpr int kClockIntervalMs = 1000;
    static constexpr int kIdleIntervalMs = 3000;

    explicit MainWindow(StationContext& context, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Live refresh, chart redraw, date and time header, and a timer without
    // action; they start at the end of Form_Load.
    QTimer Timer1;
    QTimer Timer2;
    QTimer Timer3;
    QTimer Timer4;

    int16_t closeGuard = 0;  // -1 while a close through the frame is refused
    int16_t rulerMode() const { return navigator_.rulerMode; }  // -1 while the ruler is shown

    // The load steps, in order: Y range, link settings, flags, database,
    // live window, close guard, chart labels, first drawing; then the timers.
    void Form_Load();

    void Command9_Click();   // "打开"
    void Command10_Click();  // "关闭"
    void Command1_Click();   // "退出", also Esc
    void Command2_Click();   // "F3 打印"
    void Command6_Click();   // "F5 选择"
    // The function keys and Esc, by key code (F1 = 112 ... F7 = 118,
    // Esc = 27); the chart's keys only when their condition holds.
    void Form_KeyDown(int keyCode);
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
    ChartPanel* chartPanel() const { return chartPanel_; }
    TrendChartView* chart() const;
    ValueGrid* parameters() const { return parameters_; }
    AlarmPanel* alarmPanel() const { return alarmPanel_; }
    OperatorCommands* commands() const { return commands_; }
    OperatorWrites& operatorWrites() const { return *writes_; }
    PanelField* Parm1(int i) const;
    PanelField* Alm1(int i) const;
    PanelField* Label2(int i) const;
    QLabel* Label19() const;
    QLabel* Label20() const;
    QPushButton* Command1() const { return command1_; }
    QPushButton* Command21() const { return command21_; }
    QPushButton* Command23() const { return command23_; }
    StatusIndicator* linkIndicator() const { return linkIndicator_; }
    StatusIndicator* recorderIndicator() const { return recorderIndicator_; }

    // The chart state the window owns.
    TrendBuffers& trendBuffers() { return buffers_; }
    ZoomGeometry& zoom() { return zoom_; }
    HistoryPlayback& playback() { return playback_; }
    ChartNavigator& navigator() { return navigator_; }
    bool databaseOpen() const { return database_.isOpen(); }

signals:
    // "退出" or Esc: the window has closed; the station is to end.
    void exitRequested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildLayout();
    QWidget* buildParameterTabs();
    QWidget* buildCommandBar();
    void buildStatusBar();
    void buildShortcuts();
    void connectCommands();
    void onLinkOpened();
    void onLinkClosed();
    void openDatabase();
    void showFirstVisibleSample();
    void showMoment(const QDateTime& moment);  // "F5 选择" chose it
    void showRulerReadOut(const RulerReadOut& readOut);
    void showYAxisRange();
    void setLiveRefresh(bool running);
    void refreshChart();
    bool reloadDue() const;
    void Form_Unload();

    StationContext& context_;
    TrendBuffers buffers_;
    ZoomGeometry zoom_;
    HistoryDatabase database_;
    HistoryPlayback playback_;
    ChartNavigator navigator_;

    HeaderBar* header_ = nullptr;
    LivePanel* panel_ = nullptr;
    LinkSettingsBar* settings_ = nullptr;
    ChartPanel* chartPanel_ = nullptr;
    ValueGrid* parameters_ = nullptr;
    AlarmPanel* alarmPanel_ = nullptr;
    std::array<PanelField*, 9> alarmDisplays_{};  // Alm1(0..8)
    OperatorWrites* writes_ = nullptr;
    OperatorCommands* commands_ = nullptr;
    EntryFeedback* feedback_ = nullptr;
    QPushButton* command1_ = nullptr;
    QPushButton* command21_ = nullptr;
    QPushButton* command23_ = nullptr;
    StatusIndicator* linkIndicator_ = nullptr;
    StatusIndicator* recorderIndicator_ = nullptr;
    StationStatus* status_ = nullptr;
    bool databaseFailed_ = false;
    HistorySelectPopup* historySelect_ = nullptr;
};
