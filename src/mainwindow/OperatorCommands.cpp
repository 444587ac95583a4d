#include "mainwindow/OperatorCommands.h"

#include <optional>
#include <utility>

#include <QLineEdit>
#include <QPushButton>

#include "mainwindow/OperatorWrites.h"
#include "core/NumberText.h"
#include "instrument/InstrumentState.h"
#include "mainwindow/YAxisRange.h"
#include "trend/ChartDrawing.h"
#include "widgets/InstrumentEntry.h"
#include "widgets/PanelStates.h"
#include "widgets/StatusTexts.h"

namespace {

// What the journal stores stays Chinese; the status bar translates it in the
// context "WriteRequest".
const QString kYRangeCommand = QString::fromUtf8(QT_TRANSLATE_NOOP("WriteRequest", "修改Y"));
const QString& kOrigin = WriteOrigin::kMainWindow;

// The operating-state field's text for the coil in this state.
QString coilText(int coil, bool on)
{
    const auto look = PanelStates::coilLook(coil - RegisterMap::kBitBlockStart, on ? 1 : 0);
    return look ? look->text : QString();
}

} // namespace

OperatorCommands::OperatorCommands(const CommandControls& controls, const InstrumentState& state, ChartYRange& yRange,
                                   OperatorWrites& writes, QObject* parent)
    : QObject(parent)
    , controls_(controls)
    , state_(state)
    , yRange_(yRange)
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
    connect(&writes_, &OperatorWrites::linkOpenChanged, this, &OperatorCommands::showLinkOpen);
    showLinkOpen(writes_.linkOpen());
}

void OperatorCommands::showLinkOpen(bool open)
{
    for (QPushButton* button : {controls_.setValueButton, controls_.outputButton, controls_.selfTuningButton,
                                controls_.manualAutoButton, controls_.manualInhibitButton})
        showLinkNeed(*button, open);
}

void OperatorCommands::showInstrumentValues()
{
    const std::optional<QDateTime>& readAt = state_.status(InstrumentState::Block::Commands).lastGoodRead;
    for (const auto& [entry, address] : {std::pair{controls_.setValueEntry, RegisterMap::kSetValue},
                                         std::pair{controls_.outputEntry, RegisterMap::kManualOutput}}) {
        entry->showInstrumentValue(readAt ? std::optional(numberText(state_.command(address))) : std::nullopt,
                                   readAt.value_or(QDateTime()));
    }
}

void OperatorCommands::writeSetValue()
{
    writeEntry(controls_.setValueEntry, QString::fromUtf8(QT_TRANSLATE_NOOP("WriteRequest", "设定SV")), RegisterMap::kSetValue);
}

void OperatorCommands::writeOutput()
{
    writeEntry(controls_.outputEntry, QString::fromUtf8(QT_TRANSLATE_NOOP("WriteRequest", "设定OP")), RegisterMap::kManualOutput);
}

void OperatorCommands::writeEntry(InstrumentEntry* entry, const QString& caption, int registerAddress)
{
    // Return in the entry asks too, with the button disabled.
    if (!writes_.linkOpen()) {
        emit notWritten({entry}, caption, StatusTexts::linkClosedText(caption));
        return;
    }
    if (!entry->isChanged()) {
        emit notWritten({entry}, caption, StatusTexts::unchangedEntryText(caption));
        return;
    }
    const int scale = RegisterMap::holdingInTenths(registerAddress) ? 10 : 1;
    const EntryCheck::RegisterValue checked = EntryCheck::panelRegisterValue(entry->text(), scale);
    if (!checked.value) {
        emit refused({entry}, caption, checked.refusal);
        return;
    }
    emit accepted({entry});
    // As the live panel shows the written values: nothing before the first read.
    const QString before =
        state_.everRead(InstrumentState::Block::Commands) ? numberText(state_.command(registerAddress)) : QString();
    writes_.writeRegister(registerAddress, *checked.value, caption, {before, entry->text(), kOrigin}, entry);
}

void OperatorCommands::toggleSelfTuning()
{
    toggleCoil(RegisterMap::kSelfTune, QString::fromUtf8(QT_TRANSLATE_NOOP("WriteRequest", "自整定")));
}

void OperatorCommands::toggleManualAuto()
{
    toggleCoil(RegisterMap::kAutomatic, QString::fromUtf8(QT_TRANSLATE_NOOP("WriteRequest", "手动/自动")));
}

void OperatorCommands::toggleManualInhibit()
{
    toggleCoil(RegisterMap::kManualPermitted, QString::fromUtf8(QT_TRANSLATE_NOOP("WriteRequest", "手动禁止")));
}

void OperatorCommands::toggleCoil(int coil, const QString& what)
{
    if (!writes_.linkOpen())
        return;  // its button is disabled meanwhile
    const bool on = state_.coil(coil);
    const QString before = state_.everRead(InstrumentState::Block::Coils) ? coilText(coil, on) : QString();
    writes_.switchCoil(coil, !on, what, {before, coilText(coil, !on), kOrigin});
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
        emit refused(fields, kYRangeCommand, checked.refusal);
        return;
    }
    emit accepted({controls_.yMaximumEntry, controls_.yMinimumEntry});
    yRange_.minimum = checked.range->minimum;
    yRange_.span = checked.range->span;
    emit yAxisChanged();
    emit applied(kYRangeCommand);
}
