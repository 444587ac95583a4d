#pragma once

#include <cstdint>

#include <QObject>
#include <QString>

#include "link/WriteRequest.h"

class InstrumentLink;

// What the journal keeps of a write besides its value: what the window
// showed before, the value as the operator typed or chose it, and where.
struct WriteShown {
    QString before;
    QString typed;
    QString origin;
};

// The main window's writes to the instrument: the set value, the manual
// output value, the alarm registers and the three coil switches. Each goes
// through the link thread, so a click never waits for the line; the link
// repeats a failed register write once.
//
// The main window's status bar is where a write the instrument never took
// is told when no other window can tell it: failed() carries the failures
// of our own writes and of writes whose asking window has closed or gone
// since (a configuration write still on its way when the operator returned).
class OperatorWrites : public QObject {
    Q_OBJECT

public:
    explicit OperatorWrites(InstrumentLink& link, QObject* parent = nullptr);

    // what names the write as the operator knows it.
    void writeRegister(int registerNumber, int32_t value, const QString& what, const WriteShown& shown);
    void switchCoil(int coil, bool on, const QString& what, const WriteShown& shown);

    // Our writes queued and not yet answered.
    int pending() const { return pending_; }

signals:
    void failed(const WriteOutcome& outcome);
    // Our own writes the instrument took.
    void succeeded(const WriteOutcome& outcome);

private:
    void onWriteFinished(const WriteOutcome& outcome);
    bool toldByItsAsker(const WriteOutcome& outcome) const;

    InstrumentLink& link_;
    int pending_ = 0;
};
