#include "mainwindow/MainWindow.h"

#include <algorithm>
#include <optional>
#include <utility>

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
#include "widgets/ElidedLabel.h"
#include "widgets/EntryFeedback.h"
#include "mainwindow/ExitQuestion.h"
#include "mainwindow/AboutBox.h"
#include "mainwindow/HeaderBar.h"
#include "widgets/HeaderTexts.h"
#include "link/LinkFailureText.h"
#include "trend/HistorySelect.h"
#include "trendview/HistorySelectPopup.h"
#include "link/InstrumentLink.h"
#include "link/Poller.h"
#include "link/LinkFailure.h"
#include "mainwindow/LinkSettingsBar.h"
#include "trend/LiveAppend.h"
#include "mainwindow/LivePanel.h"
#include "core/NumberText.h"
#include "mainwindow/OperatorCommands.h"
#include "mainwindow/OperatorWrites.h"
#include "mainwindow/PanelCaptions.h"
#include "widgets/PanelStates.h"
#include "history/SampleRecorder.h"
#include "instrument/InstrumentState.h"
#include "station/StationCore.h"
#include "widgets/StaleAge.h"
#include "widgets/StationFont.h"
#include "widgets/ArchiveStatus.h"
#include "widgets/HistorianStatus.h"
#include "widgets/JournalStatus.h"
#include "widgets/StationStatus.h"
#include "widgets/StatusIndicator.h"
#include "widgets/SubjectMessages.h"
#include "widgets/StatusTexts.h"
#include "widgets/WindowLog.h"
#include "trendview/TrendChartView.h"
#include "mainwindow/ValueGrid.h"

namespace {

constexpr int16_t kInitialYAxisSpan = 60;
constexpr int kMessageMs = 8000;
// What the status bar says about the link, as against a command's messages.
const QString kLinkSubject = QStringLiteral("link");

// The window's messages that the log repeats in English.
ShownText words(const char* source)
{
    return ShownText("MainWindow", source);
}

QStringList captions(QString (*caption)(int), int count)
{
    QStringList list;
    for (int i = 0; i < count; ++i)
        list << caption(i);
    return list;
}

// The newest sample in the chart's data area (its left edge up to slot
// 240), on a history page as in the live window: the picker starts from
// what the operator is looking at.
std::optional<QDateTime> newestVisibleMoment(const TrendBuffers& buffers, const ZoomGeometry& zoom)
{
    constexpr int kRightEdgeSlot = TrendBuffers::kLiveWindow - 1;
    for (int slot = kRightEdgeSlot; slot > zoom.markOffset; --slot) {
        const auto at = static_cast<size_t>(slot);
        if (buffers.trendDates[at] > 0)
            return DateValue::toDateTime(buffers.trendDates[at] + buffers.trendTimes[at]);
    }
    return std::nullopt;
}

} // namespace

MainWindow::MainWindow(StationCore& core, Ticking ticking, QWidget* parent)
    : QMainWindow(parent)
    , core_(core)
    , ticking_(ticking)
    , database_(kConnectionName, core.databasePath())
    , playback_(buffers_, database_)
    , navigator_(buffers_, zoom_, playback_)
{
    // First, so that every control built below inherits it.
    setFont(StationFont::font());
    setWindowTitle(tr(kCaptionSource));
    writes_ = new OperatorWrites(core_.link(), core_.clock(), this);
    writes_->setLinkOpen(core_.connection().isOpen());
    buildLayout();
    buildStatusBar();
    connectCommands();
    buildShortcuts();
    resize(1280, 800);

    liveRefreshTimer_.setInterval(kRefreshIntervalMs);
    chartRedrawTimer_.setInterval(kChartIntervalMs);
    clockTimer_.setInterval(kClockIntervalMs);
    connect(&liveRefreshTimer_, &QTimer::timeout, this, &MainWindow::refreshLiveValues);
    connect(&chartRedrawTimer_, &QTimer::timeout, this, &MainWindow::redrawChart);
    connect(&clockTimer_, &QTimer::timeout, this, &MainWindow::showClock);

    connect(settings_->openButton(), &QPushButton::clicked, this, &MainWindow::openLink);
    connect(settings_->closeButton(), &QPushButton::clicked, this, &MainWindow::closeLink);
    connect(exitButton_, &QPushButton::clicked, this, &MainWindow::askToExit);

    connect(&core_.connection(), &PortConnection::opened, this, &MainWindow::onLinkOpened);
    connect(&core_.connection(), &PortConnection::closed, this, &MainWindow::onLinkClosed);
    connect(&core_.connection(), &PortConnection::refused, this, &MainWindow::onPortRefused);
    connect(&core_.link(), &InstrumentLink::portOpened, this, &MainWindow::onPortOpened);
    connect(&core_.poller(), &Poller::linkHealthChanged, this, &MainWindow::onLinkHealthChanged);
    connect(&core_.recorder(), &SampleRecorder::sampleTaken, this, &MainWindow::onSampleTaken);
}

MainWindow::~MainWindow()
{
    stop();
}

void MainWindow::start()
{
    yRange_.span = kInitialYAxisSpan;
    settings_->initialise();
    playback_.atOldest = false;
    open_ = true;
    playback_.pageCount = 0;
    std::fill(buffers_.gapMarks.begin() + 1, buffers_.gapMarks.begin() + TrendBuffers::kHistoryPage + 1, 0);
    zoom_.zoomLevel = 1;

    openDatabase();
    playback_.loadLiveWindow();
    showFirstVisibleSample();
    closesOnlyOnExit_ = true;
    navigator_.rulerOn = false;
    redrawChart();
    chartPanel_->showStates();

    liveRefreshOn_ = true;
    if (ticking_ == Ticking::ByTimers) {
        liveRefreshTimer_.start();
        chartRedrawTimer_.start();
        clockTimer_.start();
    }
}

void MainWindow::showFailure(const ShownText& text, int timeoutMs)
{
    qCWarning(windowLog).noquote() << text.english();
    statusBar()->showMessage(text.shown(), timeoutMs);
}

void MainWindow::showLinkFailure(const ShownText& text, const QString& detail)
{
    const QString english = text.english();
    qCWarning(windowLog).noquote() << (detail.isEmpty() ? english : QStringLiteral("%1 [%2]").arg(english, detail));
    linkMessages_->show(kLinkSubject, text.shown(), detail, kMessageMs);
}

void MainWindow::onPortOpened(bool ok, const QString& error, const LinkFailure& failure)
{
    if (ok)
        linkMessages_->answer(kLinkSubject);
    else
        showLinkFailure(words(QT_TRANSLATE_NOOP("MainWindow", "端口打开失败：")) + linkFailureWords(failure), error);
}

void MainWindow::onLinkHealthChanged()
{
    // The light shows the recovery; the message about the failure goes
    // with it. Only on the change: a port refused while another one keeps
    // answering is news all the same.
    const bool answering = core_.poller().linkHealth().state() == LinkHealth::State::Answering;
    if (answering && !linkAnswering_)
        linkMessages_->answer(kLinkSubject);
    linkAnswering_ = answering;
    settings_->showLinkHealth(core_.poller().linkHealth(), core_.clock().now().date());
}

void MainWindow::onWriteFailed(WriteOutcome outcome)
{
    // A closed link knows only the port it last opened, none before the
    // first open: the operator is told of the port he has chosen.
    if (!core_.connection().isOpen() && outcome.failure.kind == LinkFailure::Kind::NotOpen) {
        const int port = settings_->choices().appliedTo(core_.link().settings()).port;
        outcome.error = QString::fromStdString(LinkReasons::notOpen(port));
        outcome.failure.number = port;
    }
    feedback_->showWriteFailure(outcome);
}

void MainWindow::onPortRefused(const DeviceRefusal& refusal)
{
    showLinkFailure(StatusTexts::portHeld(refusal, core_.clock().now().date()));
    // The link stays as it was: a port already open keeps running.
    settings_->setGroupsVisible(!core_.connection().isOpen(), core_.link().settings());
}

void MainWindow::openDatabase()
{
    if (database_.open()) {
        if (databaseFailed_) {
            qCInfo(windowLog) << "history database open again";
            statusBar()->showMessage(tr("历史数据库已重新打开"), kMessageMs);
        }
        databaseFailed_ = false;
        return;
    }
    // Once per episode: a retry at every reload must not wipe the messages
    // shown meanwhile (a refused entry, a failed write).
    if (!databaseFailed_) {
        const ShownText cause = StatusTexts::fileProblem(database_.problem(), StationFile::History);
        showFailure(words(QT_TRANSLATE_NOOP("MainWindow", "历史数据库无法打开，曲线只显示实时数据："))
                    + (cause.isEmpty() ? ShownText::verbatim(database_.errorText()) : cause));
    }
    databaseFailed_ = true;
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // Refused before anything is undone: a refused close leaves the
    // database connection, the recorder's sample signal and the timers
    // exactly as they were.
    if (closesOnlyOnExit_) {
        event->ignore();
        statusBar()->showMessage(tr("主窗口只能用“退出”按钮或 Esc 关闭"), kMessageMs);
        return;
    }
    stop();
    event->accept();
}

void MainWindow::stop()
{
    liveRefreshTimer_.stop();
    chartRedrawTimer_.stop();
    clockTimer_.stop();
    liveRefreshOn_ = false;
    database_.close();
    open_ = false;
}

void MainWindow::onSampleTaken(const Sample& sample)
{
    // A history page takes no samples; back in live mode the reload brings
    // what was stored meanwhile. More than a window's worth would only fall
    // off the left edge.
    if (!open_ || !liveRefreshOn_)
        return;
    if (waitingSamples_.size() >= static_cast<size_t>(TrendBuffers::kSlots))
        waitingSamples_.erase(waitingSamples_.begin());
    waitingSamples_.push_back(sample);
}

void MainWindow::askToExit()
{
    if (!closesOnlyOnExit_ && !isVisible())
        return;
    if (!exitQuestion_) {
        exitQuestion_ = new ExitQuestion(this);
        connect(exitQuestion_, &ExitQuestion::confirmed, this, &MainWindow::exitStation);
        exitQuestion_->open();
    }
    exitQuestion_->raise();
    exitQuestion_->activateWindow();
}

ExitQuestion* MainWindow::exitQuestion() const
{
    return exitQuestion_;
}

void MainWindow::exitStation()
{
    // A signal may end the station while the question is open.
    if (exitQuestion_ && exitQuestion_->isVisible())
        exitQuestion_->close();
    if (!closesOnlyOnExit_ && !isVisible())
        return;
    database_.close();
    closesOnlyOnExit_ = false;
    close();
    emit exitRequested();
}

void MainWindow::openLink()
{
    const ShownText problem = settings_->checkListTexts();
    if (!problem.isEmpty())
        showFailure(problem, kMessageMs);
    settings_->setGroupsVisible(false, core_.link().settings());
    core_.connection().open(settings_->choices());
}

void MainWindow::closeLink()
{
    core_.connection().close();
}

void MainWindow::openLinkFromCommandLine(const LinkChoices& choices)
{
    settings_->setChoices(choices);
    openLink();
}

void MainWindow::onLinkOpened()
{
    settings_->setGroupsVisible(false, core_.link().settings());
    configurationButton_->setEnabled(true);
    writes_->setLinkOpen(true);
}

void MainWindow::onLinkClosed()
{
    configurationButton_->setEnabled(false);
    writes_->setLinkOpen(false);
    settings_->setGroupsVisible(true, core_.link().settings());
}

void MainWindow::refreshLiveValues()
{
    // The ruler holds the header and the panel with the sample under it.
    if (navigator_.rulerOn)
        return;
    header_->dateField()->setBackground(PanelColours::kLightGreen);
    header_->timeField()->setBackground(PanelColours::kLightGreen);
    chart()->setYAxisScale(yAxisScale(yRange_.span, yRange_.minimum));

    // A history page keeps its records: only the live window takes the
    // recorder's samples. The panel stays live either way.
    if (liveRefreshOn_)
        appendWaitingSample();
    showPanelValues();
}

void MainWindow::appendWaitingSample()
{
    // A connection that failed at start-up is tried again when the live
    // window is next reloaded from it.
    if (reloadDue() && !database_.isOpen())
        openDatabase();
    if (waitingSamples_.empty())
        return;
    for (const Sample& sample : std::exchange(waitingSamples_, {})) {
        const LiveAppendResult appended = appendLiveSample(buffers_, playback_, zoom_, sample);
        using Outcome = LiveAppendResult::Outcome;
        if (appended.outcome == Outcome::Reloaded || appended.outcome == Outcome::ReloadFailed)
            showFirstVisibleSample();
        // Once per episode: the chart goes on from memory meanwhile.
        if (appended.outcome == Outcome::ReloadFailed && !liveReloadFailing_)
            reportUnreadableHistory(appended.loadError);
        if (appended.outcome == Outcome::Reloaded)
            liveReloadFailing_ = false;
        else if (appended.outcome == Outcome::ReloadFailed)
            liveReloadFailing_ = true;
    }
    // One redraw covers the reload's and the appends': nothing paints in
    // between, so the picture is the same.
    redrawChart();
}

bool MainWindow::reloadDue() const
{
    return !waitingSamples_.empty() && buffers_.markEnd + 1 >= TrendBuffers::kLiveWindow + 20 * zoom_.zoomLevel;
}

void MainWindow::reportUnreadableHistory(const QString& reason)
{
    showFailure(words(QT_TRANSLATE_NOOP("MainWindow", "历史数据读取失败，曲线保持原样：")) + ShownText::verbatim(reason),
                kMessageMs);
}

void MainWindow::showPanelValues()
{
    const InstrumentState& state = core_.state();
    panel_->refresh(state, core_.clock().now());
    // The entries that write follow what the instrument holds, unless the
    // operator is editing them.
    commands_->showInstrumentValues();
    alarmPanel_->showInstrumentValues(state);
    // Nothing before the first answer: a 0 there would look measured. What
    // the instrument has not confirmed lately stays, faded, as on the panel,
    // and its tab says how old it is.
    const QDateTime now = core_.clock().now();
    const bool parametersRead = state.everRead(InstrumentState::Block::Parameters);
    const bool parametersFresh = state.isFresh(InstrumentState::Block::Parameters, now);
    for (int i = 0; i < PanelCaptions::kParameterFields; ++i) {
        parameters_->setValue(i, parametersRead ? numberText(state.parameter(RegisterMap::kFirstParameter + i))
                                                : QString());
        parameters_->field(i)->showFresh(parametersFresh, PanelColours::kCyan);
    }
    const bool setPointsRead = state.everRead(InstrumentState::Block::AlarmSetPoints);
    const bool setPointsFresh = state.isFresh(InstrumentState::Block::AlarmSetPoints, now);
    for (size_t i = 0; i < alarmValues_.size(); ++i) {
        alarmValues_[i]->setCaption(
            setPointsRead ? numberText(static_cast<int32_t>(state.alarmRegister(static_cast<int>(i)))) : QString());
        alarmValues_[i]->showFresh(setPointsFresh, PanelColours::kCyan);
    }
    showTabAge(alarmPanel_, tr("报警参数"), InstrumentState::Block::AlarmSetPoints);
    showTabAge(parameters_, tr("仪表参数"), InstrumentState::Block::Parameters);
}

void MainWindow::showTabAge(QWidget* page, const QString& caption, InstrumentState::Block block)
{
    const QDateTime now = core_.clock().now();
    const QString age = StaleAge::of(core_.state(), block, now);
    const int index = parameterTabs_->indexOf(page);
    const QString text = age.isEmpty() ? caption : tr("%1（%2）").arg(caption, age);
    if (parameterTabs_->tabText(index) != text) {
        parameterTabs_->setTabText(index, text);
        parameterTabs_->setTabToolTip(index, StaleAge::confirmedAt(core_.state(), block, now));
    }
}

void MainWindow::showClock()
{
    if (navigator_.rulerOn)
        return;
    const QDateTime now = core_.clock().now();
    header_->dateField()->setCaption(HeaderTexts::dateText(now.date()));
    header_->timeField()->setCaption(HeaderTexts::timeText(now.time()));
}

void MainWindow::redrawChart()
{
    chartPanel_->refresh();
}

ChartPrintHeading MainWindow::printHeading() const
{
    ChartPrintHeading heading{windowTitle(), {}, {}, panel_->liveValueField(LivePanel::liveField(RegisterMap::kProcessValue))->text(),
                              panel_->liveValueField(LivePanel::liveField(RegisterMap::kWorkingSetValue))->text(),
                              panel_->liveValueField(LivePanel::liveField(RegisterMap::kOutput))->text()};
    const bool history = chartPanel_->historyShown();
    if (const auto period = chartPanel_->shownPeriod())
        heading.period = (history ? tr("历史曲线 ") : tr("实时曲线 ")) + period->text();
    // The panel's values belong to the ruler's sample, or to now; the
    // values of now are no reading of a history page.
    if (navigator_.rulerOn)
        heading.valuesMoment = tr("标尺处 %1 %2").arg(header_->dateField()->text(), header_->timeField()->text());
    else if (!history)
        heading.valuesMoment =
            tr("打印时 %1").arg(core_.clock().now().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    return heading;
}

void MainWindow::printChart()
{
    openPrintDialog(this, *chart(), printHeading(), [this](bool printed) {
        if (!printed)
            showFailure(words(QT_TRANSLATE_NOOP("MainWindow", "打印失败：打印机未能打印这一页")), kMessageMs);
    });
}

void MainWindow::chooseMoment()
{
    if (historySelect_ == nullptr) {
        historySelect_ = new HistorySelectPopup(this);
        connect(historySelect_, &HistorySelectPopup::chosen, this, &MainWindow::showMoment);
    }
    historySelect_->popUp(chartPanel_->chooseMomentButton(),
                          newestVisibleMoment(buffers_, zoom_).value_or(core_.clock().now().addSecs(-3600)));
}

void MainWindow::showMoment(const QDateTime& moment)
{
    database_.followFileAtPath();
    const auto outcome = HistorySelect::showMoment(playback_, database_.database(), moment, zoom_);
    if (outcome == HistoryPlayback::Outcome::Refused)
        showFailure(words(QT_TRANSLATE_NOOP("MainWindow", "%1 没有可显示的记录"))
                        .arg(moment.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))),
                    kMessageMs);
    chartPanel_->showPagingOutcome(outcome);
}

void MainWindow::requestExport()
{
    const std::optional<ShownPeriod> period = chartPanel_->shownPeriod();
    emit exportRequested(period ? period->from : QDateTime(), period ? period->to : QDateTime());
}

void MainWindow::setLiveRefresh(bool running)
{
    // The refresh timer itself runs on: the panel stays live on a history
    // page, only the chart stops taking samples.
    liveRefreshOn_ = running;
}

void MainWindow::showRulerReadOut(const RulerReadOut& readOut)
{
    header_->dateField()->setCaption(readOut.date);
    header_->timeField()->setCaption(readOut.time);
    for (PanelField* field : {header_->dateField(), header_->timeField()})
        field->setBackground(PanelColours::kYellow);
    panel_->showRulerValues(readOut.values);
}

void MainWindow::showYAxisRange()
{
    // At once rather than at the next tick: with the ruler on there is no
    // tick, and scale and curves must always agree.
    chart()->setYAxisScale(yAxisScale(yRange_.span, yRange_.minimum));
    redrawChart();
}

void MainWindow::showFirstVisibleSample()
{
    // Live, the header is the clock: a reload is no moment of its own. A
    // history page names its first sample visible at the left edge; outside
    // the ruler the clock takes over again at its next tick.
    if (!chartPanel_->historyShown()) {
        showClock();
        return;
    }
    const auto slot = static_cast<size_t>(zoom_.markOffset + 1);
    if (slot >= buffers_.trendDates.size())
        return;
    header_->dateField()->setCaption(DateValue::text(buffers_.trendDates[slot]));
    header_->timeField()->setCaption(DateValue::text(buffers_.trendTimes[slot]));
}

TrendChartView* MainWindow::chart() const { return chartPanel_->chart(); }

PanelField* MainWindow::alarmValueField(int row) const
{
    return row >= 0 && row < static_cast<int>(alarmValues_.size()) ? alarmValues_[static_cast<size_t>(row)] : nullptr;
}

void MainWindow::buildLayout()
{
    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(8, 4, 8, 4);
    column->setSpacing(6);

    header_ = new HeaderBar(tr(kCaptionSource), central);
    connect(header_, &HeaderBar::aboutRequested, this, [this] { AboutBox::show(core_, zoom_, this); });
    column->addWidget(header_);

    auto* middle = new QHBoxLayout;
    middle->setSpacing(8);
    chartPanel_ = new ChartPanel(buffers_, zoom_, yRange_, navigator_, central);
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
    auto* tabs = parameterTabs_ = new QTabWidget(this);
    // The display fields belong to the live refresh; the panel places them.
    std::array<QLabel*, AlarmRows::kRows> displays{};
    for (size_t i = 0; i < alarmValues_.size(); ++i)
        displays[i] = alarmValues_[i] = new PanelField(PanelColours::kCyan, tabs);
    alarmPanel_ = new AlarmPanel(displays, *writes_, tabs);
    parameters_ = new ValueGrid(captions(&PanelCaptions::parameterCaption, PanelCaptions::kParameterFields), 7,
                                PanelColours::kCyan, tabs);
    tabs->addTab(alarmPanel_, tr("报警参数"));
    tabs->addTab(parameters_, tr("仪表参数"));
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
    // "参数校准" is there for the operators who know it; it has no action in
    // this station, so it stays disabled and says so.
    // "事件记录" reads only the journal file, so it works with the link closed.
    journalButton_ = new QPushButton(tr("事件记录"), bar);
    journalButton_->setToolTip(tr("查看报警、通讯和操作的记录（F8）"));
    // "导出记录" reads only the files, so it too works with the link closed.
    exportButton_ = new QPushButton(tr("导出记录"), bar);
    exportButton_->setToolTip(tr("把一段时间的记录存为 CSV 表格或 PDF 报表（F9）"));
    configurationButton_ = new QPushButton(QStringLiteral("CONFIG"), bar);
    calibrationButton_ = new QPushButton(tr("参数校准"), bar);
    exitButton_ = new QPushButton(tr("退出"), bar);
    for (QPushButton* button :
         {journalButton_, exportButton_, configurationButton_, calibrationButton_, exitButton_}) {
        button->setMinimumHeight(button->sizeHint().height() * 3 / 2);
        // The style gives every button at least 80 px; beside the link
        // settings of a closed link the five of them give up that spare room
        // and most of their padding rather than widen the window past the
        // screen.
        const QFontMetrics metrics = button->fontMetrics();
        button->setMinimumWidth(metrics.horizontalAdvance(button->text()) + metrics.height() / 2);
        row->addWidget(button, 0, Qt::AlignBottom);
    }
    configurationButton_->setEnabled(false);
    calibrationButton_->setEnabled(false);
    calibrationButton_->setToolTip(tr("本工作站没有参数校准功能"));
    exitButton_->setToolTip(tr("结束程序（Esc）"));
    return bar;
}

void MainWindow::connectCommands()
{
    feedback_ = new EntryFeedback(*statusBar(), this);
    CommandControls controls = panel_->commandControls();
    controls.yMaximumEntry = chartPanel_->yMaximumEntry();
    controls.yMinimumEntry = chartPanel_->yMinimumEntry();
    controls.applyRangeButton = chartPanel_->applyRangeButton();
    commands_ = new OperatorCommands(controls, core_.state(), yRange_, *writes_, this);
    connect(commands_, &OperatorCommands::refused, feedback_, &EntryFeedback::showRefusal);
    connect(commands_, &OperatorCommands::refused, this, [this] { core_.entryRefused(); });
    connect(commands_, &OperatorCommands::accepted, feedback_, &EntryFeedback::clearMarks);
    connect(commands_, &OperatorCommands::notWritten, feedback_, &EntryFeedback::showNotWritten);
    connect(commands_, &OperatorCommands::yAxisChanged, this, &MainWindow::showYAxisRange);
    connect(alarmPanel_, &AlarmPanel::refused, feedback_, &EntryFeedback::showRefusal);
    connect(alarmPanel_, &AlarmPanel::refused, this, [this] { core_.entryRefused(); });
    connect(alarmPanel_, &AlarmPanel::accepted, feedback_, &EntryFeedback::clearMarks);
    connect(alarmPanel_, &AlarmPanel::notWritten, feedback_, &EntryFeedback::showNotWritten);
    connect(writes_, &OperatorWrites::failed, this, &MainWindow::onWriteFailed);
    connect(writes_, &OperatorWrites::succeeded, feedback_, &EntryFeedback::showWriteSuccess);
    connect(commands_, &OperatorCommands::applied, feedback_, &EntryFeedback::showApplied);

    connect(chartPanel_, &ChartPanel::liveRefreshWanted, this, &MainWindow::setLiveRefresh);
    connect(chartPanel_, &ChartPanel::windowLoaded, this, &MainWindow::showFirstVisibleSample);
    connect(chartPanel_, &ChartPanel::historyUnreadable, this, &MainWindow::reportUnreadableHistory);
    connect(chartPanel_, &ChartPanel::rulerReadOut, this, &MainWindow::showRulerReadOut);
    connect(chartPanel_->printButton(), &QPushButton::clicked, this, &MainWindow::printChart);
    connect(chartPanel_->chooseMomentButton(), &QPushButton::clicked, this, &MainWindow::chooseMoment);
    connect(journalButton_, &QPushButton::clicked, this, &MainWindow::journalRequested);
    connect(exportButton_, &QPushButton::clicked, this, &MainWindow::requestExport);
}

void MainWindow::buildShortcuts()
{
    // Window-wide, so the keys work wherever the focus is, also in an entry.
    // The chart's own keys are the chart panel's.
    static constexpr std::pair<Qt::Key, void (MainWindow::*)()> kKeys[] = {
        {Qt::Key_Escape, &MainWindow::askToExit},
        {Qt::Key_F3, &MainWindow::printChart},
        {Qt::Key_F5, &MainWindow::chooseMoment},
        {Qt::Key_F8, &MainWindow::journalRequested},
        {Qt::Key_F9, &MainWindow::requestExport},
    };
    for (const auto& [key, action] : kKeys) {
        auto* shortcut = new QShortcut(QKeySequence(key), this);
        connect(shortcut, &QShortcut::activated, this, action);
    }
}

void MainWindow::buildStatusBar()
{
    // The status bar draws its message clipped and without a tooltip; this
    // line shows it in its place, cut with "…" and whole in the tooltip.
    messageLine_ = new ElidedLabel(statusBar());
    messageLine_->setAutoFillBackground(true);
    statusBar()->addPermanentWidget(messageLine_, 1);
    connect(statusBar(), &QStatusBar::messageChanged, messageLine_, &QLabel::setText);
    linkMessages_ = std::make_unique<SubjectMessages>(*statusBar());
    // The link's light keeps its whole text in every state; the others share
    // what is left.
    linkIndicator_ = new StatusIndicator(statusBar(), StatusIndicator::Room::Whole);
    recorderIndicator_ = new StatusIndicator(statusBar());
    statusBar()->addPermanentWidget(linkIndicator_);
    statusBar()->addPermanentWidget(recorderIndicator_);
    status_ = new StationStatus(core_.poller(), core_.recorder(), core_.clock(), *linkIndicator_,
                                *recorderIndicator_, this);
    status_->showCurrent();
    if (core_.journals()) {
        journalIndicator_ = new StatusIndicator(statusBar());
        statusBar()->addPermanentWidget(journalIndicator_);
        auto* journalStatus = new JournalStatus(core_.journal(), core_.clock(), *journalIndicator_, this);
        journalStatus->showCurrent();
    }
    if (core_.archives()) {
        archiveIndicator_ = new StatusIndicator(statusBar());
        statusBar()->addPermanentWidget(archiveIndicator_);
        auto* archiveStatus = new ArchiveStatus(core_.archive(), core_.clock(), *archiveIndicator_, this);
        archiveStatus->showCurrent();
    }
    if (core_.forwards()) {
        historianIndicator_ = new StatusIndicator(statusBar());
        statusBar()->addPermanentWidget(historianIndicator_);
        auto* historianStatus = new HistorianStatus(core_.historian(), core_.clock(), *historianIndicator_, this);
        historianStatus->showCurrent();
    }
}
