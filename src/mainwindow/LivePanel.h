#pragma once

#include <array>

#include <QWidget>

#include "mainwindow/OperatorCommands.h"
#include "widgets/PanelField.h"

class QPushButton;
struct ProcessImage;

// The live values of the instrument beside their captions: PV, OP and
// working SV (D_3W 0..2), the written SV and manual OP (D_4W 0, 1), the
// alarm types (D_3W 5..7), the current alarms (D_1W 0..2, 4, 5) and the
// operating states (D_0W 0..2). Elements the instrument does not show
// (D_3W 3, 4, D_1W 3, D_4W 2) do not exist: their accessors return null.
//
// The operator's command controls sit beside the values they change: the
// SV and OP entries and buttons after the written values, each switch
// button before its state. What they do is OperatorCommands' business;
// this panel only lays them out.
class LivePanel : public QWidget {
public:
    explicit LivePanel(QWidget* parent = nullptr);

    // The panel's part of RefreshPanel, in its order: values, current
    // alarms, operating states, alarm types.
    void refresh(const ProcessImage& image);
    // The live colours of PV, OP and SV, which the ruler repaints.
    void showLiveColours();
    // The ruler's read-out: channel j in D_3W(j) where the panel has it,
    // on yellow.
    void showRulerValues(const std::array<float, 10>& values);

    // The controls here; the Y range's are the chart's.
    CommandControls commandControls() const { return controls_; }
    QLineEdit* Text1(int i) const;
    QPushButton* Command12(int i) const;
    QPushButton* Command11() const { return controls_.Command11; }
    QPushButton* Command13() const { return controls_.Command13; }
    QPushButton* Command14() const { return controls_.Command14; }

    PanelField* D_3W(int i) const;
    PanelField* D_4W(int i) const;
    PanelField* D_1W(int i) const;
    PanelField* D_0W(int i) const;

private:
    QWidget* buildValues();
    QWidget* buildWritten();
    QWidget* buildAlarmTypes();
    QWidget* buildCurrentAlarms();
    QWidget* buildOperatingStates();

    std::array<PanelField*, 8> d3w_{};
    std::array<PanelField*, 3> d4w_{};
    std::array<PanelField*, 6> d1w_{};
    std::array<PanelField*, 3> d0w_{};
    CommandControls controls_;
};
