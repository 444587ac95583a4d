#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include <QString>

#include "journal/JournalEvent.h"
#include "journal/JournalFilter.h"

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

    bool open();
    const QString& errorText() const { return error_; }

    // Up to `count` events matching filter with ids below `below` (all when
    // empty), newest first. Empty on failure, with errorText set.
    std::vector<JournalEvent> page(const JournalFilter& filter, int count,
                                   std::optional<int64_t> below = std::nullopt);
    // How many events match, or nothing on failure.
    std::optional<int64_t> count(const JournalFilter& filter);

private:
    QString path_;
    QString connectionName_;
    QString error_;
};
