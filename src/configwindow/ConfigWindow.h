#pragma once

#include <array>
#include <cstdint>

#include <QTimer>
#include <QWidget>

#include "instrument/ParameterCatalogue.h"
#include "configwindow/WriteTracker.h"

class PanelField;
class ParameterRowView;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class StationStatus;
class StatusIndicator;
struct StationContext;
struct WriteOutcome;
enum class StatusSeverity;

// The configuration window: one row per parameter of the catalogue on five
// pages, each row showing the instrument's current value and taking a new
// one. A parameter is written when the operator leaves its entry after
// picking an item or editing the text (Combo39 on every edit); opening the
// window and passing through untouched entries write nothing.
//
// The constructor runs the load steps; show() the window. " Esc 返回"
// (Command11, also Esc) writes an entry still being edited, closes the
// window and then emits returned(); a close from the frame is refused.
// One window per opening: every opening starts from the load state.
class ConfigWindow : public QWidget {
    Q_OBJECT

public:
    static inline const QString kCaption = QStringLiteral("TQ5800 配置 ");
    static constexpr int kReadBackIntervalMs = 1000;

    explicit ConfigWindow(StationContext& context, QWidget* parent = nullptr);
    ~ConfigWindow() override;

    // Read-back of the current values, from load to unload.
    QTimer Timer1;
    int16_t closeGuard = 0;  // -1 while a close from the frame is refused

    void Command11_Click();
    void Timer1_Timer();
    // The family of choice handlers on focus loss, by parameter number.
    void Combo_LostFocus(int number);
    void Combo39_Change();
    void T_3RW_LostFocus(int n);

    QGroupBox* Frame3() const { return frame3_; }
    QTabWidget* SSTab1() const { return sstab1_; }
    QPushButton* Command11() const { return command11_; }
    // Combo(14) is Combo14; nullptr for a number no choice control has.
    QComboBox* Combo(int controlNumber) const;
    // By parameter number; nullptr where the parameter has no such control.
    QLineEdit* T_3RW(int n) const;
    PanelField* D_4W(int n) const;
    const ParameterRowView* row(int n) const;
    StatusIndicator* statusLine() const { return message_; }

signals:
    // " Esc 返回": the window has closed; the main window is to show again.
    void returned();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Load();
    void Form_Unload();
    void buildLayout();
    QWidget* buildBottomBar();
    void connectRow(ParameterRowView& row);
    void commitEntry(ParameterRowView& row);
    void write(ParameterRowView& row, int32_t value);
    void onWriteFinished(const WriteOutcome& outcome);
    void say(const QString& text, StatusSeverity severity);
    ParameterRowView* rowOf(int n) const;

    StationContext& context_;
    WriteTracker writes_;
    std::array<ParameterRowView*, ParameterCatalogue::kLastNumber + 1> rows_{};
    QGroupBox* frame3_ = nullptr;
    QTabWidget* sstab1_ = nullptr;
    QPushButton* command11_ = nullptr;
    StatusIndicator* message_ = nullptr;
    StatusIndicator* linkIndicator_ = nullptr;
    StatusIndicator* recorderIndicator_ = nullptr;
    StationStatus* stationStatus_ = nullptr;
    bool returned_ = false;
};
