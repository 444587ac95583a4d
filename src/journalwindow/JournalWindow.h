#pragma once

#include <QTimer>
#include <QWidget>

class ElidedLabel;
class JournalFilterBar;
class JournalModel;
class QPushButton;
class QThread;
class QTableView;

// "事件记录": the journal, newest first by time, in a window of its own
// beside the main window; Esc closes it. The filter bar narrows it; every
// few seconds (and at "刷新") the events written since come in at their
// place, and a view scrolled down keeps its rows in place. "导出CSV" writes every event matching the
// filter, not only those read so far, without holding up the station. What goes wrong (an unreadable file,
// a range that ends before it starts, an export that fails) is said in the
// window's own status line.
class JournalWindow : public QWidget {
    Q_OBJECT

public:
    static constexpr int kRefreshIntervalMs = 3000;

    explicit JournalWindow(const QString& journalPath, QWidget* parent = nullptr);
    ~JournalWindow() override;

    // The filter bar's choice into the table, unless it is refused.
    void applyFilter();
    // The events written since in their place; the view stays where it was.
    void refresh();
    // Writes the events matching the shown filter as CSV, on a thread of its
    // own; exportFinished() and the status line tell how it went. One
    // export at a time: another asked for meanwhile is refused.
    void exportTo(const QString& path);
    bool exporting() const { return exportThread_ != nullptr; }
    // "导出CSV": asks for a file, then exports into it.
    void chooseExportFile();

    JournalModel* model() const { return model_; }
    QTableView* table() const { return table_; }
    JournalFilterBar* filterBar() const { return filterBar_; }
    QPushButton* refreshButton() const { return refreshButton_; }
    QPushButton* exportButton() const { return exportButton_; }
    ElidedLabel* statusLine() const { return statusLine_; }
    QTimer& refreshTimer() { return refreshTimer_; }

signals:
    void exportFinished(bool ok);

private:
    void showStatus(const QString& text, const QString& detail = QString());
    void showReadFailure();

    JournalModel* model_ = nullptr;
    QTableView* table_ = nullptr;
    JournalFilterBar* filterBar_ = nullptr;
    QPushButton* refreshButton_ = nullptr;
    QPushButton* exportButton_ = nullptr;
    ElidedLabel* statusLine_ = nullptr;
    QTimer refreshTimer_;
    QThread* exportThread_ = nullptr;
    bool readFailureShown_ = false;
};
