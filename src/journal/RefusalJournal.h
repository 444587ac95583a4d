#pragma once

#include <optional>

#include <QDateTime>
#include <QObject>
#include <QTimer>

class Clock;
class JournalSink;

// Refused entries are not journaled one by one (an operator typing at a
// field could fill the journal): each minute of the clock that had
// refusals gives one event with their count, when the minute is over.
class RefusalJournal : public QObject {
    Q_OBJECT

public:
    RefusalJournal(JournalSink& sink, const Clock& clock, QObject* parent = nullptr);
    ~RefusalJournal() override;

    // An entry was refused now.
    void refused();
    // Journals the count of a minute that is over; the timer calls it, a
    // test with a stepped clock may call it instead.
    void publishDue();
    // Journals what the current minute has so far, at the end.
    void publishNow();

private:
    void publish();
    void armTimer();

    JournalSink& sink_;
    const Clock& clock_;
    QTimer timer_;
    std::optional<QDateTime> minute_;  // the start of the minute being counted
    int count_ = 0;
};
