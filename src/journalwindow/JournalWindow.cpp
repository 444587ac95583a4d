#include "journalwindow/JournalWindow.h"

#include <algorithm>
#include <memory>

#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QStyle>
#include <QTableView>
#include <QThread>
#include <QVBoxLayout>

#include "journalwindow/JournalExport.h"
#include "journalwindow/JournalFilterBar.h"
#include "journal/JournalEvent.h"
#include "journalwindow/JournalModel.h"
#include "widgets/ElidedLabel.h"
#include "widgets/StationFont.h"
#include "widgets/WindowLog.h"

namespace {

// Each window reads on a connection of its own.
QString nextConnectionName()
{
    static int windows = 0;
    return QStringLiteral("tq5800-journal-window-%1").arg(++windows);
}

} // namespace

JournalWindow::JournalWindow(const QString& journalPath, QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setWindowTitle(tr("事件记录"));
    setFont(StationFont::font());
    model_ = new JournalModel(journalPath, nextConnectionName(), this);
    filterBar_ = new JournalFilterBar(this);
    refreshButton_ = new QPushButton(tr("刷新"), this);
    exportButton_ = new QPushButton(tr("导出CSV"), this);
    exportButton_->setToolTip(tr("把符合筛选条件的全部事件存为 CSV 文件"));

    table_ = new QTableView(this);
    table_->setModel(model_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setWordWrap(false);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    QHeaderView* columns = table_->horizontalHeader();
    columns->setStretchLastSection(false);
    const int digit = table_->fontMetrics().horizontalAdvance(QLatin1Char('0'));
    const int widths[JournalModel::ColumnCount] = {21, 16, 16, 14, 10, 10, 6, 40, 10, 14};
    for (int column = 0; column < JournalModel::ColumnCount; ++column)
        columns->resizeSection(column, widths[column] * digit);
    // The kinds' captions are fixed texts and shown whole in any language:
    // the cell's text margins and the grid line come off the column.
    const int cellMargin = 2 * (table_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, table_) + 1) +
                           (table_->showGrid() ? 1 : 0);
    int kindWidth = columns->sectionSize(JournalModel::Kind);
    for (JournalEvent::Kind kind : JournalKinds::all())
        kindWidth = std::max(kindWidth, table_->fontMetrics().horizontalAdvance(JournalKinds::shownCaption(kind)) +
                                            cellMargin);
    columns->resizeSection(JournalModel::Kind, kindWidth);
    columns->setSectionResizeMode(JournalModel::Text, QHeaderView::Stretch);

    statusLine_ = new ElidedLabel(this);

    auto* top = new QHBoxLayout;
    top->addWidget(filterBar_, 1);
    top->addWidget(refreshButton_);
    top->addWidget(exportButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(table_, 1);
    layout->addWidget(statusLine_);
    resize(1200, 700);

    connect(filterBar_, &JournalFilterBar::changed, this, &JournalWindow::applyFilter);
    connect(refreshButton_, &QPushButton::clicked, this, &JournalWindow::refresh);
    connect(exportButton_, &QPushButton::clicked, this, &JournalWindow::chooseExportFile);
    connect(model_, &JournalModel::failureChanged, this, &JournalWindow::showReadFailure);
    connect(&refreshTimer_, &QTimer::timeout, this, &JournalWindow::refresh);
    // As every other window of the station closes on Esc.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
    refreshTimer_.start(kRefreshIntervalMs);
    showReadFailure();
}

JournalWindow::~JournalWindow()
{
    // The file is written whole or not at all: let a running export end.
    if (exportThread_) {
        exportThread_->wait();
        delete exportThread_;
    }
}

void JournalWindow::applyFilter()
{
    const std::optional<JournalFilter> filter = filterBar_->filter();
    if (!filter) {
        showStatus(tr("起始时间晚于结束时间"));
        return;
    }
    showStatus(QString());
    model_->setFilter(*filter);
    showReadFailure();
}

void JournalWindow::refresh()
{
    // At the top the newest show; further down the row at the top stays
    // there, whether the new events came in above it or below.
    const int top = table_->verticalScrollBar()->value() > 0 ? table_->rowAt(0) : -1;
    const int64_t topId = top >= 0 ? model_->event(top).id : 0;
    if (model_->refresh() == 0 || top < 0)
        return;
    for (int row = top; row < model_->rowCount(); ++row) {
        if (model_->event(row).id == topId) {
            table_->scrollTo(model_->index(row, 0), QAbstractItemView::PositionAtTop);
            return;
        }
    }
}

void JournalWindow::chooseExportFile()
{
    auto* dialog = new QFileDialog(this, tr("导出CSV"), QDir::homePath(),
                                   QStringLiteral("CSV (*.csv)"));
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setDefaultSuffix(QStringLiteral("csv"));
    dialog->selectFile(QStringLiteral("journal.csv"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QFileDialog::fileSelected, this, &JournalWindow::exportTo);
    dialog->open();
}

void JournalWindow::exportTo(const QString& path)
{
    if (exportThread_) {
        showStatus(tr("上一次导出尚未完成"));
        return;
    }
    auto result = std::make_shared<JournalExportResult>();
    exportThread_ = QThread::create([journal = model_->reader().path(), filter = model_->filter(), path, result] {
        *result = exportJournal(journal, filter, path);
    });
    connect(exportThread_, &QThread::finished, this, [this, path, result] {
        exportThread_->deleteLater();
        exportThread_ = nullptr;
        exportButton_->setEnabled(true);
        if (result->ok)
            showStatus(tr("已导出 %1 条事件：%2").arg(result->events).arg(path));
        else
            showStatus(tr("导出失败：%1").arg(path), result->error);
        emit exportFinished(result->ok);
    });
    exportButton_->setEnabled(false);
    showStatus(tr("正在导出：%1").arg(path));
    exportThread_->start();
}

void JournalWindow::showStatus(const QString& text, const QString& detail)
{
    readFailureShown_ = false;
    statusLine_->setText(text);
    statusLine_->setToolTip(detail);
}

void JournalWindow::showReadFailure()
{
    if (!model_->failure().isEmpty()) {
        qCWarning(windowLog).noquote() << "journal" << model_->reader().path()
                                       << "cannot be read:" << model_->failure();
        showStatus(tr("事件记录文件不能读取：%1").arg(model_->reader().path()), model_->failure());
        readFailureShown_ = true;
    } else if (readFailureShown_) {
        showStatus(QString());
    }
}
