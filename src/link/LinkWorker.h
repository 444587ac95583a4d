#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include <QObject>

#include "link/Fieldbus.h"
#include "link/PollBlock.h"

// Runs every fieldbus call of the station on the link thread, one at a time.
// Work arrives as queued calls (QueuedCall) and runs in the order it was
// posted. A poll cycle is not one long call: each read is its own queued
// step, so an operator write posted while a cycle runs is served at the next
// gap between two reads instead of waiting for the whole cycle.
//
// Never touches the instrument state or any widget: results leave by value
// through signals. Every request and its outcome is traced on linkLog.
class LinkWorker : public QObject {
    Q_OBJECT

public:
    explicit LinkWorker(std::unique_ptr<Fieldbus> fieldbus);
    ~LinkWorker() override;

    void open(const LinkSettings& settings);
    void close();
    void startCycle(int cycle);
    void writeRegister(quint64 id, int registerNumber, int value);
    void writeCoil(quint64 id, int coil, bool on);
    // Holding registers start..start+count-1.
    void readRegisters(quint64 id, int start, int count);
    // Closes the port for good before the thread ends.
    void shutdown();

protected:
    bool event(QEvent* event) override;

signals:
    void portOpened(bool ok, const QString& error, const LinkFailure& failure);
    void blockRead(const PollBlock& block);
    void cycleFinished(const CycleReport& report);
    // attempts is 2 when a failed register write was repeated.
    void writeFinished(quint64 id, bool ok, int attempts, const QString& error, const LinkFailure& failure);
    void registersRead(quint64 id, bool ok, const QString& error, const LinkFailure& failure,
                       const std::vector<int16_t>& values);

private:
    void runNextRead();
    void finishCycle(bool aborted);
    FieldbusResult performRead(int planIndex);

    std::unique_ptr<Fieldbus> fieldbus_;
    bool portWanted_ = false;

    // The cycle in progress, if any.
    bool cycleActive_ = false;
    int nextRead_ = 0;
    PollBlock block_;
    CycleReport report_;
};
