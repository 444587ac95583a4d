#pragma once

#include <array>

#include <QLineEdit>
#include <QList>
#include <QWidget>

#include "mainwindow/AlarmRows.h"
#include "core/EntryCheck.h"

class OperatorWrites;
class QLabel;
class QPushButton;

// The alarm set-point panel: per row its caption (Label12 28..36), the
// register as last polled (Alm1, cyan), an entry (Alm11, "0" at first) and
// "DOWNLOAD" (Alm111), which writes the entry to register 257 + row.
//
// The display labels belong to the window's live refresh, which rewrites
// them with the rest of the panel; this panel only gives them their place.
// An entry that is no number or lies outside -1999..9999 is refused and
// nothing is written; the window shows the refusal.
class AlarmPanel : public QWidget {
    Q_OBJECT

public:
    static inline const QString kDownload = QStringLiteral("DOWNLOAD");

    AlarmPanel(const std::array<QLabel*, AlarmRows::kRows>& displays, OperatorWrites& writes,
               QWidget* parent = nullptr);

    void Alm111_Click(int index);

    // Null for an index the panel does not have.
    QLabel* Label12(int i) const;
    QLabel* Alm1(int i) const;
    QLineEdit* Alm11(int i) const;
    QPushButton* Alm111(int i) const;

signals:
    void refused(const QList<QLineEdit*>& fields, const QString& command, const EntryCheck::Refusal& refusal);
    void accepted(const QList<QLineEdit*>& fields);

private:
    OperatorWrites& writes_;
    std::array<QLabel*, AlarmRows::kRows> captions_{};
    std::array<QLabel*, AlarmRows::kRows> displays_{};
    std::array<QLineEdit*, AlarmRows::kRows> entries_{};
    std::array<QPushButton*, AlarmRows::kRows> buttons_{};
};
