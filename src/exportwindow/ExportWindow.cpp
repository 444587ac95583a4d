#include "exportwindow/ExportWindow.h"

#include <algorithm>
#include <limits>
#include <vector>

#include <QButtonGroup>
#include <QCloseEvent>
#include <QDateTimeEdit>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QThread>
#include <QVBoxLayout>

#include "core/Clock.h"
#include "core/EntryCheck.h"
#include "core/ShownText.h"
#include "exportwindow/ExportFileName.h"
#include "exportwindow/ExportOutcomeText.h"
#include "widgets/ElidedLabel.h"
#include "widgets/EntryFeedback.h"
#include "widgets/StationFont.h"
#include "widgets/WindowLog.h"

namespace {

const QString kMomentFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");

// As the F5 moment picker's field: date and time to the second, with the
// calendar.
QDateTimeEdit* momentField(QWidget* parent)
{
    auto* field = new QDateTimeEdit(parent);
    field->setDisplayFormat(kMomentFormat);
    field->setCalendarPopup(true);
    // Room for the whole time beside the calendar's arrow.
    field->setMinimumWidth(field->sizeHint().width() + field->fontMetrics().horizontalAdvance(QStringLiteral("00")));
    return field;
}

void setMarked(QWidget* field, bool marked)
{
    field->setStyleSheet(marked ? EntryFeedback::refusedStyle(*field) : QString());
}

} // namespace

ExportWindow::ExportWindow(ExportSources sources, const Clock& clock, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , sources_(std::move(sources))
    , clock_(clock)
{
    setWindowTitle(tr("导出记录"));
    setFont(StationFont::font());

    from_ = momentField(this);
    to_ = momentField(this);
    csv_ = new QRadioButton(tr("CSV 表格"), this);
    report_ = new QRadioButton(tr("报表 PDF"), this);
    csv_->setChecked(true);
    auto* kinds = new QButtonGroup(this);
    kinds->addButton(csv_);
    kinds->addButton(report_);
    band_ = new QLineEdit(QStringLiteral("5"), this);
    band_->setToolTip(tr("PV 超出 SV ± 偏差带的时间计入报表（仪表单位）"));
    instrument_ = new QLineEdit(sources_.instrument, this);
    instrument_->setToolTip(tr("报表标题中的仪表名称"));
    path_ = new QLineEdit(this);
    path_->setPlaceholderText(tr("请点“另存为…”选择文件"));
    saveAs_ = new QPushButton(tr("另存为…"), this);
    progress_ = new QProgressBar(this);
    progress_->setRange(0, kProgressSteps);
    progress_->setValue(0);
    progress_->setFormat(QString());
    start_ = new QPushButton(tr("开始"), this);
    start_->setDefault(true);
    cancel_ = new QPushButton(tr("取消"), this);
    statusLine_ = new ElidedLabel(this);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(tr("从"), this), 0, 0);
    grid->addWidget(from_, 0, 1);
    grid->addWidget(new QLabel(tr("到"), this), 0, 2);
    grid->addWidget(to_, 0, 3);
    grid->addWidget(new QLabel(tr("内容"), this), 1, 0);
    grid->addWidget(csv_, 1, 1);
    grid->addWidget(report_, 1, 3);
    grid->addWidget(new QLabel(tr("偏差带"), this), 2, 0);
    grid->addWidget(band_, 2, 1);
    grid->addWidget(new QLabel(tr("仪表"), this), 2, 2);
    grid->addWidget(instrument_, 2, 3);
    grid->addWidget(new QLabel(tr("文件"), this), 3, 0);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(path_, 1);
    fileRow->addWidget(saveAs_);
    grid->addLayout(fileRow, 3, 1, 1, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(start_);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(progress_);
    layout->addLayout(buttons);
    layout->addWidget(statusLine_);
    resize(640, sizeHint().height());

    connect(csv_, &QRadioButton::toggled, this, &ExportWindow::showKind);
    connect(saveAs_, &QPushButton::clicked, this, &ExportWindow::chooseFile);
    connect(start_, &QPushButton::clicked, this, &ExportWindow::start);
    connect(cancel_, &QPushButton::clicked, this, &ExportWindow::cancel);
    // A mark goes as soon as the operator corrects the entry.
    for (QDateTimeEdit* field : {from_, to_})
        connect(field, &QDateTimeEdit::dateTimeChanged, this, [this] {
            setMarked(from_, false);
            setMarked(to_, false);
        });
    for (QLineEdit* field : {band_, path_})
        connect(field, &QLineEdit::textEdited, this, [field] { setMarked(field, false); });
    setPeriod(QDateTime(), QDateTime());
    showKind();
}

ExportWindow::~ExportWindow()
{
    if (thread_) {
        cancelled_->store(true);
        thread_->wait();
        delete thread_;
    }
}

void ExportWindow::setPeriod(const QDateTime& oldest, const QDateTime& newest)
{
    if (oldest.isValid() && newest.isValid()) {
        from_->setDateTime(oldest);
        to_->setDateTime(newest);
        return;
    }
    const QDateTime now = clock_.now();
    from_->setDateTime(now.addSecs(-3600));
    to_->setDateTime(now);
}

void ExportWindow::setPath(const QString& path)
{
    path_->setText(path);
    setMarked(path_, false);
}

void ExportWindow::chooseFile()
{
    const QFileInfo chosen(path_->text());
    const QString folder = path_->text().isEmpty() ? QDir::homePath() : chosen.absolutePath();
    const QString name = ExportFileName::forPeriod(from_->dateTime(), to_->dateTime().addSecs(1), kind());
    auto* dialog = new QFileDialog(this, tr("另存为"), folder,
                                   kind() == ExportKind::Csv ? QStringLiteral("CSV (*.csv)")
                                                             : QStringLiteral("PDF (*.pdf)"));
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setDefaultSuffix(ExportFileName::suffix(kind()));
    dialog->selectFile(name);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QFileDialog::fileSelected, this, &ExportWindow::setPath);
    dialog->open();
}

ExportKind ExportWindow::kind() const
{
    return report_->isChecked() ? ExportKind::Report : ExportKind::Csv;
}

void ExportWindow::showKind()
{
    const bool report = kind() == ExportKind::Report;
    band_->setEnabled(report);
    instrument_->setEnabled(report);
    if (!report)
        setMarked(band_, false);
    path_->setText(ExportFileName::withSuffix(path_->text(), kind()));
}

std::optional<PeriodExportJob> ExportWindow::checkedJob()
{
    // Said in the window's language, logged in English.
    const auto words = [](const char* source) { return ShownText("ExportWindow", source); };
    std::vector<ShownText> reasons;
    QList<QWidget*> marked;
    const QDateTime from = from_->dateTime();
    const QDateTime last = to_->dateTime();
    if (from >= last) {
        reasons.push_back(words(QT_TRANSLATE_NOOP("ExportWindow", "起始时间须早于结束时间")));
        marked += {from_, to_};
    } else if (from > clock_.now()) {
        reasons.push_back(words(QT_TRANSLATE_NOOP("ExportWindow", "起始时间不能晚于现在")));
        marked.append(from_);
    }
    double band = 0.0;
    if (kind() == ExportKind::Report) {
        const EntryCheck::Number entered =
            EntryCheck::numberWithin(band_->text(), 0.0, std::numeric_limits<double>::max());
        if (entered.value) {
            band = *entered.value;
        } else {
            reasons.push_back(words(QT_TRANSLATE_NOOP("ExportWindow", "偏差带须是不小于 0 的数")));
            marked.append(band_);
        }
    }
    const QString path = path_->text().trimmed();
    if (path.isEmpty()) {
        reasons.push_back(words(QT_TRANSLATE_NOOP("ExportWindow", "请用“另存为…”选择文件")));
        marked.append(path_);
    }
    for (QWidget* field : {static_cast<QWidget*>(from_), static_cast<QWidget*>(to_), static_cast<QWidget*>(band_),
                           static_cast<QWidget*>(path_)})
        setMarked(field, marked.contains(field));
    if (!reasons.empty()) {
        const ShownText text = words(QT_TRANSLATE_NOOP("ExportWindow", "未导出：%1"))
                                   .arg(joinedShownTexts(reasons, words(QT_TRANSLATE_NOOP("ExportWindow", "；"))));
        qCWarning(windowLog).noquote() << text.english();
        showStatus(text.shown());
        marked.first()->setFocus();
        emit refused();
        return std::nullopt;
    }
    PeriodExportJob job;
    job.kind = kind();
    job.sources = sources_;
    job.sources.instrument = instrument_->text();
    job.from = from;
    // "到" names the last second written.
    job.to = last.addSecs(1);
    job.band = band;
    job.path = path;
    return job;
}

void ExportWindow::start()
{
    if (thread_) {
        showStatus(tr("上一次导出尚未完成"));
        return;
    }
    const std::optional<PeriodExportJob> job = checkedJob();
    if (!job)
        return;
    runFromMs_ = job->from.toMSecsSinceEpoch();
    runToMs_ = job->to.toMSecsSinceEpoch();
    auto cancelled = std::make_shared<std::atomic<bool>>(false);
    cancelled_ = cancelled;
    auto outcome = std::make_shared<PeriodExportOutcome>();
    // The window outlives the thread (its destructor waits), so the
    // progress posted to it always finds it.
    thread_ = QThread::create([this, job = *job, cancelled, outcome] {
        *outcome = runPeriodExport(job, [this, cancelled](int64_t utcMs) {
            QMetaObject::invokeMethod(this, [this, utcMs] { showProgress(utcMs); }, Qt::QueuedConnection);
            return !cancelled->load();
        });
    });
    connect(thread_, &QThread::finished, this, [this, outcome, path = job->path] {
        thread_->deleteLater();
        thread_ = nullptr;
        showOutcome(*outcome, path);
    });
    for (QWidget* entry : std::initializer_list<QWidget*>{from_, to_, csv_, report_, band_, instrument_, path_,
                                                          saveAs_, start_})
        entry->setEnabled(false);
    progress_->setValue(0);
    progress_->setFormat(job->from.toString(kMomentFormat));
    showStatus(tr("正在导出：%1").arg(job->path));
    thread_->start();
}

void ExportWindow::cancel()
{
    if (!thread_) {
        close();
        return;
    }
    cancelled_->store(true);
    showStatus(tr("正在取消…"));
}

void ExportWindow::closeEvent(QCloseEvent* event)
{
    // A window closed half-way leaves no half-written file: the export is
    // stopped, and the window's end waits for it.
    if (thread_)
        cancelled_->store(true);
    event->accept();
}

void ExportWindow::showProgress(int64_t utcMs)
{
    if (!thread_ || runToMs_ <= runFromMs_)
        return;
    const int64_t done = std::clamp<int64_t>(utcMs - runFromMs_, 0, runToMs_ - runFromMs_);
    progress_->setValue(static_cast<int>(done * kProgressSteps / (runToMs_ - runFromMs_)));
    progress_->setFormat(QDateTime::fromMSecsSinceEpoch(utcMs).toString(kMomentFormat));
}

void ExportWindow::showOutcome(const PeriodExportOutcome& outcome, const QString& path)
{
    for (QWidget* entry : std::initializer_list<QWidget*>{from_, to_, csv_, report_, path_, saveAs_, start_})
        entry->setEnabled(true);
    showKind();
    progress_->setValue(outcome.written ? kProgressSteps : 0);
    progress_->setFormat(outcome.written ? tr("完成") : QString());
    const ExportOutcomeLine line = ExportOutcomeText::describe(kind(), path, outcome);
    if (!outcome.written && !outcome.cancelled)
        qCWarning(windowLog).noquote() << "export to" << path << "failed:" << outcome.loggedError;
    for (const PeriodSamples::SkippedFile& file : outcome.skipped)
        qCWarning(windowLog).noquote() << "export skipped the damaged month file" << file.name << file.reason;
    showStatus(line.text, line.detail);
    emit finished(outcome.written, line.text, line.detail);
}

void ExportWindow::showStatus(const QString& text, const QString& detail)
{
    statusLine_->setText(text);
    statusLine_->setToolTip(detail);
}
