#pragma once

#include <functional>

#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QString>

#include "historian/HistorianCursor.h"
#include "historian/HistorianHealth.h"
#include "historian/HistorianOutbox.h"
#include "historian/HistorianSettings.h"

class ConnectionBreaker;

// One forwarding pass, run on the forwarder's thread: connects when not
// connected, checks the server's schema version, then sends batch after
// batch from the confirmed position until the outbox is empty or something
// fails. The position moves only after the server's commit, so a failure
// anywhere leaves it on the last confirmed row.
//
// The position is a moment, so a sample archived later under an earlier
// moment would be passed over. The first pass, and then one every
// recountMs, compares each month file's count of samples at or
// before the position with the count the server confirmed, and sends a
// month that holds more again, up to the position, before going on.
class HistorianPass {
public:
    // The breaker, when given, learns each connection the pass opens.
    explicit HistorianPass(HistorianSettings settings, ConnectionBreaker* breaker = nullptr);
    ~HistorianPass();
    HistorianPass(const HistorianPass&) = delete;
    HistorianPass& operator=(const HistorianPass&) = delete;

    enum class Outcome {
        Sent,         // everything waiting is on the server
        Interrupted,  // keepGoing said stop between two batches
        Failed,       // see health()
    };
    // keepGoing is asked before each batch. health() says how the pass went;
    // healthChanged() whether that is news (once per episode).
    Outcome run(const std::function<bool()>& keepGoing = [] { return true; });
    // The line samples are tagged with from the next batch on.
    void setPort(const QString& port) { settings_.port = port; }
    const HistorianHealth& health() const { return health_; }
    bool healthChanged() const { return healthChanged_; }
    const HistorianCursor& cursor() const { return cursor_; }

    // Creates the schema on the server (as its owner); false with a reason.
    bool initialiseServer(QString* error);

private:
    QSqlDatabase database() const;
    bool open(ForwardingFailure* failure);
    bool connect(ForwardingFailure* failure);
    void disconnect();
    enum class Step { Done, More, Failed };
    void recount();
    // Each sends one batch; keepGoing is asked between them.
    Step sendSamplesBehind(ForwardingFailure* failure);
    Step sendSamples(ForwardingFailure* failure);
    Step sendEvents(ForwardingFailure* failure);
    bool confirm(ForwardingFailure* failure);

    HistorianSettings settings_;
    ConnectionBreaker* breaker_;
    QElapsedTimer recounted_;  // invalid until the first recount
    QString target_;
    QString connectionName_;
    bool connected_ = false;
    bool initialised_ = false;
    // A month being sent again: its file, the moment sent up to and the
    // count to confirm once it is through. Empty between recounts.
    struct Resend {
        QString monthFile;
        qint64 after = 0;
        qint64 upTo = 0;
        qint64 count = 0;
    };
    QList<Resend> resends_;
    HistorianOutbox outbox_;
    HistorianCursor cursor_;
    HistorianHealth health_;
    bool healthChanged_ = false;
};
