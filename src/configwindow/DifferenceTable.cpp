#include "configwindow/DifferenceTable.h"

#include <algorithm>

#include <QHeaderView>
#include <QScrollBar>

DifferenceTable::DifferenceTable(QWidget* parent)
    : QTableWidget(0, 4, parent)
{
    setHorizontalHeaderLabels({tr("参数"), tr("文件中的值"), tr("仪表中的值"),
                               tr("说明")});
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::NoSelection);
    setFocusPolicy(Qt::NoFocus);
    setAlternatingRowColors(true);
    verticalHeader()->hide();
    horizontalHeader()->setStretchLastSection(true);
    horizontalHeader()->setMinimumSectionSize(150);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void DifferenceTable::fill(const std::vector<SetDifference>& differences)
{
    setRowCount(0);
    slots_.clear();
    for (const SetDifference& d : differences)
        rowOf(d);
    resizeColumnsToContents();
    for (int column = CaptionColumn; column < NoteColumn; ++column)
        setColumnWidth(column, columnWidth(column) + 24);
}

void DifferenceTable::setNote(const SetDifference& difference, const QString& note)
{
    setItem(rowOf(difference), NoteColumn, new QTableWidgetItem(note));
}

QStringList DifferenceTable::captions() const
{
    QStringList texts;
    for (int r = 0; r < rowCount(); ++r)
        texts.append(item(r, CaptionColumn)->text());
    return texts;
}

int DifferenceTable::neededWidth() const
{
    int notes = horizontalHeader()->sectionSizeHint(NoteColumn);
    for (int r = 0; r < rowCount(); ++r)
        notes = std::max(notes, fontMetrics().horizontalAdvance(note(r)) + 24);
    int width = 2 * frameWidth() + verticalScrollBar()->sizeHint().width() + notes;
    for (int column = CaptionColumn; column < NoteColumn; ++column)
        width += isColumnHidden(column) ? 0 : columnWidth(column);
    return width;
}

QString DifferenceTable::note(int row) const
{
    const QTableWidgetItem* cell = item(row, NoteColumn);
    return cell ? cell->text() : QString();
}

int DifferenceTable::rowOf(const SetDifference& difference)
{
    const auto it = std::find(slots_.begin(), slots_.end(), difference.slot);
    if (it != slots_.end())
        return static_cast<int>(it - slots_.begin());
    const int row = rowCount();
    insertRow(row);
    slots_.push_back(difference.slot);
    setRow(row, difference);
    return row;
}

void DifferenceTable::setRow(int row, const SetDifference& difference)
{
    setItem(row, CaptionColumn, new QTableWidgetItem(difference.shownCaption()));
    setItem(row, FileColumn, new QTableWidgetItem(difference.shownFileText()));
    setItem(row, InstrumentColumn, new QTableWidgetItem(difference.shownInstrumentText()));
}
