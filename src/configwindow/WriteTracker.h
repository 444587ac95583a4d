#pragma once

#include <cstdint>
#include <map>
#include <optional>

#include <QDateTime>
#include <QString>

struct WriteOutcome;

// How the writes of each parameter's register went, whoever asked for them:
// this window, a parameter-set download or another window. A failure stays
// on show until a later write of the same parameter succeeds: an operator
// who looked away must still see that the instrument did not take the
// value. A success stays "written" only while the poll, reading after it,
// finds the value written: a value changed since is no longer the one
// written.
class WriteTracker {
public:
    enum class State { None, Pending, Written, Failed };

    // This window asked for a write of the parameter.
    void queued(int number);
    // A write of the parameter's register ended; `asked` when this window
    // asked for it, `at` when the outcome arrived. False, and nothing
    // changed, for one of this window's with none on its way.
    bool finished(int number, const WriteOutcome& outcome, bool asked, const QDateTime& at);
    // The poll read `value` (the register's) in a read that began after
    // `readSince`; an invalid `readSince` says nothing of when.
    void read(int number, int32_t value, const QDateTime& readSince);

    State state(int number) const;
    // Why the last failed write of the parameter failed.
    QString error(int number) const;
    // No write of the parameter is on its way or has succeeded without a
    // read since: the value last read is what the instrument holds.
    bool settled(int number) const;

private:
    struct Row {
        int pending = 0;
        bool failed = false;
        QString error;
        std::optional<int32_t> written;  // the value of the last successful write, while it holds
        QDateTime writtenAt;
        bool readSince = false;          // a read after that write has been seen
    };

    std::map<int, Row> rows_;
};
