#pragma once

#include <QString>

class Clock;
class JournalSink;
struct WriteOutcome;

// One event per operator write, once its outcome is known (after the
// link's one repeat): what was written where, the value the window showed
// before and the value as the operator typed it, ok or failed with why,
// the window it came from, and who did it on which computer.
class WriteJournal {
public:
    WriteJournal(JournalSink& sink, const Clock& clock, QString user, QString host);

    // source names the instrument written to (port and address).
    void finished(const WriteOutcome& outcome, const QString& source);

private:
    JournalSink& sink_;
    const Clock& clock_;
    QString user_;
    QString host_;
};
