#pragma once

#include <QDateTime>
#include <QString>

class JournalSink;

// Forwarding to the central server in the journal: one event when an
// episode begins (its cause as a code in "what", the server's reason as
// the text), one when the server holds everything
// again. The events are forwarded too, once the server takes them, so the
// central journal shows its own gaps.
class HistorianJournal {
public:
    // server: the connection as it may be shown, without a password.
    HistorianJournal(JournalSink& sink, QString server);

    // cause: a StoredForms::forwardingCause code, or empty.
    void failing(const QDateTime& since, const QString& cause, const QString& reason);
    void resumed(const QDateTime& at);

private:
    JournalSink& sink_;
    QString server_;
    bool failing_ = false;
};
