#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include <QString>
#include <QStringList>
#include <QVariantList>

#include "journal/JournalEvent.h"
#include "journal/JournalFilter.h"

class QSqlQuery;

// Reads the journal file on a connection of its own, read-only, never
// creating the file. Newest first by the time of the event, events of one
// moment newest id first, a page at a time: each page starts below the
// position (time and id) the last one ended at, which the time index
// serves, so paging stays fast on a full journal and an event written
// meanwhile never shifts a page. In time, not in id order: some events are
// written after they happened (a minute's refused entries once the minute
// is over, a failure once it is known to be one), and the journal keeps
// the time they happened.
//
// A text is searched for in what is stored and in its words for the reader
// (eventMentions), so it runs here rather than in SQL.
class JournalReader {
public:
    // Where an event stands in the reading order.
    struct Position {
        QString timeUtc;  // as stored
        int64_t id = 0;
        bool operator==(const Position&) const = default;
    };
    static Position positionOf(const JournalEvent& event);

    JournalReader(QString path, QString connectionName);
    ~JournalReader();
    JournalReader(const JournalReader&) = delete;
    JournalReader& operator=(const JournalReader&) = delete;

    // False, with errorText set, when the file is missing or holds no journal.
    bool open();
    bool isOpen() const { return open_; }
    const QString& path() const { return path_; }
    const QString& errorText() const { return error_; }

    // Up to `count` events matching filter below the position `below`
    // (from the newest when empty) and not below `atLeast` (to the oldest
    // when empty), newest first. Empty on failure, with errorText set.
    std::vector<JournalEvent> page(const JournalFilter& filter, int count,
                                   std::optional<Position> below = std::nullopt,
                                   std::optional<Position> atLeast = std::nullopt);
    // The position `rows` events below `below` among those of the filter's
    // kinds and time range (its text aside): the bound of a search step
    // that reads that many; empty when fewer are left, or on failure.
    std::optional<Position> positionBelow(const JournalFilter& filter, std::optional<Position> below, int64_t rows);
    // Up to `count` events matching filter with ids above `above`, in the
    // order they were written: what was written since a reader's newest id.
    std::vector<JournalEvent> newer(const JournalFilter& filter, int64_t above, int count);
    // The oldest and newest ids in the file (both 0 when it holds none), or
    // nothing on failure.
    struct IdRange {
        int64_t oldest = 0;
        int64_t newest = 0;
    };
    std::optional<IdRange> ids();
    // How many events match, or nothing on failure.
    std::optional<int64_t> count(const JournalFilter& filter);
    // Whether the last page, newer() or count() failed.
    bool failed() const { return !error_.isEmpty(); }

private:
    std::vector<JournalEvent> select(const JournalFilter& filter, const QStringList& conditions,
                                     const QVariantList& values, const QString& order, int count);
    bool run(QSqlQuery& query);

    QString path_;
    QString connectionName_;
    QString error_;
    bool open_ = false;
};
