#include "mainwindow/OperatorCommands.h"

#include <QLineEdit>
#include <QPushButton>

#include "mainwindow/OperatorWrites.h"
#include "instrument/ProcessImage.h"
#include "mainwindow/YAxisRange.h"

namespace {

struct RegisterCommand {
    const char* caption;
    int registerAddress;
    int scale;  // the instrument keeps the manual output in tenths
};
constexpr RegisterCommand kRegisterCommands[] = {{"设定SV", 1, 1}, {"设定OP", 2, 10}};

} // namespace

OperatorCommands::OperatorCommands(const CommandControls& controls, ProcessImage& image, OperatorWrites& writes,
                                   QObject* parent)
    : QObject(parent)
    , controls_(controls)
    , image_(image)
    , writes_(writes)
{
    for (int i = 0; i < 2; ++i) {
        const auto index = static_cast<size_t>(i);
        connect(controls_.Command12[index], &QPushButton::clicked, this, [this, i] { Command12_Click(i); });
        connect(controls_.Text1[index], &QLineEdit::returnPressed, this, [this, i] { Command12_Click(i); });
    }
    connect(controls_.Command11, &QPushButton::clicked, this, &OperatorCommands::Command11_Click);
    connect(controls_.Command13, &QPushButton::clicked, this, &OperatorCommands::Command13_Click);
    connect(controls_.Command14, &QPushButton::clicked, this, &OperatorCommands::Command14_Click);
    connect(controls_.Command26, &QPushButton::clicked, this, &OperatorCommands::Command26_Click);
    connect(controls_.YKD, &QLineEdit::returnPressed, this, &OperatorCommands::Command26_Click);
    connect(controls_.YKD1, &QLineEdit::returnPressed, this, &OperatorCommands::Command26_Click);
}

void OperatorCommands::Command12_Click(int index)
{
    if (index < 0 || index > 1)
        return;
    const RegisterCommand& command = kRegisterCommands[index];
    QLineEdit* entry = controls_.Text1[static_cast<size_t>(index)];
    const QString caption = QString::fromUtf8(command.caption);
    const EntryCheck::RegisterValue checked = EntryCheck::panelRegisterValue(entry->text(), command.scale);
    if (!checked.value) {
        emit refused({entry}, caption, checked.refusal);
        return;
    }
    emit accepted({entry});
    writes_.writeRegister(command.registerAddress, *checked.value, caption);
}

void OperatorCommands::Command11_Click()
{
    toggleCoil(1, QStringLiteral("自整定"));
}

void OperatorCommands::Command13_Click()
{
    toggleCoil(2, QStringLiteral("手动/自动"));
}

void OperatorCommands::Command14_Click()
{
    toggleCoil(3, QStringLiteral("手动禁止"));
}

void OperatorCommands::toggleCoil(int coil, const QString& what)
{
    const bool on = image_.coilBits[static_cast<size_t>(coil - 1)] != 0;
    writes_.switchCoil(coil, !on, what);
}

void OperatorCommands::Command26_Click()
{
    const YAxisRange::Checked checked = YAxisRange::check(controls_.YKD->text(), controls_.YKD1->text());
    if (!checked.range) {
        QList<QLineEdit*> fields;
        if (checked.maximumRefused)
            fields << controls_.YKD;
        if (checked.minimumRefused)
            fields << controls_.YKD1;
        emit refused(fields, QStringLiteral("修改Y"), checked.refusal);
        return;
    }
    emit accepted({controls_.YKD, controls_.YKD1});
    image_.yAxisMin = checked.range->minimum;
    image_.yAxisSpan = checked.range->span;
    emit yAxisChanged();
}

void OperatorCommands::Command23_Click()
{
}
