#pragma once

#include <QObject>

class Clock;
class JournalStore;
class StatusIndicator;

// Shows in the status bar, as the history file's failure is shown, that the
// journal cannot be written: the field appears with the failure and goes
// when the journal is written again (its held events then follow).
class JournalStatus : public QObject {
    Q_OBJECT

public:
    JournalStatus(JournalStore& journal, const Clock& clock, StatusIndicator& indicator, QObject* parent = nullptr);

    void showCurrent();

private:
    JournalStore& journal_;
    const Clock& clock_;
    StatusIndicator& indicator_;
};
