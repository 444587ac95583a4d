#pragma once

#include <array>

#include <QWidget>

#include "PanelField.h"

struct ProcessImage;

// The live values of the instrument beside their captions: PV, OP and
// working SV (D_3W 0..2), the written SV and manual OP (D_4W 0, 1), the
// alarm types (D_3W 5..7), the current alarms (D_1W 0..2, 4, 5) and the
// operating states (D_0W 0..2). Elements the instrument does not show
// (D_3W 3, 4, D_1W 3, D_4W 2) do not exist: their accessors return null.
class LivePanel : public QWidget {
public:
    explicit LivePanel(QWidget* parent = nullptr);

    // The panel's part of RefreshPanel, in its order: values, current
    // alarms, operating states, alarm types.
    void refresh(const ProcessImage& image);
    // The live colours of PV, OP and SV, which the ruler repaints.
    void showLiveColours();

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
};
