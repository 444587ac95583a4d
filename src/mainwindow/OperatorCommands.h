#pragma once

#include <QLineEdit>
#include <QList>
#include <QObject>

#include "core/EntryCheck.h"

class OperatorWrites;
class QPushButton;
class InstrumentState;
struct ChartYRange;

// The controls of the operator's commands, wherever the window puts them.
struct CommandControls {
    QLineEdit* setValueEntry = nullptr;        // SV
    QPushButton* setValueButton = nullptr;     // "设定SV"
    QLineEdit* outputEntry = nullptr;          // manual OP in per cent
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
// Nothing reaches the instrument that the operator did not type: an entry
// that is no number, out of range or too large for its register is
// refused, and the window shows the refusal. Every write goes through the
// link thread; the panel shows its effect once the poll has read it back.
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

signals:
    void refused(const QList<QLineEdit*>& fields, const QString& command, const EntryCheck::Refusal& refusal);
    void accepted(const QList<QLineEdit*>& fields);
    // The chart's Y range is new.
    void yAxisChanged();
    // A command that writes nothing took effect.
    void applied(const QString& command);

private:
    // A register the instrument keeps in tenths takes ten times the entry.
    void writeEntry(QLineEdit* entry, const QString& caption, int registerAddress);
    // Resets the coil when its polled state is on, sets it otherwise: until
    // the next poll a second click repeats the command.
    void toggleCoil(int coil, const QString& what);

    CommandControls controls_;
    const InstrumentState& state_;
    ChartYRange& yRange_;
    OperatorWrites& writes_;
};
