#include "mainwindow/MainWindow.h"

#include <algorithm>

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QSqlDatabase>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "mainwindow/AlarmPanel.h"
#include "trend/ChartDrawing.h"
#include "mainwindow/ChartPanel.h"
#include "trendview/ChartPrint.h"
#include "core/Clock.h"
#include "core/DateValue.h"
#include "widgets/EntryFeedback.h"
#include "mainwindow/HeaderBar.h"
#include "widgets/HeaderTexts.h"
#include "trend/HistorySelect.h"
#include "trendview/HistorySelectPopup.h"
#include "link/InstrumentLink.h"
#include "mainwindow/LinkSettingsBar.h"
#include "trend/LiveAppend.h"
#include "mainwindow/LivePanel.h"
#include "core/NumberText.h"
#include "mainwindow/OperatorCommands.h"
#include "mainwindow/OperatorWrites.h"
#include "mainwindow/PanelCaptions.h"
#include "widgets/PanelStates.h"
#include "instrument/ProcessImage.h"
#include "station/StationContext.h"
#include "widgets/StationFont.h"
#include "widgets/StationStatus.h"
#include "widgets/StatusIndicator.h"
#include "trendview/TrendChartView.h"
#include "trendview/TrendSurface.h"
#include "mainwindow/ValueGrid.h"

namespace {

constexpr int16_t kInitialYAxisSpan = 60;
constexpr int kMessageMs = 8000;

QStringList captions(QString (*caption)(int), int count)
{
    QStringList list;
    for (int i = 0; i < count; ++i)
        list << caption(i);
    return list;
}

} // namespace

MainWindow::MainWindow(StationContext& context, QWidget* parent)
    : QMainWindow(parent)
    , context_(context)
    , database_(kConnectionName, context.databasePath)
    , playback_(buffers_, kConnectionName)
    , navigator_(buffers_, zoom_, playback_)
{
    // First, so that every control built below inherits it.
    setFont(StationFont::font());
    setWindowTitle(kCaption);
    writes_ = new OperatorWrites(context_.link, this);
    buildLayout();
    buildStatusBar();
    connectCommands();
    buildShortcuts();
    resize(1280, 800);

    Timer1.setInterval(kRefreshIntervalMs);
    Timer2.setInterval(kChartIntervalMs);
    Timer3.setInterval(kClockIntervalMs);
    Timer4.setInterval(kIdleIntervalMs);
    connect(&Timer1, &QTimer::timeout, this, &MainWindow::Timer1_Timer);
    connect(&Timer2, &QTimer::timeout, this, &MainWindow::Timer2_Timer);
    connect(&Timer3, &QTimer::timeout, this, &MainWindow::Timer3_Timer);
    connect(&Timer4, &QTimer::timeout, this, &MainWindow::Timer4_Timer);

    connect(settings_->Command9(), &QPushButton::clicked, this, &MainWindow::Command9_Click);
    connect(settings_->Command10(), &QPushButton::clicked, this, &MainWindow::Command10_Click);
    connect(command1_, &QPushButton::clicked, this, &MainWindow::Command1_Click);

    connect(&context_.connection, &PortConnection::opened, this, &MainWindow::onLinkOpened);
    connect(&context_.connection, &PortConnection::closed, this, &MainWindow::onLinkClosed);
    connect(&context_.link, &InstrumentLink::portOpened, this, [this](bool ok, const QString& error) {
        if (!ok)
            statusBar()->showMessage(QStringLiteral("端口打开失败：") + error, kMessageMs);
    });
}

MainWindow::~MainWindow()
{
    Form_Unload();
}

void MainWindow::Form_Load()
{
    ProcessImage& image = context_.image;
    image.yAxisSpan = kInitialYAxisSpan;
    settings_->initialise();
    playback_.atOldest = ProcessImage::kFalse;
    image.mainWindowOpen = ProcessImage::kTrue;
    playback_.pageCount = 0;
    std::fill(buffers_.gapMarks.begin() + 1, buffers_.gapMarks.begin() + TrendBuffers::kHistoryPage + 1, 0);
    zoom_.zoomLevel = 1;

    openDatabase();
    playback_.LoadLiveWindow();
    showFirstVisibleSample();
    closeGuard = ProcessImage::kTrue;
    navigator_.rulerMode = ProcessImage::kFalse;
    Label19()->setText(numberText(int32_t{TrendSurface::kScaleWidth}));
    Label20()->setText(numberText(int32_t{TrendSurface::kScaleHeight}));
    refreshChart();
    chartPanel_->showStates();

    Timer1.start();
    Timer2.start();
    Timer3.start();
    Timer4.start();
}

void MainWindow::openDatabase()
{
    if (database_.open()) {
        if (databaseFailed_)
            statusBar()->showMessage(QStringLiteral("历史数据库已重新打开"), kMessageMs);
        databaseFailed_ = false;
        return;
    }
    // Once per episode: a retry at every reload must not wipe the messages
    // shown meanwhile (a refused entry, a failed write).
    if (!databaseFailed_)
        statusBar()->showMessage(QStringLiteral("历史数据库无法打开，曲线只显示实时数据：")
                                 + database_.errorText());
    databaseFailed_ = true;
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // Refused before anything is undone: a refused close leaves the
    // database connection, the recorder's sample signal and the timers
    // exactly as they were.
    if (closeGuard) {
        event->ignore();
        statusBar()->showMessage(QStringLiteral("主窗口只能用“退出”按钮或 Esc 关闭"), kMessageMs);
        return;
    }
    Form_Unload();
    event->accept();
}

void MainWindow::Form_Unload()
{
    Timer1.stop();
    Timer2.stop();
    Timer3.stop();
    Timer4.stop();
    database_.close();
    context_.image.mainWindowOpen = ProcessImage::kFalse;
}

void MainWindow::Command1_Click()
{
    if (!closeGuard && !isVisible())
        return;
    database_.close();
    closeGuard = ProcessImage::kFalse;
    close();
    emit exitRequested();
}

void MainWindow::Command9_Click()
{
    const QString problem = settings_->checkListTexts();
    if (!problem.isEmpty())
        statusBar()->showMessage(problem, kMessageMs);
    settings_->setFramesVisible(false, context_.link.settings());
    context_.connection.open(settings_->choices());
}

void MainWindow::Command10_Click()
{
    context_.connection.close();
}

void MainWindow::openLinkFromCommandLine(const LinkChoices& choices)
{
    settings_->setChoices(choices);
    Command9_Click();
}

void MainWindow::onLinkOpened()
{
    settings_->setFramesVisible(false, context_.link.settings());
    command21_->setEnabled(true);
    command23_->setEnabled(true);
}

void MainWindow::onLinkClosed()
{
    command21_->setEnabled(false);
    command23_->setEnabled(false);
    settings_->setFramesVisible(true, context_.link.settings());
}

void MainWindow::Timer1_Timer()
{
    ProcessImage& image = context_.image;
    if (!navigator_.rulerMode) {
        Label2(9)->setBackground(PanelColours::kLightGreen);
        Label2(10)->setBackground(PanelColours::kLightGreen);
        panel_->showLiveColours();
    }
    chart()->setYAxisScale(yAxisScale(image.yAxisSpan, image.yAxisMin));

    // A connection that failed at start-up is tried again when the live
    // window is next reloaded from it.
    if (reloadDue() && !database_.isOpen())
        openDatabase();
    const LiveAppendResult appended = appendLiveSample(buffers_, playback_, zoom_, image, context_.clock.now());
    if (appended == LiveAppendResult::ReloadedAndAppended)
        showFirstVisibleSample();
    // One redraw covers the reload's and the append's: nothing paints in
    // between, so the picture is the same.
    if (appended != LiveAppendResult::NoSample)
        refreshChart();

    RefreshPanel();
    Label19()->setText(numberText(zoom_.markStep));
}

bool MainWindow::reloadDue() const
{
    return context_.image.sampleReady && buffers_.markEnd + 1 >= TrendBuffers::kLiveWindow + 20 * zoom_.zoomLevel;
}

void MainWindow::RefreshPanel()
{
    const ProcessImage& image = context_.image;
    panel_->refresh(image);
    for (int i = 0; i < PanelCaptions::kParameterFields; ++i)
        parameters_->setValue(i, numberText(image.paramValues[static_cast<size_t>(i + 1)]));
    for (size_t i = 0; i < alarmDisplays_.size(); ++i)
        alarmDisplays_[i]->setCaption(numberText(image.alarmRegs[i]));
}

void MainWindow::Timer2_Timer()
{
    refreshChart();
}

void MainWindow::Timer3_Timer()
{
    if (navigator_.rulerMode)
        return;
    const QDateTime now = context_.clock.now();
    Label2(9)->setCaption(HeaderTexts::dateText(now.date()));
    Label2(10)->setCaption(HeaderTexts::timeText(now.time()));
}

void MainWindow::Timer4_Timer()
{
}

void MainWindow::refreshChart()
{
    chartPanel_->refresh();
}

void MainWindow::Form_KeyDown(int keyCode)
{
    switch (keyCode) {
    case ChartNavigator::kKeyEscape: Command1_Click(); return;
    case ChartNavigator::kKeyF3: Command2_Click(); return;
    case ChartNavigator::kKeyF5: Command6_Click(); return;
    default: chartPanel_->keyDown(keyCode); return;
    }
}

void MainWindow::Command2_Click()
{
    const ChartPrintHeading heading{windowTitle(), Label2(9)->text() + QLatin1Char(' ') + Label2(10)->text(),
                                    panel_->D_3W(0)->text(), panel_->D_3W(2)->text(), panel_->D_3W(1)->text()};
    openPrintDialog(this, *chart(), heading);
}

void MainWindow::Command6_Click()
{
    if (historySelect_ == nullptr) {
        historySelect_ = new HistorySelectPopup(this);
        connect(historySelect_, &HistorySelectPopup::chosen, this, &MainWindow::showMoment);
    }
    historySelect_->popUp(chartPanel_->Command6(), context_.clock.now().addSecs(-3600));
}

void MainWindow::showMoment(const QDateTime& moment)
{
    const auto outcome = HistorySelect::showMoment(playback_, QSqlDatabase::database(kConnectionName), moment, zoom_);
    if (outcome == HistoryPlayback::Outcome::Refused)
        statusBar()->showMessage(QStringLiteral("%1 没有可显示的记录").arg(moment.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))),
                                 kMessageMs);
    chartPanel_->showPagingOutcome(outcome);
}

void MainWindow::setLiveRefresh(bool running)
{
    // Started only when stopped: a restart would postpone the next tick.
    if (!running)
        Timer1.stop();
    else if (!Timer1.isActive())
        Timer1.start();
}

void MainWindow::showRulerReadOut(const RulerReadOut& readOut)
{
    Label2(9)->setCaption(readOut.date);
    Label2(10)->setCaption(readOut.time);
    for (const int i : {9, 10})
        Label2(i)->setBackground(PanelColours::kYellow);
    panel_->showRulerValues(readOut.values);
}

void MainWindow::showYAxisRange()
{
    // At once rather than at the next tick: with the ruler on there is no
    // tick, and scale and curves must always agree.
    const ProcessImage& image = context_.image;
    chart()->setYAxisScale(yAxisScale(image.yAxisSpan, image.yAxisMin));
    refreshChart();
}

void MainWindow::showFirstVisibleSample()
{
    // A load names the first sample visible at the left edge; outside the
    // ruler the clock header takes over again at its next tick.
    const auto slot = static_cast<size_t>(zoom_.markOffset + 1);
    if (slot >= buffers_.trendDates.size())
        return;
    Label2(9)->setCaption(DateValue::text(buffers_.trendDates[slot]));
    Label2(10)->setCaption(DateValue::text(buffers_.trendTimes[slot]));
}

PanelField* MainWindow::Parm1(int i) const { return parameters_->field(i); }
PanelField* MainWindow::Alm1(int i) const
{
    return i >= 0 && i < static_cast<int>(alarmDisplays_.size()) ? alarmDisplays_[static_cast<size_t>(i)] : nullptr;
}
TrendChartView* MainWindow::chart() const { return chartPanel_->chart(); }
QLabel* MainWindow::Label19() const { return chartPanel_->Label19(); }
QLabel* MainWindow::Label20() const { return chartPanel_->Label20(); }
PanelField* MainWindow::Label2(int i) const { return header_->Label2(i); }

void MainWindow::buildLayout()
{
    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(8, 4, 8, 4);
    column->setSpacing(6);

    header_ = new HeaderBar(kCaption, central);
    column->addWidget(header_);

    auto* middle = new QHBoxLayout;
    middle->setSpacing(8);
    chartPanel_ = new ChartPanel(buffers_, zoom_, context_.image, navigator_, central);
    middle->addWidget(chartPanel_, 1);
    panel_ = new LivePanel(central);
    panel_->setMinimumWidth(380);
    panel_->setMaximumWidth(500);
    middle->addWidget(panel_, 0);
    column->addLayout(middle, 1);

    column->addWidget(buildParameterTabs());
    column->addWidget(buildCommandBar());
    setCentralWidget(central);
}

QWidget* MainWindow::buildParameterTabs()
{
    // Across the whole width, so that the parameters take few rows and the
    // chart keeps the height.
    auto* tabs = new QTabWidget(this);
    // The display fields belong to the live refresh; the panel places them.
    std::array<QLabel*, AlarmRows::kRows> displays{};
    for (size_t i = 0; i < alarmDisplays_.size(); ++i)
        displays[i] = alarmDisplays_[i] = new PanelField(PanelColours::kCyan, tabs);
    alarmPanel_ = new AlarmPanel(displays, *writes_, tabs);
    parameters_ = new ValueGrid(captions(&PanelCaptions::parameterCaption, PanelCaptions::kParameterFields), 7,
                                PanelColours::kCyan, tabs);
    tabs->addTab(alarmPanel_, QStringLiteral("报警参数"));
    tabs->addTab(parameters_, QStringLiteral("仪表参数"));
    tabs->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    return tabs;
}

QWidget* MainWindow::buildCommandBar()
{
    auto* bar = new QWidget(this);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    settings_ = new LinkSettingsBar(bar);
    row->addWidget(settings_);
    row->addStretch(1);

    // Commands that need the instrument are usable only while the link is open.
    command21_ = new QPushButton(QStringLiteral("CONFIG"), bar);
    command23_ = new QPushButton(QStringLiteral("参数校准"), bar);
    command1_ = new QPushButton(QStringLiteral("退出"), bar);
    for (QPushButton* button : {command21_, command23_, command1_}) {
        button->setMinimumHeight(button->sizeHint().height() * 3 / 2);
        row->addWidget(button, 0, Qt::AlignBottom);
    }
    command21_->setEnabled(false);
    command23_->setEnabled(false);
    command1_->setToolTip(QStringLiteral("结束程序（Esc）"));
    return bar;
}

void MainWindow::connectCommands()
{
    feedback_ = new EntryFeedback(*statusBar(), this);
    CommandControls controls = panel_->commandControls();
    controls.YKD = chartPanel_->YKD();
    controls.YKD1 = chartPanel_->YKD1();
    controls.Command26 = chartPanel_->Command26();
    commands_ = new OperatorCommands(controls, context_.image, *writes_, this);
    connect(commands_, &OperatorCommands::refused, feedback_, &EntryFeedback::showRefusal);
    connect(commands_, &OperatorCommands::accepted, feedback_, &EntryFeedback::clearMarks);
    connect(commands_, &OperatorCommands::yAxisChanged, this, &MainWindow::showYAxisRange);
    connect(command23_, &QPushButton::clicked, commands_, &OperatorCommands::Command23_Click);
    connect(alarmPanel_, &AlarmPanel::refused, feedback_, &EntryFeedback::showRefusal);
    connect(alarmPanel_, &AlarmPanel::accepted, feedback_, &EntryFeedback::clearMarks);
    connect(writes_, &OperatorWrites::failed, feedback_, &EntryFeedback::showWriteFailure);

    connect(chartPanel_, &ChartPanel::liveRefreshWanted, this, &MainWindow::setLiveRefresh);
    connect(chartPanel_, &ChartPanel::windowLoaded, this, &MainWindow::showFirstVisibleSample);
    connect(chartPanel_, &ChartPanel::rulerReadOut, this, &MainWindow::showRulerReadOut);
    connect(chartPanel_->Command2(), &QPushButton::clicked, this, &MainWindow::Command2_Click);
    connect(chartPanel_->Command6(), &QPushButton::clicked, this, &MainWindow::Command6_Click);
}

void MainWindow::buildShortcuts()
{
    // Window-wide, so the keys work wherever the focus is, also in an entry.
    static constexpr std::pair<Qt::Key, int> kKeys[] = {
        {Qt::Key_Escape, ChartNavigator::kKeyEscape}, {Qt::Key_F1, ChartNavigator::kKeyF1},
        {Qt::Key_F2, ChartNavigator::kKeyF2},         {Qt::Key_F3, ChartNavigator::kKeyF3},
        {Qt::Key_F4, ChartNavigator::kKeyF4},         {Qt::Key_F5, ChartNavigator::kKeyF5},
        {Qt::Key_F6, ChartNavigator::kKeyF6},         {Qt::Key_F7, ChartNavigator::kKeyF7},
    };
    for (const auto& [key, code] : kKeys) {
        auto* shortcut = new QShortcut(QKeySequence(key), this);
        connect(shortcut, &QShortcut::activated, this, [this, code = code] { Form_KeyDown(code); });
    }
}

void MainWindow::buildStatusBar()
{
    linkIndicator_ = new StatusIndicator(statusBar());
    recorderIndicator_ = new StatusIndicator(statusBar());
    statusBar()->addPermanentWidget(linkIndicator_);
    statusBar()->addPermanentWidget(recorderIndicator_);
    status_ = new StationStatus(context_.poll, context_.recorder, context_.clock, *linkIndicator_,
                                *recorderIndicator_, this);
    status_->showCurrent();
}
