#pragma once

#include <memory>

#include <QObject>
#include <QThread>

#include "link/Fieldbus.h"
#include "link/PollBlock.h"

class LinkWorker;

// The user-interface side of the link thread. Every fieldbus call is posted
// to one worker on its own thread and runs there in posting order, so the
// window never waits for the serial line and no two calls ever overlap.
// Results arrive as signals on the thread that owns this object.
class InstrumentLink : public QObject {
    Q_OBJECT

public:
    explicit InstrumentLink(std::unique_ptr<Fieldbus> fieldbus, QObject* parent = nullptr);
    // Closes the port on the link thread after the calls already queued and
    // ends the thread, waiting at most ten seconds.
    ~InstrumentLink() override;

    void openPort(int port, int baudCode, int parityCode);
    void closePort(int port);
    void startPollCycle(int cycle, int port, int address);

    // Queued operator writes; the returned id comes back in writeFinished.
    quint64 writeRegister(int port, int address, int registerAddress, int value);
    quint64 setCoil(int port, int address, int coil);
    quint64 resetCoil(int port, int address, int coil);

protected:
    bool event(QEvent* event) override;

signals:
    void portOpened(bool ok, const QString& error);
    void blockRead(const PollBlock& block);
    void cycleFinished(const CycleReport& report);
    void writeFinished(const WriteOutcome& outcome);

private:
    QThread* thread_ = nullptr;     // owned; leaked only if it cannot be stopped
    LinkWorker* worker_ = nullptr;  // lives on thread_, deleted when it ends
    quint64 nextWriteId_ = 0;
};
