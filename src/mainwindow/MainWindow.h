#pragma once

#include <array>
#include <memory>
#include <vector>

#include <QMainWindow>
#include <QPointer>
#include <QTimer>

#include "core/ShownText.h"
#include "trendview/ChartPrint.h"
#include "trend/ChartDrawing.h"
#include "trend/ChartNavigator.h"
#include "trend/HistoryPlayback.h"
#include "link/PortConnection.h"
#include "link/WriteRequest.h"
#include "history/HistoryDatabase.h"
#include "history/SampleWriter.h"
#include "instrument/AlarmRows.h"
#include "instrument/InstrumentState.h"
#include "trend/TrendBuffers.h"
#include "trend/ZoomGeometry.h"

class AlarmPanel;
class ChartPanel;
class ElidedLabel;
class EntryFeedback;
class ExitQuestion;
class HeaderBar;
class HistorySelectPopup;
class LinkSettingsBar;
class LivePanel;
class OperatorCommands;
class OperatorWrites;
class PanelField;
class QPushButton;
class QTabWidget;
class StationStatus;
class StatusIndicator;
class SubjectMessages;
class TrendChartView;
class ValueGrid;
class StationCore;

// The main window: link settings, live panel with the operator's commands,
// trend chart with its navigation, alarm set points and the station's
// clock header. It is the only window the operator sees for the whole run
// and refuses to close except through "退出" or Esc, and those ask first.
// The work is done by the panels and plain classes it holds; the window
// wires them together.
//
// The start-up constructs it, calls start(), shows it, and then starts the
// recorder; the poll waits for the link to open. When the operator confirms
// the exit the window has closed its own database connection and emits
// exitRequested(); the start-up then ends the program.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    static constexpr const char* kCaptionSource = QT_TRANSLATE_NOOP("MainWindow", "过程控制仪表  TQ5800");
    static inline const QString kCaption = QString::fromUtf8(kCaptionSource);
    static inline const QString kConnectionName = QStringLiteral("tq5800-main-window");
    static constexpr int kRefreshIntervalMs = 200;
    static constexpr int kChartIntervalMs = 1000;
    static constexpr int kClockIntervalMs = 1000;

    // What drives the live refresh, the chart redraw and the clock: the
    // window's own timers, or its caller (a test or a benchmark stepping a
    // clock of its own) through refreshLiveValues(), redrawChart() and
    // showClock().
    enum class Ticking { ByTimers, ByCaller };

    explicit MainWindow(StationCore& core, Ticking ticking = Ticking::ByTimers, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Y range, link settings, flags, database, live window, chart labels
    // and the first drawing; then the refreshes start and the window closes
    // only through "退出" or Esc.
    void start();

    void openLink();     // "打开"
    void closeLink();    // "关闭"
    // "退出", also Esc: asks whether to end the station (ExitQuestion),
    // without waiting for the answer; while the question is open another
    // request only brings it to the front.
    void askToExit();
    // The exit itself, as the question's "退出" confirms it; the start-up
    // calls it to end the station without asking (a termination signal).
    void exitStation();
    void printChart();   // "F3 打印"
    // What the printed page says above the chart, as the window is now.
    ChartPrintHeading printHeading() const;
    void chooseMoment(); // "F5 选择"
    // Sets the link settings to these choices, then does what "打开" does:
    // an operator's auto-start from the command line.
    void openLinkFromCommandLine(const LinkChoices& choices);

    // The live values into the panel and, while the chart shows the live
    // window, a sample the recorder has taken since the last refresh into
    // the chart. Nothing while the ruler holds the panel.
    void refreshLiveValues();
    void redrawChart();
    // The clock into the header, unless the ruler names its sample there.
    void showClock();
    // Whether the chart takes the recorder's samples: from start() until the
    // exit, and not while it shows a history page or the ruler.
    bool liveRefreshRunning() const { return liveRefreshOn_; }

    // Controls, for the start-up and for tests.
    HeaderBar* header() const { return header_; }
    LivePanel* panel() const { return panel_; }
    LinkSettingsBar* settings() const { return settings_; }
    ChartPanel* chartPanel() const { return chartPanel_; }
    TrendChartView* chart() const;
    ValueGrid* parameters() const { return parameters_; }
    AlarmPanel* alarmPanel() const { return alarmPanel_; }
    // The display beside alarm row `row`; null for a row the panel lacks.
    PanelField* alarmValueField(int row) const;
    QTabWidget* parameterTabs() const { return parameterTabs_; }
    QPushButton* exitButton() const { return exitButton_; }
    // The open exit question; null when none is open.
    ExitQuestion* exitQuestion() const;
    QPushButton* configurationButton() const { return configurationButton_; }
    QPushButton* journalButton() const { return journalButton_; }
    QPushButton* exportButton() const { return exportButton_; }
    QPushButton* calibrationButton() const { return calibrationButton_; }
    ElidedLabel* messageLine() const { return messageLine_; }
    StatusIndicator* linkIndicator() const { return linkIndicator_; }
    StatusIndicator* recorderIndicator() const { return recorderIndicator_; }
    // Only with a journal; hidden while it is written.
    StatusIndicator* journalIndicator() const { return journalIndicator_; }
    StatusIndicator* archiveIndicator() const { return archiveIndicator_; }
    StatusIndicator* historianIndicator() const { return historianIndicator_; }

    // The chart state the window owns.
    TrendBuffers& trendBuffers() { return buffers_; }
    ZoomGeometry& zoom() { return zoom_; }
    HistoryPlayback& playback() { return playback_; }
    ChartNavigator& navigator() { return navigator_; }
    const ChartYRange& yRange() const { return yRange_; }
    bool databaseOpen() const { return database_.isOpen(); }

signals:
    // The exit confirmed (or exitStation() called): the window has closed;
    // the station is to end.
    void exitRequested();
    // "事件记录" or F8: the journal window is to be shown.
    void journalRequested();
    // "导出记录" or F9: the export dialog is to be shown, its period set to
    // the chart's oldest and newest shown sample (invalid for an empty
    // chart).
    void exportRequested(const QDateTime& oldest, const QDateTime& newest);

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
    void onPortOpened(bool ok, const QString& error, const LinkFailure& failure);
    void onWriteFailed(WriteOutcome outcome);
    void onPortRefused(const DeviceRefusal& refusal);
    // Shown in the interface's language, logged in English.
    void showLinkFailure(const ShownText& text, const QString& detail = QString());
    void onLinkHealthChanged();
    void openDatabase();
    void showFailure(const ShownText& text, int timeoutMs = 0);
    void showPanelValues();
    // The tab's caption, with the age of its values while they are stale.
    void showTabAge(QWidget* page, const QString& caption, InstrumentState::Block block);
    void showFirstVisibleSample();
    void showMoment(const QDateTime& moment);  // "F5 选择" chose it
    void requestExport();
    void showRulerReadOut(const RulerReadOut& readOut);
    void showYAxisRange();
    void setLiveRefresh(bool running);
    void appendWaitingSample();
    bool reloadDue() const;
    // The timers stopped, the database closed, the window no longer open
    // for the recorder's samples.
    void stop();
    void onSampleTaken(const Sample& sample);
    void reportUnreadableHistory(const QString& reason);

    StationCore& core_;
    const Ticking ticking_;
    TrendBuffers buffers_;
    ZoomGeometry zoom_;
    HistoryDatabase database_;
    HistoryPlayback playback_;
    ChartNavigator navigator_;
    ChartYRange yRange_;

    QTimer liveRefreshTimer_;
    QTimer chartRedrawTimer_;
    QTimer clockTimer_;
    bool liveRefreshOn_ = false;
    bool closesOnlyOnExit_ = false;  // a close through the frame is refused
    bool databaseFailed_ = false;
    bool open_ = false;           // from start() until stop(): the recorder's samples count
    bool liveReloadFailing_ = false;
    std::vector<Sample> waitingSamples_;  // taken by the recorder, not yet in the chart
    bool linkAnswering_ = false;

    HeaderBar* header_ = nullptr;
    LivePanel* panel_ = nullptr;
    LinkSettingsBar* settings_ = nullptr;
    ChartPanel* chartPanel_ = nullptr;
    QTabWidget* parameterTabs_ = nullptr;
    ValueGrid* parameters_ = nullptr;
    AlarmPanel* alarmPanel_ = nullptr;
    std::array<PanelField*, AlarmRows::kRows> alarmValues_{};  // the live refresh rewrites them
    OperatorWrites* writes_ = nullptr;
    OperatorCommands* commands_ = nullptr;
    EntryFeedback* feedback_ = nullptr;
    QPushButton* exitButton_ = nullptr;
    QPushButton* configurationButton_ = nullptr;
    QPushButton* journalButton_ = nullptr;
    QPushButton* exportButton_ = nullptr;
    QPushButton* calibrationButton_ = nullptr;
    ElidedLabel* messageLine_ = nullptr;
    StatusIndicator* linkIndicator_ = nullptr;
    StatusIndicator* recorderIndicator_ = nullptr;
    StatusIndicator* journalIndicator_ = nullptr;
    StatusIndicator* archiveIndicator_ = nullptr;
    StatusIndicator* historianIndicator_ = nullptr;
    StationStatus* status_ = nullptr;
    std::unique_ptr<SubjectMessages> linkMessages_;  // a port that failed to open or is held
    HistorySelectPopup* historySelect_ = nullptr;
    QPointer<ExitQuestion> exitQuestion_;  // while open
};
