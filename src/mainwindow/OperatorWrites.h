#pragma once

#include <cstdint>
#include <map>

#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QString>

#include "link/WriteRequest.h"

class Clock;
class InstrumentEntry;
class InstrumentLink;
class QPushButton;

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
// Writes need the open link: the window says when it opens and closes
// (setLinkOpen), and the panels disable their write buttons meanwhile
// (showLinkNeed) and send nothing. An entry whose value was written is
// marked so (InstrumentEntry::markWritten) once the instrument took it, so
// that it follows the instrument again from the read-back on; after a
// failure it keeps the operator's text.
//
// The main window's status bar is where a write the instrument never took
// is told when no other window can tell it: failed() carries the failures
// of our own writes and of writes whose asking window has closed or gone
// since (a configuration write still on its way when the operator returned).
class OperatorWrites : public QObject {
    Q_OBJECT

public:
    OperatorWrites(InstrumentLink& link, const Clock& clock, QObject* parent = nullptr);

    void setLinkOpen(bool open);
    bool linkOpen() const { return linkOpen_; }

    // what names the write as the operator knows it; `entry` is the entry
    // the value came from, if any.
    void writeRegister(int registerNumber, int32_t value, const QString& what, const WriteShown& shown,
                       InstrumentEntry* entry = nullptr);
    void switchCoil(int coil, bool on, const QString& what, const WriteShown& shown);

    // Our writes queued and not yet answered.
    int pending() const { return pending_; }

signals:
    void failed(const WriteOutcome& outcome);
    // Our own writes the instrument took.
    void succeeded(const WriteOutcome& outcome);
    void linkOpenChanged(bool open);

private:
    void onWriteFinished(const WriteOutcome& outcome);
    bool toldByItsAsker(const WriteOutcome& outcome) const;
    void markEntryWritten(const WriteRequest& request);

    InstrumentLink& link_;
    const Clock& clock_;
    int pending_ = 0;
    bool linkOpen_ = false;
    std::map<int, QPointer<InstrumentEntry>> entries_;  // by register, of the writes on their way
};

// A button that writes: usable only while the link is open, and saying so.
void showLinkNeed(QPushButton& button, bool linkOpen);
