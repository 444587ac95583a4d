#pragma once

#include <QDateTime>
#include <QFrame>

class QDateTimeEdit;
class QPushButton;

// The small popup of "F5 选择": a date and time to go to, "显示" or Enter
// shows it, "取消" or Esc or a click elsewhere closes it. It never blocks
// the window.
class HistorySelectPopup : public QFrame {
    Q_OBJECT

public:
    explicit HistorySelectPopup(QWidget* parent = nullptr);

    // Opens under `anchor` with `initial` preset.
    void popUp(QWidget* anchor, const QDateTime& initial);

    QDateTimeEdit* moment() const { return moment_; }
    QPushButton* showButton() const { return show_; }

signals:
    void chosen(const QDateTime& moment);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void confirm();

    QDateTimeEdit* moment_ = nullptr;
    QPushButton* show_ = nullptr;
};
