#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include <QDateTime>
#include <QTimer>
#include <QWidget>

#include "instrument/ParameterCatalogue.h"
#include "configwindow/WriteTracker.h"

class PanelField;
class ParameterRowView;
class ParameterSetCommands;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class StationStatus;
class StatusIndicator;
class StationCore;
struct WriteOutcome;
enum class StatusSeverity;

// The configuration window: one row per parameter of the catalogue on five
// pages, each row showing the instrument's current value and taking a new
// one. Once the poll has read the parameters each entry shows the
// instrument's value too (blank before, never a made-up 0 or item 0), and
// keeps the operator's pick or text until it has been written and read
// back. A parameter is written when the operator leaves its entry or
// presses Return after picking an item or editing the text (a pick from the
// heating/cooling action list at once); opening the window and passing
// through untouched entries write nothing, and an entry confirmed with the
// value the instrument holds writes nothing and says so. A typed code that
// is none of the list's items is refused like any unusable entry. Each
// row's write mark follows every write of its register, whoever asked.
//
// Constructed in its opening state; show() the window. " Esc 返回" (the
// back button, also Esc where no entry holds an edit for Esc to take back)
// writes an entry still being edited, closes the window and then emits
// returned(); a close from the frame is refused.
// One window per opening: every opening starts from the same state.
class ConfigWindow : public QWidget {
    Q_OBJECT

public:
    static inline const QString kCaption = QStringLiteral("TQ5800 配置 ");
    static constexpr int kReadBackIntervalMs = 1000;

    explicit ConfigWindow(StationCore& core, QWidget* parent = nullptr);
    ~ConfigWindow() override;

    // For the station's shutdown: closes without writing an entry still
    // being edited and without emitting returned().
    void closeForShutdown();

    QGroupBox* parameterGroup() const { return parameterGroup_; }
    QTabWidget* pageTabs() const { return pageTabs_; }
    QPushButton* backButton() const { return backButton_; }
    // "保存参数", "比较参数", "下载参数", "打印参数表".
    ParameterSetCommands* parameterSets() const { return parameterSets_; }
    // By parameter number; nullptr where the parameter has no such entry.
    QComboBox* choiceEdit(int number) const;
    QLineEdit* valueEdit(int number) const;
    PanelField* currentValueField(int number) const;
    const ParameterRowView* row(int number) const;
    StatusIndicator* statusLine() const { return message_; }

public slots:
    // " Esc 返回".
    void goBack();
    // Shows the instrument state's parameter values; the read-back timer calls
    // it every second while the window is open.
    void showCurrentValues();

signals:
    // " Esc 返回": the window has closed; the main window is to show again.
    void returned();
    // " Esc 返回" refused an entry still being edited: why, as this window's
    // status line would have said it, for the main window to tell. Emitted
    // after the window has closed, before returned().
    void leftUnwritten(const QString& why);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void start();
    void buildLayout();
    QWidget* buildBottomBar();
    void connectRow(ParameterRowView& row);
    void commitIfEdited(ParameterRowView& row);
    void onEntered(ParameterRowView& row);
    void writeOnPick(ParameterRowView& row);
    // Writes the entry, or marks it refused and says why; an entry with the
    // value the instrument holds writes nothing.
    void commitEntry(ParameterRowView& row);
    QString refusalText(const ParameterRowView& row) const;
    void write(ParameterRowView& row, int32_t value);
    void onWriteFinished(const WriteOutcome& outcome);
    void say(const QString& text, StatusSeverity severity);
    ParameterRowView* rowOf(int n) const;
    ParameterRowView* rowOfRegister(int registerAddress) const;
    // The register value the poll last read for the row; nullopt before.
    std::optional<int16_t> instrumentValue(const ParameterRowView& row) const;
    void noteParameterRead();

    StationCore& core_;
    WriteTracker writes_;
    QTimer readBackTimer_;
    // When the poll last took in the parameters, and when it did so the
    // time before: the reads of the latest block all began after that, so
    // it is the moment a write must precede to count as read back. (The
    // block's own time may follow a write that ran between its reads.)
    QDateTime lastRead_;
    QDateTime readSince_;
    std::array<ParameterRowView*, ParameterCatalogue::kLastNumber + 1> rows_{};
    QGroupBox* parameterGroup_ = nullptr;
    QTabWidget* pageTabs_ = nullptr;
    QPushButton* backButton_ = nullptr;
    ParameterSetCommands* parameterSets_ = nullptr;
    StatusIndicator* message_ = nullptr;
    StatusIndicator* linkIndicator_ = nullptr;
    StatusIndicator* recorderIndicator_ = nullptr;
    StationStatus* stationStatus_ = nullptr;
    // Only " Esc 返回" and the station's shutdown close the window.
    bool closeAllowed_ = false;
    bool returned_ = false;
};
