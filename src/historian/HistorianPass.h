#pragma once

#include <chrono>

#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QString>

#include "historian/HistorianCursor.h"
#include "historian/HistorianHealth.h"
#include "historian/HistorianOutbox.h"
#include "historian/HistorianSettings.h"

// One forwarding pass, run on the forwarder's thread: connects when not
// connected, checks the server's schema version, then sends batch after
// batch from the confirmed position until the outbox is empty or something
// fails. The position moves only after the server's commit, so a failure
// anywhere leaves it on the last confirmed row.
//
// The position is a moment, so a sample archived later under an earlier
// moment would be passed over. The first pass, and then one every
// recountInterval, compares each month file's count of samples at or
// before the position with the count the server confirmed, and sends a
// month that holds more again, up to the position, before going on.
class HistorianPass {
public:
    // Counting a full month file takes about 0.1 s: not on every pass.
    static constexpr std::chrono::milliseconds kRecountInterval = std::chrono::minutes(5);

    explicit HistorianPass(HistorianSettings settings,
                           std::chrono::milliseconds recountInterval = kRecountInterval);
    ~HistorianPass();
    HistorianPass(const HistorianPass&) = delete;
    HistorianPass& operator=(const HistorianPass&) = delete;

    // True when everything waiting is on the server. health() says how the
    // pass went; healthChanged() whether that is news (once per episode).
    bool run();
    const HistorianHealth& health() const { return health_; }
    bool healthChanged() const { return healthChanged_; }
    const HistorianCursor& cursor() const { return cursor_; }

    // Creates the schema on the server (as its owner); false with a reason.
    bool initialiseServer(QString* error);

private:
    QSqlDatabase database() const;
    bool open(QString* error);
    bool connect(QString* error);
    void disconnect();
    bool sendSamplesBehind(QString* error);
    bool sendMonthAgain(const QString& monthFile, qint64 upToUtcMs, QString* error);
    bool sendSamples(QString* error);
    bool sendEvents(QString* error);
    bool confirm(QString* error);

    HistorianSettings settings_;
    std::chrono::milliseconds recountInterval_;
    QElapsedTimer recounted_;  // invalid until the first recount
    QString target_;
    QString connectionName_;
    bool connected_ = false;
    HistorianOutbox outbox_;
    HistorianCursor cursor_;
    HistorianHealth health_;
    bool healthChanged_ = false;
};
