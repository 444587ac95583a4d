#pragma once

#include <cstdint>
#include <vector>

#include <QAbstractTableModel>

#include "journal/JournalFilter.h"
#include "journal/JournalReader.h"

// The journal as a table, newest first, read a page at a time as the view
// scrolls (canFetchMore / fetchMore), so a full journal opens at once.
// refresh() puts the events written since on top. A journal that cannot be
// read leaves the table empty and says why, once per episode.
//
// A text search can use no index and may have to read every event: it reads
// at most `scanSpan` ids a step, and a step that found nothing is followed
// by the next one through the event loop, so the thread the recorder ticks
// on is never held for long.
class JournalModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { Time, Kind, Source, What, OldValue, NewValue, Outcome, Text, User, Origin, ColumnCount };
    static constexpr int kPageSize = 300;
    static constexpr int64_t kScanSpan = 20'000;  // about 20 ms of reading

    JournalModel(const QString& path, const QString& connectionName, QObject* parent = nullptr,
                 int64_t scanSpan = kScanSpan);

    // Shows the events matching the filter from the newest on.
    void setFilter(const JournalFilter& filter);
    const JournalFilter& filter() const { return filter_; }
    // Reads the events written since the newest one shown and puts them on
    // top; how many. A journal that could not be read is read anew.
    int refresh();

    const JournalEvent& event(int row) const { return rows_[static_cast<size_t>(row)]; }
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
    void reload();
    // The next events below those read; updates where reading stands.
    std::vector<JournalEvent> readStep();
    void continueIfNothingFound(size_t found);
    void noteOutcome();
    QString text(const JournalEvent& event, int column) const;

    JournalReader reader_;
    JournalFilter filter_;
    const int64_t scanSpan_;
    std::vector<JournalEvent> rows_;
    int64_t newestId_ = 0;   // events above it are new to refresh()
    int64_t oldestId_ = 0;   // in the file at the last reload
    int64_t readBelow_ = 0;  // every event from here to newestId_ is read
    bool atEnd_ = true;
    int reading_ = 0;  // counts reloads
    QString failure_;
};
