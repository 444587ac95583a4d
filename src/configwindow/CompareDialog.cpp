#include "configwindow/CompareDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "configwindow/DifferenceTable.h"

CompareDialog::CompareDialog(const QString& fileName, const std::vector<SetDifference>& differences,
                             QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(tr("参数比较"));
    auto* column = new QVBoxLayout(this);
    summary_ = new QLabel(this);
    summary_->setWordWrap(true);
    summary_->setText(differences.empty()
                          ? tr("文件 %1 与仪表当前参数相同").arg(fileName)
                          : tr("文件 %1 与仪表当前参数有 %2 处不同").arg(fileName).arg(differences.size()));
    table_ = new DifferenceTable(this);
    table_->fill(differences);
    table_->setColumnHidden(DifferenceTable::NoteColumn, true);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* close = buttons->addButton(tr("关闭"), QDialogButtonBox::RejectRole);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    column->addWidget(summary_);
    column->addWidget(table_, 1);
    column->addWidget(buttons);
    resize(760, 520);
}

QString CompareDialog::summary() const
{
    return summary_->text();
}
