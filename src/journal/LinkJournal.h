#pragma once

#include <QString>

class Clock;
class JournalSink;
class LinkHealth;

// The link's story in the journal: opened and closed as the operator does
// it, and each failure episode as one "failing" event (from when, why in the
// operator's words with the link's own reason, the last answer before it)
// and one "recovered" when every call answers again. An episode the
// operator ends by closing the link did not recover and gets no "recovered".
class LinkJournal {
public:
    LinkJournal(JournalSink& sink, const Clock& clock);

    void opened(const QString& source);
    void closed();
    // After every poll cycle and every open or close.
    void healthChanged(const LinkHealth& health);

private:
    JournalSink& sink_;
    const Clock& clock_;
    QString source_;
    bool failing_ = false;
};
