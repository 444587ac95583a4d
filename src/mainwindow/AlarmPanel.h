#pragma once

#include <array>

#include <QLineEdit>
#include <QList>
#include <QWidget>

#include "instrument/AlarmRows.h"
#include "core/EntryCheck.h"

class OperatorWrites;
class QLabel;
class QPushButton;

// The alarm set-point panel: per row its caption, the register as last
// polled (cyan), an entry ("0" at first) and "DOWNLOAD", which writes the
// entry to its set-point register.
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

    // Writes the row's entry to its register, or refuses it.
    void download(int row);

    // Null for a row the panel does not have.
    QLabel* captionLabel(int row) const;
    QLabel* valueField(int row) const;
    QLineEdit* entry(int row) const;
    QPushButton* downloadButton(int row) const;

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
