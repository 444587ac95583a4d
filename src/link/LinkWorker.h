#pragma once

#include <memory>

#include <QObject>

#include "link/Fieldbus.h"
#include "link/PollBlock.h"

// Runs every fieldbus call of the station on the link thread, one at a time.
// Work arrives as queued calls (QueuedCall) and runs in the order it was posted. A poll
// cycle is not one long call: each read is its own queued step, so an
// operator write posted while a cycle runs is served at the next gap between
// two reads instead of waiting for the whole cycle.
//
// Never touches the process image or any widget: results leave by value
// through queued signals.
class LinkWorker : public QObject {
    Q_OBJECT

public:
    explicit LinkWorker(std::unique_ptr<Fieldbus> fieldbus);
    ~LinkWorker() override;

    void openPort(int port, int baudCode, int parityCode);
    void closePort(int port);
    void startPollCycle(int cycle, int port, int address);
    void writeRegister(quint64 id, int port, int address, int registerAddress, int value);
    void writeCoil(quint64 id, int port, int address, int coil, bool on);
    // Closes the port for good before the thread ends.
    void shutdown();

protected:
    bool event(QEvent* event) override;

signals:
    void portOpened(bool ok, const QString& error);
    void blockRead(const PollBlock& block);
    void cycleFinished(const CycleReport& report);
    void writeFinished(const WriteOutcome& outcome);

private:
    void runNextRead();
    void finishCycle(bool aborted);
    int performRead(int planIndex);

    std::unique_ptr<Fieldbus> fieldbus_;
    bool portWanted_ = false;

    // The cycle in progress, if any.
    bool cycleActive_ = false;
    int cyclePort_ = 0;
    int cycleAddress_ = 0;
    int nextRead_ = 0;
    PollBlock block_;
    CycleReport report_;
};
