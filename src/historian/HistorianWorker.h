#pragma once

#include <atomic>
#include <memory>

#include <QObject>

#include "historian/HistorianSettings.h"

class ConnectionBreaker;
class HistorianForwarder;
class HistorianPass;
class QTimer;

// The forwarder's side on its thread: runs the passes, times the next one
// and hands each change of health back. Reached only through queued calls
// (link/QueuedCall.h), which ThreadSanitizer can follow.
class HistorianWorker : public QObject {
    Q_OBJECT
public:
    HistorianWorker(HistorianSettings settings, HistorianForwarder& forwarder, const std::atomic<bool>& stopping,
                    ConnectionBreaker& breaker);
    ~HistorianWorker() override;

    void begin();
    void setPort(const QString& port);
    // The last pass, then everything the thread holds is let go.
    void finish();

protected:
    bool event(QEvent* event) override;

private:
    void turn();
    void reportIfChanged();

    HistorianSettings settings_;
    HistorianForwarder& forwarder_;
    const std::atomic<bool>& stopping_;
    ConnectionBreaker& breaker_;
    std::unique_ptr<HistorianPass> pass_;
    QTimer* timer_ = nullptr;
    int retryMs_ = 0;
};
