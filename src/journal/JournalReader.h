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
// creating the file. Newest first, a page at a time: each page starts below
// the id the last one ended at, so paging stays fast on a full journal and
// an event written meanwhile never shifts a page.
class JournalReader {
public:
    JournalReader(QString path, QString connectionName);
    ~JournalReader();
    JournalReader(const JournalReader&) = delete;
    JournalReader& operator=(const JournalReader&) = delete;

    // False, with errorText set, when the file is missing or holds no journal.
    bool open();
    bool isOpen() const { return open_; }
    const QString& path() const { return path_; }
    const QString& errorText() const { return error_; }

    // Up to `count` events matching filter with ids below `below` (all when
    // empty) and not below `atLeast` (none when empty), newest first. Empty
    // on failure, with errorText set.
    std::vector<JournalEvent> page(const JournalFilter& filter, int count,
                                   std::optional<int64_t> below = std::nullopt,
                                   std::optional<int64_t> atLeast = std::nullopt);
    // Up to `count` events matching filter with ids above `above`, oldest
    // first: what was written since a reader's newest event.
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
    std::vector<JournalEvent> select(const JournalFilter& filter, const QStringList& idConditions,
                                     const QVariantList& ids, const QString& order, int count);
    bool run(QSqlQuery& query);

    QString path_;
    QString connectionName_;
    QString error_;
    bool open_ = false;
};
