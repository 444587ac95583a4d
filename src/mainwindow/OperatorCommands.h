#pragma once

#include <QLineEdit>
#include <QList>
#include <QObject>

#include "core/EntryCheck.h"

class InstrumentEntry;
class OperatorWrites;
class QPushButton;
class InstrumentState;
struct ChartYRange;

// The controls of the operator's commands, wherever the window puts them.
struct CommandControls {
    InstrumentEntry* setValueEntry = nullptr;  // SV
    QPushButton* setValueButton = nullptr;     // "设定SV"
    InstrumentEntry* outputEntry = nullptr;    // manual OP in per cent
    QPushButton* outputButton = nullptr;       // "设定OP"
    QPushButton* selfTuningButton = nullptr;   // "自整定"
    QPushButton* manualAutoButton = nullptr;   // "手动/自动"
    QPushButton* manualInhibitButton = nullptr; // "手动禁止"
    QLineEdit* yMaximumEntry = nullptr;        // beside "Y轴最大"
    QLineEdit* yMinimumEntry = nullptr;        // beside "Y轴最小"
    QPushButton* applyRangeButton = nullptr;   // "修改Y"
};

// What the operator's command buttons do: write SV and the manual output
// (kept in tenths of a per cent by the instrument), switch self-tuning,
// manual/automatic and the manual inhibit to the opposite of their last
// polled state, and set the chart's Y range.
//
// Nothing reaches the instrument that the operator did not type: the SV and
// OP entries show the instrument's values, and one the operator has not
// changed writes nothing; an entry that is no number, out of range or too
// large for its register is refused, and the window shows the refusal.
// Nothing is written while the link is closed; the buttons that write are
// disabled meanwhile. Every write goes through the link thread; the panel
// shows its effect once the poll has read it back.
class OperatorCommands : public QObject {
    Q_OBJECT

public:
    OperatorCommands(const CommandControls& controls, const InstrumentState& state, ChartYRange& yRange,
                     OperatorWrites& writes, QObject* parent = nullptr);

    void writeSetValue();
    void writeOutput();
    void toggleSelfTuning();
    void toggleManualAuto();
    void toggleManualInhibit();
    void applyYRange();

    // The SV and OP entries follow the written values as the panel shows
    // them (SV whole, OP in per cent); part of the window's live refresh.
    void showInstrumentValues();

signals:
    void refused(const QList<QLineEdit*>& fields, const QString& command, const EntryCheck::Refusal& refusal);
    void accepted(const QList<QLineEdit*>& fields);
    // Nothing was written although the entry is fine; text says why.
    void notWritten(const QList<QLineEdit*>& fields, const QString& command, const QString& text);
    // The chart's Y range is new.
    void yAxisChanged();
    // A command that writes nothing took effect.
    void applied(const QString& command);

private:
    // A register the instrument keeps in tenths takes ten times the entry.
    void writeEntry(InstrumentEntry* entry, const QString& caption, int registerAddress);
    void showLinkOpen(bool open);
    // Resets the coil when its polled state is on, sets it otherwise: until
    // the next poll a second click repeats the command.
    void toggleCoil(int coil, const QString& what);

    CommandControls controls_;
    const InstrumentState& state_;
    ChartYRange& yRange_;
    OperatorWrites& writes_;
};
