#pragma once

#include <array>
#include <optional>

#include <QDateTime>
#include <QCoreApplication>
#include <QWidget>

#include "instrument/RegisterMap.h"
#include "mainwindow/OperatorCommands.h"
#include "widgets/PanelField.h"

class PanelGroup;
class QPushButton;
class InstrumentEntry;
class InstrumentState;

// The live values of the instrument beside their captions: PV, OP and
// working SV (input registers 1..3), the written SV and manual OP (holding
// registers 1, 2), the alarm types (input registers 6..8), the current
// alarms (discrete inputs 1..3, 5, 6) and the operating states (coils
// 1..3). Each field is found by its register's or bit's number less one;
// numbers the panel does not show (input registers 4, 5, discrete input 4,
// holding register 3) have no field: their accessors return null.
//
// The operator's command controls sit beside the values they change: the
// SV and OP entries and buttons after the written values, each switch
// button before its state. What they do is OperatorCommands' business;
// this panel only lays them out.
class LivePanel : public QWidget {
    Q_DECLARE_TR_FUNCTIONS(LivePanel)

public:
    explicit LivePanel(QWidget* parent = nullptr);

    // The panel's part of the live refresh, in its order: values, current
    // alarms, operating states, alarm types. Values the instrument has not
    // confirmed within two poll cycles of now stay, in grey figures on grey,
    // their group's title row saying how old they are; before its first
    // answer a field shows nothing.
    void refresh(const InstrumentState& state, const QDateTime& now);
    // The ruler's read-out: channel j in liveValueField(j) where the panel
    // has it, on yellow; blank over a slot that holds no sample.
    void showRulerValues(const std::optional<std::array<float, 10>>& values);

    // The controls here; the Y range's are the chart's.
    CommandControls commandControls() const { return controls_; }
    InstrumentEntry* setValueEntry() const { return controls_.setValueEntry; }
    QPushButton* setValueButton() const { return controls_.setValueButton; }
    InstrumentEntry* outputEntry() const { return controls_.outputEntry; }
    QPushButton* outputButton() const { return controls_.outputButton; }
    QPushButton* selfTuningButton() const { return controls_.selfTuningButton; }
    QPushButton* manualAutoButton() const { return controls_.manualAutoButton; }
    QPushButton* manualInhibitButton() const { return controls_.manualInhibitButton; }

    // Live field i shows input register i + 1: the field of a register.
    static constexpr int liveField(int inputRegister) { return inputRegister - RegisterMap::kInputBlockStart; }
    PanelField* liveValueField(int input) const;
    PanelField* writtenValueField(int holding) const;
    PanelField* alarmStateField(int inputBit) const;
    PanelField* coilStateField(int coil) const;

    // The groups, whose title rows carry the age of stale values.
    PanelGroup* valuesGroup() const { return valuesGroup_; }
    PanelGroup* writtenGroup() const { return writtenGroup_; }
    PanelGroup* alarmTypesGroup() const { return alarmTypesGroup_; }
    PanelGroup* currentAlarmsGroup() const { return currentAlarmsGroup_; }
    PanelGroup* operatingStatesGroup() const { return operatingStatesGroup_; }

private:
    // PV, OP, SV and the alarm states on pink while fresh, faded while
    // stale; the ruler paints them yellow.
    void showMeasurementColours(bool fresh);
    void showAges(const InstrumentState& state, const QDateTime& now);

    QWidget* buildValues();
    QWidget* buildWritten();
    QWidget* buildAlarmTypes();
    QWidget* buildCurrentAlarms();
    QWidget* buildOperatingStates();

    std::array<PanelField*, 8> liveValues_{};
    std::array<PanelField*, 3> writtenValues_{};
    std::array<PanelField*, 6> alarmStates_{};
    std::array<PanelField*, 3> coilStates_{};
    PanelGroup* valuesGroup_ = nullptr;
    PanelGroup* writtenGroup_ = nullptr;
    PanelGroup* alarmTypesGroup_ = nullptr;
    PanelGroup* currentAlarmsGroup_ = nullptr;
    PanelGroup* operatingStatesGroup_ = nullptr;
    CommandControls controls_;
};
