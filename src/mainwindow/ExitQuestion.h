#pragma once

#include <QMessageBox>

class QPushButton;

// The question "退出" and Esc ask before the station ends: it names what
// stops, and "取消" is the default, so a stray Esc or Enter leaves the
// station running. Window-modal and opened with open(), never exec(): the
// poll, the recorder and the forwarding go on while it is shown. It deletes
// itself when it closes.
class ExitQuestion : public QMessageBox {
    Q_OBJECT

public:
    explicit ExitQuestion(QWidget* parent);

    QPushButton* exitButton() const { return exitButton_; }
    QPushButton* cancelButton() const { return cancelButton_; }

signals:
    // "退出" was pressed; nothing is emitted for "取消", Esc or a close.
    void confirmed();

private:
    QPushButton* exitButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
};
