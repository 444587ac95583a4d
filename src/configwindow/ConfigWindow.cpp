#include "configwindow/ConfigWindow.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QStringList>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/Clock.h"
#include "instrument/EntryValue.h"
#include "link/InstrumentLink.h"
#include "configwindow/ParameterPage.h"
#include "configwindow/ParameterRowView.h"
#include "configwindow/ParameterSetCommands.h"
#include "instrument/InstrumentState.h"
#include "configwindow/ReadBackText.h"
#include "station/StationCore.h"
#include "link/LinkFailureText.h"
#include "widgets/InstrumentEntry.h"
#include "widgets/PanelField.h"
#include "widgets/StationFont.h"
#include "widgets/StationStatus.h"
#include "widgets/StatusIndicator.h"
#include "widgets/WindowLog.h"

namespace {

using ParameterCatalogue::Page;

// A pick from the heating/cooling action list is written at once, without
// waiting for the operator to leave it.
constexpr int kHeatingCoolingParameter = 11;

QString hintText()
{
    return QCoreApplication::translate("ConfigWindow", "修改后离开输入框或按回车即写入仪表，Esc 撤销修改；当前值每秒刷新");
}

} // namespace

ConfigWindow::ConfigWindow(StationCore& core, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , core_(core)
{
    setFont(StationFont::font());
    setWindowTitle(tr("TQ5800 配置 "));
    buildLayout();
    resize(1280, 800);

    readBackTimer_.setInterval(kReadBackIntervalMs);
    connect(&readBackTimer_, &QTimer::timeout, this, &ConfigWindow::showCurrentValues);
    connect(backButton_, &QPushButton::clicked, this, &ConfigWindow::goBack);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &ConfigWindow::goBack);
    connect(&core_.link(), &InstrumentLink::writeFinished, this, &ConfigWindow::onWriteFinished);
    connect(&core_.state(), &InstrumentState::parametersChanged, this, &ConfigWindow::noteParameterRead);
    if (const std::optional<QDateTime> read = core_.state().status(InstrumentState::Block::Parameters).lastGoodRead)
        lastRead_ = *read;

    start();
}

ConfigWindow::~ConfigWindow()
{
    // The rows' widgets go after this window's own members: a focus change
    // on their way out must not reach the write-back any more.
    for (ParameterRowView* r : rows_) {
        if (r)
            r->disconnect(this);
    }
}

// What every opening begins with: entries and current values blank until
// the first read-back, the output page in front.
void ConfigWindow::start()
{
    for (ParameterRowView* r : rows_) {
        if (r)
            r->fillList();
    }
    pageTabs_->setCurrentIndex(static_cast<int>(Page::Output));
    say(hintText(), StatusSeverity::Idle);
    readBackTimer_.start();
}

void ConfigWindow::closeEvent(QCloseEvent* event)
{
    if (!closeAllowed_) {
        event->ignore();
        say(tr("配置窗口只能用“ Esc 返回”按钮或 Esc 键关闭"), StatusSeverity::Warning);
        return;
    }
    readBackTimer_.stop();
    event->accept();
}

void ConfigWindow::closeForShutdown()
{
    closeAllowed_ = true;
    close();
}

void ConfigWindow::goBack()
{
    if (returned_)
        return;
    // Closing would end the download between two writes, the instrument
    // half loaded; it ends by itself, at the latest with the link's time-outs.
    if (parameterSets_->downloading()) {
        say(tr("参数下载进行中，结束后才能返回"), StatusSeverity::Warning);
        return;
    }
    // An entry still being typed into (the button reached without leaving
    // it) is written now, as leaving it would have done. Whatever stays
    // refused is told by the main window, since this one closes.
    for (ParameterRowView* r : rows_) {
        if (r && r->takeEdit())
            commitEntry(*r);
    }
    QStringList refused;
    for (ParameterRowView* r : rows_) {
        if (r && r->refused())
            refused.append(refusalText(*r));
    }
    returned_ = true;
    closeAllowed_ = true;
    close();
    if (!refused.isEmpty())
        emit leftUnwritten(refused.join(tr("；")));
    emit returned();
}

void ConfigWindow::showCurrentValues()
{
    const InstrumentState& state = core_.state();
    // Before the poll has read the parameters the rows stay blank: a 0 or
    // the name of code 0 there would look read from the instrument.
    if (!state.everRead(InstrumentState::Block::Parameters))
        return;
    for (ParameterRowView* r : rows_) {
        if (!r)
            continue;
        const int16_t raw = *instrumentValue(*r);
        r->follow(raw, readSince_);
        writes_.read(r->number(), raw, readSince_);
        r->showWriteState(writes_.state(r->number()), writes_.error(r->number()));
    }
}

void ConfigWindow::noteParameterRead()
{
    const std::optional<QDateTime> read = core_.state().status(InstrumentState::Block::Parameters).lastGoodRead;
    // A block's reads each announce it, with the block's one time.
    if (!read || *read == lastRead_)
        return;
    readSince_ = lastRead_;
    lastRead_ = *read;
}

std::optional<int16_t> ConfigWindow::instrumentValue(const ParameterRowView& r) const
{
    const InstrumentState& state = core_.state();
    if (!state.everRead(InstrumentState::Block::Parameters))
        return std::nullopt;
    return registerValue(r.parameter(), state.parameter(r.number()));
}

void ConfigWindow::commitIfEdited(ParameterRowView& r)
{
    if (r.takeEdit())
        commitEntry(r);
}

// Return: the operator says the entry is done. One whose write failed is
// tried again; one he has not changed is said to write nothing.
void ConfigWindow::onEntered(ParameterRowView& r)
{
    if (r.takeEdit() || (r.holdsEdit() && writes_.state(r.number()) == WriteTracker::State::Failed)) {
        commitEntry(r);
        return;
    }
    say(tr("%1：未修改，未写入").arg(ParameterCatalogue::shown(r.parameter().caption)), StatusSeverity::Idle);
}

void ConfigWindow::writeOnPick(ParameterRowView& r)
{
    r.takeEdit();
    commitEntry(r);
}

void ConfigWindow::commitEntry(ParameterRowView& r)
{
    const EntryValue entry = entryValue(r.parameter(), r.entryText());
    const QString caption = ParameterCatalogue::shown(r.parameter().caption);
    if (!entry.writable()) {
        const ShownText why = problemWords(r.parameter(), *entry.problem);
        r.markRefused(why.shown());
        qCWarning(windowLog) << "Parameter" << r.number() << "not written, entry" << r.entryText()
                             << "refused:" << why.english();
        core_.entryRefused();
        say(refusalText(r), StatusSeverity::Warning);
        return;
    }
    // The value the instrument holds is no command, once no write of the
    // parameter is still to show in a read: nothing is sent.
    if (writes_.settled(r.number()) && instrumentValue(r) == entry.value) {
        r.discardEdit();
        say(tr("%1：与仪表当前值相同，未写入").arg(caption), StatusSeverity::Idle);
        return;
    }
    write(r, entry.value);
}

QString ConfigWindow::refusalText(const ParameterRowView& r) const
{
    return tr("%1：%2，未写入").arg(ParameterCatalogue::shown(r.parameter().caption), r.refusal());
}

void ConfigWindow::write(ParameterRowView& r, int32_t value)
{
    const int registerAddress = r.parameter().registerAddress;
    const QString caption = ParameterCatalogue::text(r.parameter().caption);
    WriteRequest request = WriteRequest::toRegister(registerAddress, value, caption, this);
    request.shownBefore = r.currentValueField()->text();
    request.shownValue = r.entryText();
    request.origin = WriteOrigin::kConfiguration;
    core_.link().write(request);
    writes_.queued(r.number());
    r.showWriteState(writes_.state(r.number()), writes_.error(r.number()));
    say(tr("%1：正在写入 %2 = %3").arg(ParameterCatalogue::shown(caption)).arg(registerAddress).arg(value), StatusSeverity::Idle);
}

void ConfigWindow::onWriteFinished(const WriteOutcome& outcome)
{
    const WriteRequest& request = outcome.request;
    if (request.target != WriteRequest::Target::Register)
        return;
    ParameterRowView* r = rowOfRegister(request.address);
    // A row's mark follows every write of its register, also a download's
    // or another window's; only this window's own are told here.
    const bool asked = request.asker == this;
    const QDateTime now = core_.clock().now();
    if (!r || !writes_.finished(r->number(), outcome, asked, now))
        return;
    if (outcome.ok)
        r->showWritten(static_cast<int16_t>(request.value), now);
    r->showWriteState(writes_.state(r->number()), writes_.error(r->number()));
    if (!asked)
        return;
    const QString caption = ParameterCatalogue::shown(request.what);
    if (outcome.ok) {
        say(tr("%1：已写入 %2 = %3").arg(caption).arg(request.address).arg(request.value),
            StatusSeverity::Ok);
        return;
    }
    const QString reason = outcome.error.isEmpty() ? tr("仪表无应答") : shownLinkFailureText(outcome.failure);
    qCWarning(windowLog) << "Parameter" << r->number() << "write to register" << request.address
                         << "failed:" << outcome.error;
    const QString text = tr("%1：写入失败（已重试一次）：%2").arg(caption, reason);
    message_->display(StatusLine{text, outcome.error.isEmpty() ? text : outcome.error, StatusSeverity::Fault});
}

void ConfigWindow::say(const QString& text, StatusSeverity severity)
{
    message_->display(StatusLine{text, text, severity});
}

void ConfigWindow::connectRow(ParameterRowView& r)
{
    if (r.number() == kHeatingCoolingParameter)
        connect(&r, &ParameterRowView::operatorPicked, this, [this, &r] { writeOnPick(r); });
    // Return is the operator saying the entry is done, as leaving it is;
    // a code being typed is not yet one to write.
    connect(&r, &ParameterRowView::focusLeft, this, [this, &r] { commitIfEdited(r); });
    connect(&r, &ParameterRowView::entered, this, [this, &r] { onEntered(r); });
}

ParameterRowView* ConfigWindow::rowOf(int n) const
{
    if (n < 0 || n >= static_cast<int>(rows_.size()))
        return nullptr;
    return rows_[static_cast<size_t>(n)];
}

ParameterRowView* ConfigWindow::rowOfRegister(int registerAddress) const
{
    for (ParameterRowView* r : rows_) {
        if (r && r->parameter().registerAddress == registerAddress)
            return r;
    }
    return nullptr;
}

const ParameterRowView* ConfigWindow::row(int number) const
{
    return rowOf(number);
}

QComboBox* ConfigWindow::choiceEdit(int number) const
{
    const ParameterRowView* r = rowOf(number);
    return r ? r->choiceEdit() : nullptr;
}

QLineEdit* ConfigWindow::valueEdit(int number) const
{
    const ParameterRowView* r = rowOf(number);
    return r ? r->valueEdit() : nullptr;
}

PanelField* ConfigWindow::currentValueField(int number) const
{
    const ParameterRowView* r = rowOf(number);
    return r ? r->currentValueField() : nullptr;
}

void ConfigWindow::buildLayout()
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(10, 8, 10, 8);
    column->setSpacing(8);

    parameterGroup_ = new QGroupBox(QStringLiteral("CONFIG"), this);
    auto* groupLayout = new QVBoxLayout(parameterGroup_);
    pageTabs_ = new QTabWidget(parameterGroup_);
    for (int page = 0; page < ParameterCatalogue::kPageCount; ++page) {
        const auto which = static_cast<Page>(page);
        auto* rows = new ParameterPage(which, pageTabs_);
        for (ParameterRowView* r : rows->rows()) {
            rows_[static_cast<size_t>(r->number())] = r;
            connectRow(*r);
        }
        pageTabs_->addTab(rows, ParameterCatalogue::pageCaption(which));
    }
    groupLayout->addWidget(pageTabs_);
    column->addWidget(parameterGroup_, 1);
    column->addWidget(buildBottomBar());
}

QWidget* ConfigWindow::buildBottomBar()
{
    auto* bar = new QWidget(this);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    message_ = new StatusIndicator(bar);
    message_->setMinimumHeight(message_->sizeHint().height() * 3 / 2);
    // The main window is hidden meanwhile: its link and recording lamps
    // are repeated here.
    linkIndicator_ = new StatusIndicator(bar);
    recorderIndicator_ = new StatusIndicator(bar);
    stationStatus_ = new StationStatus(core_.poller(), core_.recorder(), core_.clock(), *linkIndicator_,
                                       *recorderIndicator_, this);
    stationStatus_->showCurrent();
    parameterSets_ = new ParameterSetCommands(core_.link(), core_.connection(), *this);
    connect(parameterSets_, &ParameterSetCommands::told, this, &ConfigWindow::say);
    backButton_ = new QPushButton(tr(" Esc 返回"), bar);
    backButton_->setMinimumHeight(backButton_->sizeHint().height() * 3 / 2);
    backButton_->setMinimumWidth(backButton_->sizeHint().width() + 24);
    row->addWidget(message_, 1);
    row->addWidget(linkIndicator_);
    row->addWidget(recorderIndicator_);
    row->addWidget(parameterSets_->saveButton());
    row->addWidget(parameterSets_->compareButton());
    row->addWidget(parameterSets_->downloadButton());
    row->addWidget(parameterSets_->printButton());
    row->addWidget(backButton_);
    return bar;
}
