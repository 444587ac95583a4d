#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>

#include <QDateTime>
#include <QWidget>

#include "exportwindow/PeriodExport.h"

class Clock;
class ElidedLabel;
class QDateTimeEdit;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QThread;

// "导出记录": a period of the station's samples written as a CSV table or
// as the period report (PDF), beside the running main window. "从" and "到"
// are picked as with F5 and name the first and the last second written;
// they start at the period the chart shows. The export runs on a thread of
// its own, the bar follows it through the period, "取消" stops it and
// leaves no file. Bad input is marked and said in the window's status line,
// and nothing is written.
class ExportWindow : public QWidget {
    Q_OBJECT

public:
    // How long the main status bar keeps the outcome.
    static constexpr int kOutcomeShownMs = 30000;
    static constexpr int kProgressSteps = 1000;

    ExportWindow(ExportSources sources, const Clock& clock, QWidget* parent = nullptr);
    // A running export is cancelled and waited for: its file is written
    // whole or not at all.
    ~ExportWindow() override;

    // The chart's oldest and newest shown sample; invalid ones (an empty
    // chart) give the last hour.
    void setPeriod(const QDateTime& oldest, const QDateTime& newest);
    // "另存为…" chose it (a test sets it directly).
    void setPath(const QString& path);
    // "另存为…": asks for the file, offering a name after the period.
    void chooseFile();
    // "开始": checks the entries, then writes on a thread of its own;
    // finished() tells how it went. One export at a time.
    void start();
    // "取消": stops a running export; otherwise closes the window.
    void cancel();
    bool exporting() const { return thread_ != nullptr; }

    QDateTimeEdit* fromField() const { return from_; }
    QDateTimeEdit* toField() const { return to_; }
    QRadioButton* csvChoice() const { return csv_; }
    QRadioButton* reportChoice() const { return report_; }
    QLineEdit* bandField() const { return band_; }
    QLineEdit* instrumentField() const { return instrument_; }
    QLineEdit* pathField() const { return path_; }
    QPushButton* saveAsButton() const { return saveAs_; }
    QPushButton* startButton() const { return start_; }
    QPushButton* cancelButton() const { return cancel_; }
    QProgressBar* progressBar() const { return progress_; }
    ElidedLabel* statusLine() const { return statusLine_; }

signals:
    // Entries were refused; the station counts them in its journal.
    void refused();
    // An export ended: whether the file is in place, and what the status
    // line says about it.
    void finished(bool written, const QString& text, const QString& detail);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    ExportKind kind() const;
    void showKind();
    // The job the entries make, or nothing with the bad ones marked.
    std::optional<PeriodExportJob> checkedJob();
    void showProgress(int64_t utcMs);
    void showOutcome(const PeriodExportOutcome& outcome, const QString& path);
    void showStatus(const QString& text, const QString& detail = QString());

    ExportSources sources_;
    const Clock& clock_;
    QDateTimeEdit* from_ = nullptr;
    QDateTimeEdit* to_ = nullptr;
    QRadioButton* csv_ = nullptr;
    QRadioButton* report_ = nullptr;
    QLineEdit* band_ = nullptr;
    QLineEdit* instrument_ = nullptr;
    QLineEdit* path_ = nullptr;
    QPushButton* saveAs_ = nullptr;
    QPushButton* start_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QProgressBar* progress_ = nullptr;
    ElidedLabel* statusLine_ = nullptr;

    QThread* thread_ = nullptr;
    std::shared_ptr<std::atomic<bool>> cancelled_;
    int64_t runFromMs_ = 0;
    int64_t runToMs_ = 0;
};
