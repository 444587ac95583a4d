#pragma once

#include <memory>

#include <QObject>
#include <QThread>

#include "historian/HistorianHealth.h"
#include "historian/HistorianSettings.h"

class HistorianPass;
class QTimer;

// Forwards the station's samples and events to the central server on a
// thread of its own with its own connection: the recorder and the windows
// never wait for the server. After everything waiting is sent it looks
// again every idleMs; after a failure it retries after firstRetryMs,
// doubling up to maxRetryMs.
class HistorianForwarder : public QObject {
    Q_OBJECT
public:
    explicit HistorianForwarder(HistorianSettings settings, QObject* parent = nullptr);
    // Waits for a pass under way to end.
    ~HistorianForwarder() override;

    void start();
    void stop();
    // As last reported, on the owner's thread.
    const HistorianHealth& health() const { return health_; }

signals:
    // Once per change of state or reason.
    void healthChanged(const HistorianHealth& health);
    // Delivered on the forwarder's thread; for the owner's thread use
    // healthChanged.
    void passHealthChanged(const HistorianHealth& health);

private:
    void startOnThread();
    void turn();

    HistorianSettings settings_;
    HistorianHealth health_;
    QThread thread_;
    QObject* context_ = nullptr;  // lives on thread_
    // Used on thread_ only.
    std::unique_ptr<HistorianPass> pass_;
    QTimer* timer_ = nullptr;
    int retryMs_ = 0;
};
