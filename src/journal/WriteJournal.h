#pragma once

#include <QString>

class Clock;
class JournalSink;
struct WriteOutcome;

// One event per operator write, once its outcome is known (after the
// link's one repeat): the register or coil written on which instrument,
// the value before and after (a number as the window showed it and as the
// operator typed it, a list's code, a coil's on or off), ok or failed with
// the link's reason, the window's code, and who did it on which computer.
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
