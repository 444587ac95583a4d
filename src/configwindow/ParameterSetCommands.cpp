#include "configwindow/ParameterSetCommands.h"

#include <memory>

#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

#include "configwindow/CompareDialog.h"
#include "configwindow/DownloadDialog.h"
#include "link/PortConnection.h"
#include "paramset/DownloadPlan.h"
#include "paramset/ParameterSetFile.h"
#include "paramset/ParameterSheet.h"
#include "paramset/SetComparison.h"
#include "widgets/StatusTexts.h"
#include "widgets/WindowLog.h"

namespace {

QPushButton* commandButton(const QString& text, QWidget& window)
{
    auto* button = new QPushButton(text, &window);
    button->setMinimumHeight(button->sizeHint().height() * 3 / 2);
    button->setMinimumWidth(button->sizeHint().width() + 12);
    return button;
}

QString nameOf(const QString& path)
{
    return QFileInfo(path).fileName();
}

} // namespace

ParameterSetCommands::ParameterSetCommands(InstrumentLink& link, const PortConnection& connection, QWidget& window)
    : QObject(&window)
    , window_(window)
    , connection_(connection)
    , reader_(link)
    , downloader_(link)
    , chooseFile_([&window](FileRole role, std::function<void(const QString&)> chosen) {
        chooseWithDialog(window, role, std::move(chosen));
    })
{
    save_ = commandButton(tr("保存参数"), window);
    compare_ = commandButton(tr("比较参数"), window);
    download_ = commandButton(tr("下载参数"), window);
    print_ = commandButton(tr("打印参数表"), window);
    auto* printMenu = new QMenu(print_);
    connect(printMenu->addAction(tr("打印仪表当前参数…")), &QAction::triggered, this,
            [this] { printInstrument(false); });
    connect(printMenu->addAction(tr("仪表当前参数存为PDF…")), &QAction::triggered, this,
            [this] { printInstrument(true); });
    connect(printMenu->addAction(tr("打印参数文件…")), &QAction::triggered, this,
            [this] { printFile(false); });
    connect(printMenu->addAction(tr("参数文件存为PDF…")), &QAction::triggered, this,
            [this] { printFile(true); });
    print_->setMenu(printMenu);

    connect(save_, &QPushButton::clicked, this, &ParameterSetCommands::save);
    connect(compare_, &QPushButton::clicked, this, &ParameterSetCommands::compare);
    connect(download_, &QPushButton::clicked, this, &ParameterSetCommands::download);
    connect(&reader_, &InstrumentSetReader::finished, this, &ParameterSetCommands::onFreshRead);
    connect(&downloader_, &ParameterDownload::finished, this, &ParameterSetCommands::onDownloadFinished);
    connect(&downloader_, &ParameterDownload::progress, this, [this](int done, int total) {
        if (downloadDialog_)
            downloadDialog_->showProgress(done, total);
        say(tr("正在下载参数：%1/%2").arg(done).arg(total), StatusSeverity::Idle);
    });
}

CompareDialog* ParameterSetCommands::compareDialog() const
{
    return compareDialog_;
}

DownloadDialog* ParameterSetCommands::downloadDialog() const
{
    return downloadDialog_;
}

void ParameterSetCommands::save()
{
    readFresh(tr("未保存"), [this](ParameterSet instrument) {
        instrument.device = connection_.device(instrument.port);
        chooseFile_(FileRole::SaveSet, [this, instrument](const QString& path) {
            if (const std::optional<QString> problem = ParameterSetFile::save(instrument, path)) {
                say(tr("参数未保存：%1").arg(*problem), StatusSeverity::Fault);
                return;
            }
            say(tr("参数已保存到 %1").arg(nameOf(path)), StatusSeverity::Ok);
        });
    });
}

void ParameterSetCommands::compare()
{
    chooseFile_(FileRole::OpenSet, [this](const QString& path) {
        const std::optional<ParameterSet> file = loadFile(path, QString());
        if (!file)
            return;
        readFresh(tr("未比较"), [this, path, file = *file](const ParameterSet& instrument) {
            showComparison(path, file, instrument);
        });
    });
}

void ParameterSetCommands::download()
{
    if (downloader_.busy()) {
        say(tr("上一次下载尚未结束"), StatusSeverity::Warning);
        return;
    }
    chooseFile_(FileRole::OpenSet, [this](const QString& path) {
        const std::optional<ParameterSet> file = loadFile(path, tr("，未写入仪表"));
        if (!file)
            return;
        readFresh(tr("未下载"), [this, path, file = *file](const ParameterSet& instrument) {
            showPreview(path, file, instrument);
        });
    });
}

void ParameterSetCommands::printInstrument(bool toPdf)
{
    readFresh(tr("未打印"), [this, toPdf](const ParameterSet& instrument) {
        print(instrument, ParameterSheet::instrumentSource(), toPdf);
    });
}

void ParameterSetCommands::printFile(bool toPdf)
{
    chooseFile_(FileRole::OpenSet, [this, toPdf](const QString& path) {
        if (const std::optional<ParameterSet> file = loadFile(path, QString()))
            print(*file, ParameterSheet::fileSource(path), toPdf);
    });
}

void ParameterSetCommands::readFresh(const QString& refused, AfterRead next)
{
    // One fresh read at a time: a second command would get the first one's set.
    if (reader_.busy()) {
        say(tr("正在读取仪表参数，请稍候"), StatusSeverity::Warning);
        return;
    }
    afterRead_ = std::move(next);
    readRefused_ = refused;
    say(tr("正在读取仪表参数…"), StatusSeverity::Idle);
    reader_.start();
}

void ParameterSetCommands::onFreshRead(const SetReading& reading)
{
    AfterRead next = std::move(afterRead_);
    afterRead_ = nullptr;
    if (!reading.set) {
        qCWarning(windowLog) << "Fresh parameter read failed:" << reading.problemWords.english();
        say(tr("读取仪表参数失败：%1，%2").arg(reading.problem, readRefused_), StatusSeverity::Warning);
        return;
    }
    if (next)
        next(*reading.set);
}

std::optional<ParameterSet> ParameterSetCommands::loadFile(const QString& path, const QString& refused)
{
    SetFileReading reading = ParameterSetFile::load(path);
    if (reading.set)
        return std::move(reading.set);
    qCWarning(windowLog) << "Parameter file" << path << "refused:" << reading.problemWords.english();
    say(tr("参数文件 %1 不能使用：%2%3").arg(nameOf(path), reading.problem, refused),
        StatusSeverity::Warning);
    return std::nullopt;
}

void ParameterSetCommands::showComparison(const QString& path, const ParameterSet& file,
                                          const ParameterSet& instrument)
{
    const std::vector<SetDifference> differences = compareSets(file, instrument);
    if (compareDialog_)
        compareDialog_->close();
    compareDialog_ = new CompareDialog(nameOf(path), differences, &window_);
    compareDialog_->setAttribute(Qt::WA_DeleteOnClose);
    compareDialog_->show();
    say(compareDialog_->summary(), StatusSeverity::Ok);
}

void ParameterSetCommands::showPreview(const QString& path, const ParameterSet& file, const ParameterSet& instrument)
{
    if (downloader_.busy())
        return;
    if (downloadDialog_)
        downloadDialog_->close();
    downloadDialog_ = new DownloadDialog(nameOf(path), compareSets(file, instrument), planDownload(file, instrument),
                                         &window_);
    downloadDialog_->setAttribute(Qt::WA_DeleteOnClose);
    connect(downloadDialog_, &DownloadDialog::confirmed, this, [this, file] { startDownload(file); });
    downloadDialog_->show();
    say(downloadDialog_->summary(), StatusSeverity::Idle);
}

void ParameterSetCommands::startDownload(const ParameterSet& file)
{
    if (downloader_.busy())
        return;
    if (downloadDialog_)
        downloadDialog_->showStarted();
    say(tr("正在下载参数…"), StatusSeverity::Idle);
    downloader_.start(file);
}

void ParameterSetCommands::onDownloadFinished(const DownloadReport& report)
{
    if (downloadDialog_)
        downloadDialog_->showReport(report);
    if (!report.problem.isEmpty()) {
        say(tr("参数未下载：%1").arg(report.problem), StatusSeverity::Warning);
    } else if (report.complete()) {
        say(tr("参数下载完成：%1 个参数已写入").arg(report.written.size()), StatusSeverity::Ok);
    } else {
        say(tr("参数下载中止：%1；%2 个参数已写入，%3 个未写入")
                .arg(report.failure)
                .arg(report.written.size())
                .arg(report.notWritten.size()),
            StatusSeverity::Fault);
    }
}

void ParameterSetCommands::print(const ParameterSet& set, const QString& source, bool toPdf)
{
    if (toPdf) {
        chooseFile_(FileRole::SavePdf, [this, set, source](const QString& path) {
            if (const std::optional<QString> problem = ParameterSheet::writePdf(set, source, path)) {
                say(tr("参数表未保存：%1").arg(*problem), StatusSeverity::Fault);
                return;
            }
            say(tr("参数表已保存到 %1").arg(nameOf(path)), StatusSeverity::Ok);
        });
        return;
    }
    auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
    auto* dialog = new QPrintDialog(printer.get(), &window_);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::finished, this, [this, printer, set, source](int result) {
        if (result != QDialog::Accepted)
            return;
        if (ParameterSheet::paint(*printer, set, source))
            say(tr("参数表已送往打印机"), StatusSeverity::Ok);
        else
            say(tr("参数表未打印：打印机无法使用"), StatusSeverity::Fault);
    });
    dialog->open();  // window-modal at most; the event loop keeps running
}

void ParameterSetCommands::say(const QString& text, StatusSeverity severity)
{
    emit told(text, severity);
}

void ParameterSetCommands::chooseWithDialog(QWidget& window, FileRole role, std::function<void(const QString&)> chosen)
{
    const bool pdf = role == FileRole::SavePdf;
    auto* dialog = new QFileDialog(&window, role == FileRole::OpenSet ? tr("选择参数文件")
                                            : pdf ? tr("保存参数表")
                                                  : tr("保存参数"));
    dialog->setNameFilter(pdf ? QStringLiteral("PDF (*.pdf)") : tr("参数文件 (*.json)"));
    dialog->setDefaultSuffix(pdf ? QStringLiteral("pdf") : QStringLiteral("json"));
    dialog->setAcceptMode(role == FileRole::OpenSet ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog->setFileMode(role == FileRole::OpenSet ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(dialog, &QFileDialog::fileSelected, dialog, std::move(chosen));
    dialog->open();
}
