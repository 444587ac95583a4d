#include "mainwindow/LivePanel.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/NumberText.h"
#include "widgets/InstrumentEntry.h"
#include "widgets/PanelGroup.h"
#include "widgets/PanelStates.h"
#include "widgets/StaleAge.h"
#include "instrument/InstrumentState.h"

namespace {

template <typename Widget, size_t N>
Widget* element(const std::array<Widget*, N>& fields, int i)
{
    return i >= 0 && i < static_cast<int>(N) ? fields[static_cast<size_t>(i)] : nullptr;
}

// Tight margins: the panel has to fit beside the chart on a 1280 x 800 screen.
QGridLayout* compactGrid(QWidget* box)
{
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(6, 2, 6, 4);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(3);
    return grid;
}

QLabel* caption(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

// An entry just wide enough for "-1999.5" and a little more; blank until
// the instrument's value is read.
InstrumentEntry* entry(QWidget* parent)
{
    auto* edit = new InstrumentEntry(parent);
    edit->setAlignment(Qt::AlignRight);
    edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 8 + 12);
    return edit;
}

// A control no taller than the field beside it, so a row of commands takes
// no more height than a row of values.
void fitRow(QWidget* control, const PanelField* field)
{
    control->setMaximumHeight(field->sizeHint().height() + 2);
}

// A state the instrument has not confirmed lately keeps its text, faded.
void showLook(PanelField* field, const std::optional<StateLook>& look, bool fresh)
{
    if (!field || !look)
        return;
    field->setCaption(QCoreApplication::translate("PanelStates", look->text.toUtf8().constData()));
    field->showFresh(fresh, look->background);
}

} // namespace

LivePanel::LivePanel(QWidget* parent)
    : QWidget(parent)
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    column->addWidget(buildValues());
    column->addWidget(buildWritten());
    column->addWidget(buildAlarmTypes());
    column->addWidget(buildCurrentAlarms());
    column->addWidget(buildOperatingStates());
    column->addStretch(1);
}

QWidget* LivePanel::buildValues()
{
    auto* box = valuesGroup_ = new PanelGroup(tr("实时数据"), this);
    auto* grid = compactGrid(box);
    const auto live = [this](int inputRegister) -> PanelField*& {
        return liveValues_[static_cast<size_t>(liveField(inputRegister))];
    };
    live(RegisterMap::kProcessValue) = new PanelField(PanelColours::kPink, box, PanelField::Size::Huge);
    live(RegisterMap::kOutput) = new PanelField(PanelColours::kPink, box, PanelField::Size::Large);
    live(RegisterMap::kWorkingSetValue) = new PanelField(PanelColours::kPink, box, PanelField::Size::Large);
    grid->addWidget(caption(tr("测量值PV"), box), 0, 0);
    grid->addWidget(live(RegisterMap::kProcessValue), 0, 1, 1, 4);
    grid->addWidget(caption(tr("输出值OP"), box), 1, 0);
    grid->addWidget(live(RegisterMap::kOutput), 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("%"), box), 1, 2);
    grid->addWidget(caption(tr("设定值SV"), box), 1, 3);
    grid->addWidget(live(RegisterMap::kWorkingSetValue), 1, 4);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(4, 1);
    return box;
}

QWidget* LivePanel::buildWritten()
{
    auto* box = writtenGroup_ = new PanelGroup(tr("写入值"), this);
    auto* grid = compactGrid(box);
    // One row each: caption, the value as polled, the entry, its button.
    const auto addRow = [this, box, grid](int row, const QString& text, const QString& command, const QString& hint,
                                          InstrumentEntry*& edit, QPushButton*& button) {
        PanelField* field = writtenValues_[static_cast<size_t>(row)] = new PanelField(PanelColours::kPink, box);
        edit = entry(box);
        edit->setToolTip(hint);
        button = new QPushButton(command, box);
        fitRow(button, field);
        fitRow(edit, field);
        grid->addWidget(caption(text, box), row, 0);
        grid->addWidget(field, row, 1);
        grid->addWidget(edit, row, 2);
        grid->addWidget(button, row, 3);
    };
    addRow(0, tr("设定值SV"), tr("设定SV"), tr("写入仪表的设定值，范围 -1999 到 9999"),
           controls_.setValueEntry, controls_.setValueButton);
    addRow(1, tr("手动OP值"), tr("设定OP"), tr("手动输出值，单位 %，范围 -1999 到 3276.7"),
           controls_.outputEntry, controls_.outputButton);
    grid->setColumnStretch(1, 1);
    return box;
}

QWidget* LivePanel::buildAlarmTypes()
{
    auto* box = alarmTypesGroup_ = new PanelGroup(tr("报警状态"), this);
    auto* grid = compactGrid(box);
    for (int a = 0; a < 3; ++a) {
        auto* field = new PanelField(PanelColours::kPink, box);
        liveValues_[static_cast<size_t>(liveField(RegisterMap::kAlarmState1 + a))] = field;
        const int row = a / 2;
        const int column = 2 * (a % 2);
        grid->addWidget(caption(tr("报警%1状态").arg(a + 1), box), row, column);
        grid->addWidget(field, row, column + 1);
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    return box;
}

QWidget* LivePanel::buildCurrentAlarms()
{
    auto* box = currentAlarmsGroup_ = new PanelGroup(tr("当前报警"), this);
    auto* grid = compactGrid(box);
    int position = 0;
    for (const int i : PanelStates::kCurrentAlarmIndexes) {
        auto* field = new PanelField(PanelColours::kCyan, box);
        alarmStates_[static_cast<size_t>(i)] = field;
        grid->addWidget(field, position / 3, position % 3);
        ++position;
    }
    return box;
}

QWidget* LivePanel::buildOperatingStates()
{
    auto* box = operatingStatesGroup_ = new PanelGroup(tr("运行状态"), this);
    auto* grid = compactGrid(box);
    // Each switch names the state beside it and turns it the other way.
    controls_.selfTuningButton = new QPushButton(tr("自整定"), box);
    controls_.manualAutoButton = new QPushButton(tr("手动/自动"), box);
    controls_.manualInhibitButton = new QPushButton(tr("手动禁止"), box);
    QPushButton* const switches[] = {controls_.selfTuningButton, controls_.manualAutoButton,
                                     controls_.manualInhibitButton};
    for (int i = 0; i < PanelStates::kCoilCount; ++i) {
        auto* field = new PanelField(i == 0 ? PanelColours::kLightYellow : PanelColours::kPink, box);
        coilStates_[static_cast<size_t>(i)] = field;
        fitRow(switches[i], field);
        grid->addWidget(switches[i], i / 2, 2 * (i % 2));
        grid->addWidget(field, i / 2, 2 * (i % 2) + 1);
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    return box;
}

void LivePanel::refresh(const InstrumentState& state, const QDateTime& now)
{
    using Block = InstrumentState::Block;
    const bool measured = state.everRead(Block::Measurements);
    const bool commanded = state.everRead(Block::Commands);
    // Field i shows input register i + 1 (PV, OP, working SV, ...) and
    // holding register i + 1 (the written SV and OP). Nothing before the
    // first answer: a 0 there would look measured.
    for (int i = 0; i < 3; ++i) {
        if (PanelField* f = liveValueField(i))
            f->setCaption(measured ? numberText(state.measurement(RegisterMap::kInputBlockStart + i)) : QString());
        if (PanelField* f = writtenValueField(i)) {
            f->setCaption(commanded ? numberText(state.command(RegisterMap::kHoldingBlockStart + i)) : QString());
            f->showFresh(state.isFresh(Block::Commands, now), PanelColours::kPink);
        }
    }
    showMeasurementColours(state.isFresh(Block::Measurements, now));

    const bool alarmsFresh = state.isFresh(Block::DiscreteInputs, now);
    for (const int i : PanelStates::kCurrentAlarmIndexes) {
        const bool on = state.discreteInput(RegisterMap::kBitBlockStart + i);
        showLook(alarmStateField(i), state.everRead(Block::DiscreteInputs) ? PanelStates::currentAlarmLook(i, on)
                                                                           : StateLook{QString(), PanelColours::kStale},
                 alarmsFresh);
    }
    const bool coilsFresh = state.isFresh(Block::Coils, now);
    for (int i = 0; i < PanelStates::kCoilCount; ++i) {
        const bool on = state.coil(RegisterMap::kBitBlockStart + i);
        showLook(coilStateField(i), state.everRead(Block::Coils) ? PanelStates::coilLook(i, on)
                                                                 : StateLook{QString(), PanelColours::kStale},
                 coilsFresh);
    }
    for (int alarm = 0; alarm < RegisterMap::kAlarms; ++alarm) {
        const int i = liveField(RegisterMap::kAlarmState1 + alarm);
        const auto text = measured ? PanelStates::alarmTypeText(state.measurement(RegisterMap::kAlarmState1 + alarm))
                                   : std::optional<QString>(QString());
        if (text && liveValueField(i))
            liveValueField(i)->setCaption(QCoreApplication::translate("PanelStates", text->toUtf8().constData()));
    }
    showAges(state, now);
}

void LivePanel::showAges(const InstrumentState& state, const QDateTime& now)
{
    using Block = InstrumentState::Block;
    const std::pair<PanelGroup*, Block> groups[] = {
        {valuesGroup_, Block::Measurements},         {writtenGroup_, Block::Commands},
        {alarmTypesGroup_, Block::Measurements},     {currentAlarmsGroup_, Block::DiscreteInputs},
        {operatingStatesGroup_, Block::Coils},
    };
    for (const auto& [group, block] : groups)
        group->setAge(StaleAge::of(state, block, now), StaleAge::confirmedAt(state, block, now));
}

void LivePanel::showMeasurementColours(bool fresh)
{
    // Every field the measurements fill, the alarm states too: all of them
    // may still carry the ruler's yellow.
    for (PanelField* field : liveValues_)
        if (field)
            field->showFresh(fresh, PanelColours::kPink);
}

void LivePanel::showRulerValues(const std::optional<std::array<float, 10>>& values)
{
    // The ruler holds the panel: no age would grow meanwhile.
    for (PanelGroup* group :
         {valuesGroup_, writtenGroup_, alarmTypesGroup_, currentAlarmsGroup_, operatingStatesGroup_})
        group->setAge(QString());
    for (size_t j = 0; j < 10; ++j) {
        if (PanelField* field = liveValueField(static_cast<int>(j))) {
            field->setCaption(values ? numberText((*values)[j]) : QString());
            field->setBackground(PanelColours::kYellow);
        }
    }
}

PanelField* LivePanel::liveValueField(int input) const { return element(liveValues_, input); }
PanelField* LivePanel::writtenValueField(int holding) const { return element(writtenValues_, holding); }
PanelField* LivePanel::alarmStateField(int inputBit) const { return element(alarmStates_, inputBit); }
PanelField* LivePanel::coilStateField(int coil) const { return element(coilStates_, coil); }
