#include "configwindow/DownloadDialog.h"

#include <algorithm>

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "configwindow/DifferenceTable.h"

namespace {

QString keptNote()
{
    return QCoreApplication::translate("DownloadDialog", "不下载（通讯设置）");
}

// The row already names the parameter the report's failure begins with.
QString failureNote(const SetDifference& failed, const QString& failure)
{
    const QString prefix = QCoreApplication::translate("ParameterDownload", "%1：%2").arg(failed.shownCaption(), QString());
    const QString why = failure.startsWith(prefix) ? failure.mid(prefix.size()) : failure;
    return why.contains(QCoreApplication::translate("DownloadDialog", "失败"))
               ? why
               : QCoreApplication::translate("DownloadDialog", "失败：%1").arg(why);
}

} // namespace

DownloadDialog::DownloadDialog(const QString& fileName, const std::vector<SetDifference>& differences,
                               const DownloadPlan& plan, QWidget* parent)
    : QDialog(parent)
    , fileName_(fileName)
{
    setWindowTitle(tr("参数下载"));
    auto* column = new QVBoxLayout(this);
    summary_ = new QLabel(this);
    summary_->setWordWrap(true);
    table_ = new DifferenceTable(this);
    table_->fill(differences);
    for (const SetDifference& d : plan.writes)
        table_->setNote(d, tr("将写入"));
    for (const SetDifference& d : plan.kept)
        table_->setNote(d, keptNote());
    progress_ = new QProgressBar(this);
    progress_->setRange(0, static_cast<int>(plan.writes.size()));
    progress_->setValue(0);
    progress_->hide();

    auto* buttons = new QDialogButtonBox(this);
    download_ = buttons->addButton(tr("下载"), QDialogButtonBox::AcceptRole);
    QPushButton* close = buttons->addButton(tr("关闭"), QDialogButtonBox::RejectRole);
    // Enter closes: only a click on "下载" writes to the instrument.
    download_->setAutoDefault(false);
    close->setDefault(true);
    connect(download_, &QPushButton::clicked, this, &DownloadDialog::confirmed);
    connect(close, &QPushButton::clicked, this, &QDialog::close);

    if (plan.writes.empty()) {
        download_->setEnabled(false);
        summary_->setText(differences.empty() ? tr("文件 %1 与仪表当前参数相同，无需下载").arg(fileName)
                                              : tr("文件 %1 中不同的只有通讯设置，不下载").arg(fileName));
    } else {
        summary_->setText(tr("文件 %1 与仪表有 %2 处不同，将写入 %3 个参数。按“下载”开始，"
                             "此前不写入任何参数。")
                              .arg(fileName)
                              .arg(differences.size())
                              .arg(plan.writes.size()));
    }
    column->addWidget(summary_);
    column->addWidget(table_, 1);
    column->addWidget(progress_);
    column->addWidget(buttons);
    resize(760, 520);
    fitNotes();
}

void DownloadDialog::showStarted()
{
    download_->setEnabled(false);
    progress_->show();
    summary_->setText(tr("正在下载文件 %1 …").arg(fileName_));
}

void DownloadDialog::showProgress(int done, int total)
{
    progress_->setRange(0, total);
    progress_->setValue(done);
}

void DownloadDialog::showReport(const DownloadReport& report)
{
    if (!report.problem.isEmpty()) {
        summary_->setText(tr("未下载：%1").arg(report.problem));
        return;
    }
    for (const SetDifference& d : report.written)
        table_->setNote(d, tr("已写入"));
    if (report.failed)
        table_->setNote(*report.failed, failureNote(*report.failed, report.failure));
    for (const SetDifference& d : report.notWritten)
        table_->setNote(d, tr("未写入"));
    for (const SetDifference& d : report.kept)
        table_->setNote(d, keptNote());
    fitNotes();
    if (report.complete()) {
        summary_->setText(tr("下载完成：%1 个参数已写入并读回核对").arg(report.written.size()));
        return;
    }
    summary_->setText(tr("下载中止：%1；%2 个参数已写入，%3 个参数未写入")
                          .arg(report.failure)
                          .arg(report.written.size())
                          .arg(report.notWritten.size()));
}

// A failure's note can be long: the dialog widens for it, up to the window
// it is shown over.
void DownloadDialog::fitNotes()
{
    const QMargins margins = layout()->contentsMargins();
    const int needed = table_->neededWidth() + margins.left() + margins.right();
    const int most = parentWidget() ? parentWidget()->window()->width() - 40 : needed;
    if (needed > width())
        resize(std::min(needed, most), height());
}

QString DownloadDialog::summary() const
{
    return summary_->text();
}
