#pragma once

#include <vector>

#include <QTableWidget>

#include "paramset/SetComparison.h"

// Where a file and the instrument differ, one row per register: caption,
// the file's value and the instrument's (a choice by its item), and a
// column the download fills with how each row went.
class DifferenceTable : public QTableWidget {
    Q_OBJECT

public:
    enum Column { CaptionColumn, FileColumn, InstrumentColumn, NoteColumn };

    explicit DifferenceTable(QWidget* parent = nullptr);

    void fill(const std::vector<SetDifference>& differences);
    // The note of the row of that register, added at the end when the
    // table does not hold it yet.
    void setNote(const SetDifference& difference, const QString& note);

    // The width that shows every cell whole, the notes as they are now.
    int neededWidth() const;
    // The captions of the rows, top to bottom.
    QStringList captions() const;
    QString note(int row) const;

private:
    int rowOf(const SetDifference& difference);
    void setRow(int row, const SetDifference& difference);

    std::vector<const SetSlot*> slots_;
};
