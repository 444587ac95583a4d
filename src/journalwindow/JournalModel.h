#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <vector>

#include <QAbstractTableModel>

#include "journal/JournalFilter.h"
#include "journal/JournalReader.h"
#include "journal/ShownEvent.h"

// The journal as a table, newest first by the time of the event (as
// JournalReader reads it), read a page at a time as the view scrolls
// (canFetchMore / fetchMore), so a full journal opens at once. refresh()
// puts the events written since in their place: on top, or lower down for
// an event written after it happened (a minute's refused entries). A
// journal that cannot be read leaves the table empty and says why, once per
// episode. Every column is in the reader's words (ShownEvent).
//
// A text search can use no index and may have to read every event: it reads
// at most `scanSpan` events a step, and a step that found nothing is
// followed by the next one through the event loop, so the thread the
// recorder ticks on is never held for long.
class JournalModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { Time, Kind, Source, What, OldValue, NewValue, Outcome, Text, User, Origin, ColumnCount };
    static constexpr int kPageSize = 300;
    static constexpr int64_t kScanSpan = 5'000;  // about 20 ms of reading and wording

    JournalModel(const QString& path, const QString& connectionName, QObject* parent = nullptr,
                 int64_t scanSpan = kScanSpan);

    // Shows the events matching the filter from the newest on.
    void setFilter(const JournalFilter& filter);
    const JournalFilter& filter() const { return filter_; }
    // Reads the events written since the newest one shown and puts them on
    // top; how many. A journal that could not be read is read anew.
    int refresh();

    const JournalEvent& event(int row) const { return rows_[static_cast<size_t>(row)].event; }
    JournalReader& reader() { return reader_; }
    // Empty while the journal reads well.
    const QString& failure() const { return failure_; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

signals:
    // The journal became unreadable (failure() says why) or readable again.
    void failureChanged();

private:
    // An event with its words, worded once as it is read.
    struct Row {
        JournalEvent event;
        ShownEvent shown;
    };
    using Position = JournalReader::Position;

    void reload();
    // The next events below those read; updates where reading stands.
    std::vector<Row> readStep();
    void continueIfNothingFound(size_t found);
    void noteOutcome();
    // Where an event written since the last reading belongs among the rows
    // read; none when paging will bring it (it lies below the rows read).
    std::optional<size_t> placeOf(const JournalEvent& event) const;
    QString text(const Row& row, int column) const;

    JournalReader reader_;
    JournalFilter filter_;
    const int64_t scanSpan_;
    std::vector<Row> rows_;
    int64_t newestId_ = 0;               // events above it are new to refresh()
    std::optional<Position> readBelow_;  // every event above it is read; none before the first step
    std::set<int64_t> pagedNew_;         // events above newestId_ that paging brought
    bool atEnd_ = true;
    int reading_ = 0;  // counts reloads
    QString failure_;
};
