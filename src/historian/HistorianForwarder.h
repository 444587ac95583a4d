#pragma once

#include <atomic>

#include <QObject>

#include "historian/ConnectionBreaker.h"
#include "historian/HistorianHealth.h"
#include "historian/HistorianSettings.h"

class HistorianWorker;
class QThread;
class QTimer;

// Forwards the station's samples and events to the central server on a
// thread of its own with its own connection: the recorder and the windows
// never wait for the server. After everything waiting is sent it looks
// again every idleMs; after a failure it retries after firstRetryMs,
// doubling up to maxRetryMs. A batch the server leaves unanswered past its
// statement time-out and silenceGraceMs has its connection broken, which
// fails the pass and reports the episode like any other.
class HistorianForwarder : public QObject {
    Q_OBJECT
public:
    explicit HistorianForwarder(HistorianSettings settings, QObject* parent = nullptr);
    ~HistorianForwarder() override;

    void start();
    // Ends forwarding. A pass under way ends after its batch; then, unless
    // the server is failing, one last pass of at most finalPassMs sends
    // what the archive's last flush wrote, so a station that exits leaves
    // the server complete. A server that stops answering holds it no longer
    // than stopWaitMs: then the connection is broken under the pass.
    void stop();
    // The line samples are tagged with from the next batch on.
    void setPort(const QString& port);

    const HistorianSettings& settings() const { return settings_; }
    // As last reported.
    const HistorianHealth& health() const { return health_; }

signals:
    // Once per change of state or reason.
    void healthChanged(const HistorianHealth& health);

protected:
    bool event(QEvent* event) override;

private:
    friend class HistorianWorker;
    void report(const HistorianHealth& health);
    void watchSilence();

    HistorianSettings settings_;
    HistorianHealth health_;
    QThread* thread_ = nullptr;
    HistorianWorker* worker_ = nullptr;
    // Read by the pass between batches.
    std::atomic<bool> stopping_{false};
    ConnectionBreaker breaker_;
    QTimer* silenceWatch_ = nullptr;
};
