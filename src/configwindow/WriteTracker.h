#pragma once

#include <map>
#include <optional>

#include <QString>

// Which parameter each queued write belongs to and how that parameter's
// writes went. A failure stays on show until a later write of the same
// parameter succeeds: an operator who looked away must still see that the
// instrument did not take the value.
class WriteTracker {
public:
    enum class State { None, Pending, Written, Failed };

    void queued(quint64 id, int number);
    // The parameter the write belonged to; empty for an id this tracker did
    // not queue (the link also carries the main window's writes).
    std::optional<int> finished(quint64 id, bool ok, const QString& error);

    // Writes queued and not yet answered: id and parameter number.
    const std::map<quint64, int>& inFlight() const { return inFlight_; }

    State state(int number) const;
    // Why the last failed write of the parameter failed.
    QString error(int number) const;

private:
    struct Row {
        int pending = 0;
        bool written = false;
        bool failed = false;
        QString error;
    };

    std::map<quint64, int> inFlight_;
    std::map<int, Row> rows_;
};
