#pragma once

#include <array>

#include <QLineEdit>
#include <QList>
#include <QWidget>

#include "instrument/AlarmRows.h"
#include "core/EntryCheck.h"

class InstrumentEntry;
class InstrumentState;
class OperatorWrites;
class QLabel;
class QPushButton;

// The alarm set-point panel: per row its caption, the register as last
// polled (cyan), an entry and "DOWNLOAD", which writes the entry to its
// set-point register.
//
// The display labels belong to the window's live refresh, which rewrites
// them with the rest of the panel; this panel only gives them their place.
// The entries show the instrument's values (blank before the first read)
// and hold what the operator types; a "DOWNLOAD" of an entry he has not
// changed writes nothing, so a stray click cannot send what the box
// happens to hold. An entry that is no number or lies outside -1999..9999
// is refused and nothing is written; the window shows the refusal. While
// the link is closed the buttons are disabled and nothing is written.
class AlarmPanel : public QWidget {
    Q_OBJECT

public:
    static inline const QString kDownload = QStringLiteral("DOWNLOAD");

    AlarmPanel(const std::array<QLabel*, AlarmRows::kRows>& displays, OperatorWrites& writes,
               QWidget* parent = nullptr);

    // Writes the row's entry to its register, or refuses it.
    void download(int row);
    // The entries follow the set points read; part of the window's live refresh.
    void showInstrumentValues(const InstrumentState& state);

    // Null for a row the panel does not have.
    QLabel* captionLabel(int row) const;
    QLabel* valueField(int row) const;
    InstrumentEntry* entry(int row) const;
    QPushButton* downloadButton(int row) const;

signals:
    void refused(const QList<QLineEdit*>& fields, const QString& command, const EntryCheck::Refusal& refusal);
    void accepted(const QList<QLineEdit*>& fields);
    // Nothing was written although the entry is fine; text says why.
    void notWritten(const QList<QLineEdit*>& fields, const QString& command, const QString& text);

private:
    void showLinkOpen(bool open);

    OperatorWrites& writes_;
    std::array<QLabel*, AlarmRows::kRows> captions_{};
    std::array<QLabel*, AlarmRows::kRows> displays_{};
    std::array<InstrumentEntry*, AlarmRows::kRows> entries_{};
    std::array<QPushButton*, AlarmRows::kRows> buttons_{};
};
