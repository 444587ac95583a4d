#pragma once

#include <optional>

#include <sys/types.h>

#include <QString>

// Which file a path names, by device and inode. A file renamed over the
// path, or a new one made after the old was deleted, is another file; the
// old one stays open for whoever holds it, without a name. One stat().
class HistoryFileIdentity {
public:
    // Empty when nothing is at the path.
    static std::optional<HistoryFileIdentity> at(const QString& path);

    bool operator==(const HistoryFileIdentity&) const = default;

private:
    HistoryFileIdentity(dev_t device, ino_t inode)
        : device_(device)
        , inode_(inode)
    {
    }

    dev_t device_;
    ino_t inode_;
};
