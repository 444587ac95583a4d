#pragma once

#include <chrono>
#include <map>
#include <memory>

#include <QObject>
#include <QThread>

#include "link/Fieldbus.h"
#include "link/LinkSettings.h"
#include "link/PollBlock.h"
#include "link/RegisterReading.h"
#include "link/WriteRequest.h"

class LinkWorker;
class ResultRelay;

// The user-interface side of the link thread. Every fieldbus call is posted
// to one worker on its own thread and runs there in posting order, so the
// window never waits for the serial line and no two calls ever overlap.
// Results arrive as signals on the thread that owns this object.
class InstrumentLink : public QObject {
    Q_OBJECT

public:
    explicit InstrumentLink(std::unique_ptr<Fieldbus> fieldbus, QObject* parent = nullptr);
    // Closes the port on the link thread after the calls already queued and
    // ends the thread, waiting at most the stop wait (ten seconds unless set).
    ~InstrumentLink() override;

    void setStopWait(std::chrono::milliseconds wait) { stopWait_ = wait; }

    // Every call after this one goes to the port and module these name.
    void open(const LinkSettings& settings);
    void close();
    // The settings of the last open, kept after a close.
    const LinkSettings& settings() const { return settings_; }

    void startPollCycle(int cycle);

    // Queued; its outcome comes back in writeFinished, with the request.
    void write(const WriteRequest& request);

    // Queued like a write, between two reads of a poll cycle; its values
    // come back in registersRead. At most 125 registers.
    void readRegisters(int start, int count, QObject* asker);

protected:
    bool event(QEvent* event) override;

signals:
    void portOpened(bool ok, const QString& error, const LinkFailure& failure);
    void blockRead(const PollBlock& block);
    void cycleFinished(const CycleReport& report);
    void writeFinished(const WriteOutcome& outcome);
    void registersRead(const RegisterReading& reading);

private:
    void onWriteFinished(quint64 id, bool ok, int attempts, const QString& error, const LinkFailure& failure);
    void onRegistersRead(quint64 id, bool ok, const QString& error, const LinkFailure& failure,
                         const std::vector<int16_t>& values);

    QThread* thread_ = nullptr;     // owned; leaked only if it cannot be stopped
    LinkWorker* worker_ = nullptr;  // lives on thread_, deleted when it ends
    std::shared_ptr<ResultRelay> relay_;  // shared with the worker's connections
    std::chrono::milliseconds stopWait_{10000};
    LinkSettings settings_;
    // The one place a write's outcome meets its request again; the link
    // thread only ever sees the number.
    std::map<quint64, WriteRequest> writesInFlight_;
    quint64 lastWriteNumber_ = 0;
    std::map<quint64, RegisterReading> readsInFlight_;
    quint64 lastReadNumber_ = 0;
};
