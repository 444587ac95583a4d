#include "configwindow/ConfigWindow.h"

#include <string>

#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QVBoxLayout>

#include "configwindow/EntryValue.h"
#include "link/InstrumentLink.h"
#include "configwindow/ParameterPage.h"
#include "configwindow/ParameterRowView.h"
#include "instrument/ProcessImage.h"
#include "configwindow/ReadBackText.h"
#include "station/StationContext.h"
#include "widgets/StationFont.h"
#include "widgets/StationStatus.h"
#include "widgets/StatusIndicator.h"

namespace {

using ParameterCatalogue::Page;
using ParameterCatalogue::Parameter;

constexpr int kActionParameter = 11;  // Combo39, which writes on every edit

QString hintText()
{
    return QStringLiteral("修改后离开输入框或按回车即写入仪表；当前值每秒刷新");
}

} // namespace

ConfigWindow::ConfigWindow(StationContext& context, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , context_(context)
{
    setFont(StationFont::font());
    setWindowTitle(kCaption);
    buildLayout();
    resize(1280, 800);

    Timer1.setInterval(kReadBackIntervalMs);
    connect(&Timer1, &QTimer::timeout, this, &ConfigWindow::Timer1_Timer);
    connect(command11_, &QPushButton::clicked, this, &ConfigWindow::Command11_Click);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &ConfigWindow::Command11_Click);
    connect(&context_.link, &InstrumentLink::writeFinished, this, &ConfigWindow::onWriteFinished);

    Form_Load();
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

void ConfigWindow::Form_Load()
{
    closeGuard = ProcessImage::kTrue;
    for (const std::string_view control : ParameterCatalogue::listFillOrder()) {
        if (const Parameter* p = ParameterCatalogue::findControl(control))
            rowOf(p->number)->fillList();
    }
    // The text boxes and the current values start empty as built; the
    // first read-back tick fills the values.
    sstab1_->setCurrentIndex(static_cast<int>(Page::Output));
    say(hintText(), StatusSeverity::Idle);
    Timer1.start();
}

void ConfigWindow::Form_Unload()
{
    Timer1.stop();
}

void ConfigWindow::closeEvent(QCloseEvent* event)
{
    if (closeGuard) {
        event->ignore();
        say(QStringLiteral("配置窗口只能用“ Esc 返回”按钮或 Esc 键关闭"), StatusSeverity::Warning);
        return;
    }
    Form_Unload();
    event->accept();
}

void ConfigWindow::Command11_Click()
{
    if (returned_)
        return;
    // Esc leaves focus where it is: an entry still being typed into is
    // written now, as leaving it would have done.
    for (ParameterRowView* r : rows_) {
        if (r && r->number() != kActionParameter && r->takeEdit())
            commitEntry(*r);
    }
    returned_ = true;
    closeGuard = ProcessImage::kFalse;
    close();
    emit returned();
}

void ConfigWindow::Timer1_Timer()
{
    const ProcessImage& image = context_.image;
    for (ParameterRowView* r : rows_) {
        if (!r)
            continue;
        if (const auto text = readBackText(r->parameter(), image.paramValues[static_cast<size_t>(r->number())]))
            r->showCurrent(*text);
    }
}

void ConfigWindow::Combo_LostFocus(int number)
{
    ParameterRowView* r = rowOf(number);
    if (r && r->combo() && number != kActionParameter && r->takeEdit())
        commitEntry(*r);
}

void ConfigWindow::Combo39_Change()
{
    ParameterRowView* r = rowOf(kActionParameter);
    r->takeEdit();
    commitEntry(*r);
}

void ConfigWindow::T_3RW_LostFocus(int n)
{
    ParameterRowView* r = rowOf(n);
    if (r && r->T_3RW() && r->takeEdit())
        commitEntry(*r);
}

void ConfigWindow::commitEntry(ParameterRowView& r)
{
    const EntryValue entry = entryValue(r.parameter().form, r.entryText());
    const QString caption = ParameterCatalogue::text(r.parameter().caption);
    if (!entry.writable()) {
        const QString why = problemText(*entry.problem);
        r.markRefused(why);
        say(QStringLiteral("%1：%2，未写入").arg(caption, why), StatusSeverity::Warning);
        return;
    }
    write(r, entry.value);
}

void ConfigWindow::write(ParameterRowView& r, int32_t value)
{
    const int registerAddress = r.parameter().registerAddress;
    const QString caption = ParameterCatalogue::text(r.parameter().caption);
    context_.link.write(WriteRequest::toRegister(registerAddress, value, caption, this));
    writes_.queued(r.number());
    r.showWriteState(writes_.state(r.number()), writes_.error(r.number()));
    say(QStringLiteral("%1：正在写入 %2 = %3").arg(caption).arg(registerAddress).arg(value), StatusSeverity::Idle);
}

void ConfigWindow::onWriteFinished(const WriteOutcome& outcome)
{
    // The link also carries the main window's writes.
    const WriteRequest& request = outcome.request;
    if (request.asker != this)
        return;
    ParameterRowView* r = nullptr;
    for (ParameterRowView* candidate : rows_) {
        if (candidate && candidate->parameter().registerAddress == request.address)
            r = candidate;
    }
    if (!r || !writes_.finished(r->number(), outcome.ok, outcome.error))
        return;
    r->showWriteState(writes_.state(r->number()), writes_.error(r->number()));
    const QString& caption = request.what;
    if (outcome.ok) {
        say(QStringLiteral("%1：已写入 %2 = %3").arg(caption).arg(request.address).arg(request.value),
            StatusSeverity::Ok);
        return;
    }
    const QString reason = outcome.error.isEmpty() ? QStringLiteral("仪表无应答") : outcome.error;
    say(QStringLiteral("%1：写入失败（已重试一次）：%2").arg(caption, reason), StatusSeverity::Fault);
}

void ConfigWindow::say(const QString& text, StatusSeverity severity)
{
    message_->display(StatusLine{text, text, severity});
}

void ConfigWindow::connectRow(ParameterRowView& r)
{
    const int n = r.number();
    if (n == kActionParameter) {
        connect(&r, &ParameterRowView::operatorPicked, this, &ConfigWindow::Combo39_Change);
        connect(&r, &ParameterRowView::operatorEdited, this, &ConfigWindow::Combo39_Change);
        return;
    }
    // Return is the operator saying the entry is done, as leaving it is.
    if (r.combo()) {
        connect(&r, &ParameterRowView::focusLeft, this, [this, n] { Combo_LostFocus(n); });
        connect(&r, &ParameterRowView::entered, this, [this, n] { Combo_LostFocus(n); });
    } else {
        connect(&r, &ParameterRowView::focusLeft, this, [this, n] { T_3RW_LostFocus(n); });
        connect(&r, &ParameterRowView::entered, this, [this, n] { T_3RW_LostFocus(n); });
    }
}

ParameterRowView* ConfigWindow::rowOf(int n) const
{
    if (n < 0 || n >= static_cast<int>(rows_.size()))
        return nullptr;
    return rows_[static_cast<size_t>(n)];
}

const ParameterRowView* ConfigWindow::row(int n) const
{
    return rowOf(n);
}

QComboBox* ConfigWindow::Combo(int controlNumber) const
{
    const Parameter* p = ParameterCatalogue::findControl("Combo" + std::to_string(controlNumber));
    return p ? rowOf(p->number)->combo() : nullptr;
}

QLineEdit* ConfigWindow::T_3RW(int n) const
{
    const ParameterRowView* r = rowOf(n);
    return r ? r->T_3RW() : nullptr;
}

PanelField* ConfigWindow::D_4W(int n) const
{
    const ParameterRowView* r = rowOf(n);
    return r ? r->D_4W() : nullptr;
}

void ConfigWindow::buildLayout()
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(10, 8, 10, 8);
    column->setSpacing(8);

    frame3_ = new QGroupBox(QStringLiteral("CONFIG"), this);
    auto* frameLayout = new QVBoxLayout(frame3_);
    sstab1_ = new QTabWidget(frame3_);
    for (int page = 0; page < ParameterCatalogue::kPageCount; ++page) {
        const auto which = static_cast<Page>(page);
        auto* rows = new ParameterPage(which, sstab1_);
        for (ParameterRowView* r : rows->rows()) {
            rows_[static_cast<size_t>(r->number())] = r;
            connectRow(*r);
        }
        sstab1_->addTab(rows, ParameterCatalogue::pageCaption(which));
    }
    frameLayout->addWidget(sstab1_);
    column->addWidget(frame3_, 1);
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
    stationStatus_ = new StationStatus(context_.poll, context_.recorder, context_.clock, *linkIndicator_,
                                       *recorderIndicator_, this);
    stationStatus_->showCurrent();
    command11_ = new QPushButton(QStringLiteral(" Esc 返回"), bar);
    command11_->setMinimumHeight(command11_->sizeHint().height() * 3 / 2);
    command11_->setMinimumWidth(command11_->sizeHint().width() + 24);
    row->addWidget(message_, 1);
    row->addWidget(linkIndicator_);
    row->addWidget(recorderIndicator_);
    row->addWidget(command11_);
    return bar;
}
