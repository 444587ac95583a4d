#pragma once

#include <vector>

#include <QDialog>

#include "paramset/DownloadPlan.h"
#include "paramset/ParameterDownload.h"

class DifferenceTable;
class QLabel;
class QProgressBar;
class QPushButton;

// A download in three steps, non-modal: the preview of what differs and
// what would be written; nothing goes to the instrument until the
// operator presses "下载" (confirmed()); then the progress, and the result
// row by row: written, failed with its reason, not written, kept.
class DownloadDialog : public QDialog {
    Q_OBJECT

public:
    DownloadDialog(const QString& fileName, const std::vector<SetDifference>& differences, const DownloadPlan& plan,
                   QWidget* parent);

    void showStarted();
    void showProgress(int done, int total);
    void showReport(const DownloadReport& report);

    DifferenceTable* table() const { return table_; }
    QPushButton* downloadButton() const { return download_; }
    QString summary() const;

signals:
    void confirmed();

private:
    void fitNotes();

    QLabel* summary_ = nullptr;
    DifferenceTable* table_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QPushButton* download_ = nullptr;
    QString fileName_;
};
