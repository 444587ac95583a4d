#pragma once

#include <QLineEdit>
#include <QList>
#include <QObject>

#include "core/EntryCheck.h"

class OperatorWrites;
class QPushButton;
struct ProcessImage;

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

// What the operator's command buttons do: write SV (holding register 1)
// and the manual output (register 2, in tenths of a per cent), switch
// self-tuning, manual/automatic and the manual inhibit (coils 1..3) to the
// opposite of their last polled state, and set the chart's Y range.
//
// Nothing reaches the instrument that the operator did not type: an entry
// that is no number, out of range or too large for its register is
// refused, and the window shows the refusal. Every write goes through the
// link thread; the panel shows its effect once the poll has read it back.
class OperatorCommands : public QObject {
    Q_OBJECT

public:
    OperatorCommands(const CommandControls& controls, ProcessImage& image, OperatorWrites& writes,
                     QObject* parent = nullptr);

    void writeSetValue();
    void writeOutput();
    void toggleSelfTuning();
    void toggleManualAuto();
    void toggleManualInhibit();
    void applyYRange();

signals:
    void refused(const QList<QLineEdit*>& fields, const QString& command, const EntryCheck::Refusal& refusal);
    void accepted(const QList<QLineEdit*>& fields);
    // yAxisMin and yAxisSpan have a new range.
    void yAxisChanged();

private:
    // scale: the register holds the entry times this (the manual output is
    // kept in tenths).
    void writeEntry(QLineEdit* entry, const QString& caption, int registerAddress, int scale);
    // Resets the coil when its polled state is on, sets it otherwise: until
    // the next poll a second click repeats the command.
    void toggleCoil(int coil, const QString& what);

    CommandControls controls_;
    ProcessImage& image_;
    OperatorWrites& writes_;
};
