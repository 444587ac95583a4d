#include "mainwindow/OperatorCommands.h"

#include <QLineEdit>
#include <QPushButton>

#include "mainwindow/OperatorWrites.h"
#include "instrument/ProcessImage.h"
#include "mainwindow/YAxisRange.h"


OperatorCommands::OperatorCommands(const CommandControls& controls, ProcessImage& image, OperatorWrites& writes,
                                   QObject* parent)
    : QObject(parent)
    , controls_(controls)
    , image_(image)
    , writes_(writes)
{
    connect(controls_.setValueButton, &QPushButton::clicked, this, &OperatorCommands::writeSetValue);
    connect(controls_.setValueEntry, &QLineEdit::returnPressed, this, &OperatorCommands::writeSetValue);
    connect(controls_.outputButton, &QPushButton::clicked, this, &OperatorCommands::writeOutput);
    connect(controls_.outputEntry, &QLineEdit::returnPressed, this, &OperatorCommands::writeOutput);
    connect(controls_.selfTuningButton, &QPushButton::clicked, this, &OperatorCommands::toggleSelfTuning);
    connect(controls_.manualAutoButton, &QPushButton::clicked, this, &OperatorCommands::toggleManualAuto);
    connect(controls_.manualInhibitButton, &QPushButton::clicked, this, &OperatorCommands::toggleManualInhibit);
    connect(controls_.applyRangeButton, &QPushButton::clicked, this, &OperatorCommands::applyYRange);
    connect(controls_.yMaximumEntry, &QLineEdit::returnPressed, this, &OperatorCommands::applyYRange);
    connect(controls_.yMinimumEntry, &QLineEdit::returnPressed, this, &OperatorCommands::applyYRange);
}

void OperatorCommands::writeSetValue()
{
    writeEntry(controls_.setValueEntry, QStringLiteral("设定SV"), 1, 1);
}

void OperatorCommands::writeOutput()
{
    writeEntry(controls_.outputEntry, QStringLiteral("设定OP"), 2, 10);
}

void OperatorCommands::writeEntry(QLineEdit* entry, const QString& caption, int registerAddress, int scale)
{
    const EntryCheck::RegisterValue checked = EntryCheck::panelRegisterValue(entry->text(), scale);
    if (!checked.value) {
        emit refused({entry}, caption, checked.refusal);
        return;
    }
    emit accepted({entry});
    writes_.writeRegister(registerAddress, *checked.value, caption);
}

void OperatorCommands::toggleSelfTuning()
{
    toggleCoil(1, QStringLiteral("自整定"));
}

void OperatorCommands::toggleManualAuto()
{
    toggleCoil(2, QStringLiteral("手动/自动"));
}

void OperatorCommands::toggleManualInhibit()
{
    toggleCoil(3, QStringLiteral("手动禁止"));
}

void OperatorCommands::toggleCoil(int coil, const QString& what)
{
    const bool on = image_.coilBits[static_cast<size_t>(coil - 1)] != 0;
    writes_.switchCoil(coil, !on, what);
}

void OperatorCommands::applyYRange()
{
    const YAxisRange::Checked checked =
        YAxisRange::check(controls_.yMaximumEntry->text(), controls_.yMinimumEntry->text());
    if (!checked.range) {
        QList<QLineEdit*> fields;
        if (checked.maximumRefused)
            fields << controls_.yMaximumEntry;
        if (checked.minimumRefused)
            fields << controls_.yMinimumEntry;
        emit refused(fields, QStringLiteral("修改Y"), checked.refusal);
        return;
    }
    emit accepted({controls_.yMaximumEntry, controls_.yMinimumEntry});
    image_.yAxisMin = checked.range->minimum;
    image_.yAxisSpan = checked.range->span;
    emit yAxisChanged();
}
