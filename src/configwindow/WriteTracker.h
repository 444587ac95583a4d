#pragma once

#include <map>

#include <QString>

// How each parameter's writes went. A failure stays on show until a later
// write of the same parameter succeeds: an operator who looked away must
// still see that the instrument did not take the value.
class WriteTracker {
public:
    enum class State { None, Pending, Written, Failed };

    void queued(int number);
    // False, and nothing changed, when the parameter has no write on its way.
    bool finished(int number, bool ok, const QString& error);

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

    std::map<int, Row> rows_;
};
