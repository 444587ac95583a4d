#pragma once

#include <vector>

#include <QDialog>

#include "paramset/SetComparison.h"

class DifferenceTable;
class QLabel;

// The differences between a parameter file and the instrument, read fresh;
// non-modal, so the operator can keep both in view.
class CompareDialog : public QDialog {
    Q_OBJECT

public:
    CompareDialog(const QString& fileName, const std::vector<SetDifference>& differences, QWidget* parent);

    DifferenceTable* table() const { return table_; }
    QString summary() const;

private:
    QLabel* summary_ = nullptr;
    DifferenceTable* table_ = nullptr;
};
