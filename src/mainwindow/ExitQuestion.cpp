#include "mainwindow/ExitQuestion.h"

#include <QPushButton>

ExitQuestion::ExitQuestion(QWidget* parent)
    : QMessageBox(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowModality(Qt::WindowModal);
    setIcon(QMessageBox::Question);
    setWindowTitle(tr("退出"));
    setText(tr("退出工作站？记录、通讯和转发将停止"));
    exitButton_ = addButton(tr("退出"), QMessageBox::AcceptRole);
    cancelButton_ = addButton(tr("取消"), QMessageBox::RejectRole);
    // The default takes the focus: Enter right away cancels, Esc too.
    setDefaultButton(cancelButton_);
    setEscapeButton(cancelButton_);
    connect(this, &QDialog::finished, this, [this] {
        if (clickedButton() == exitButton_)
            emit confirmed();
    });
}
