#pragma once

#include <cstdint>
#include <map>

#include <QObject>
#include <QString>

#include "link/PollBlock.h"

class InstrumentLink;
struct ProcessImage;

// The main window's writes to the instrument: the set value, the manual
// output value, the alarm registers and the three coil switches. Each goes
// to the port and module address of linkSettings through the link thread,
// so a click never waits for the line; a register value is staged in
// linkSettings(24) first, as every panel write is. The link repeats a
// failed register write once; what still fails is reported here, named as
// the operator knows it, so the window can say which command was lost.
class OperatorWrites : public QObject {
    Q_OBJECT

public:
    OperatorWrites(ProcessImage& image, InstrumentLink& link, QObject* parent = nullptr);

    void writeRegister(int registerAddress, int32_t value, const QString& what);
    void switchCoil(int coil, bool on, const QString& what);
    // A write another window queued and closed before it was answered: its
    // failure is reported here like one of ours.
    void adopt(quint64 id, const QString& what);

    // Writes queued and not yet answered.
    int pending() const { return static_cast<int>(pending_.size()); }

signals:
    void failed(const QString& what, const WriteOutcome& outcome);

private:
    void onWriteFinished(const WriteOutcome& outcome);

    ProcessImage& image_;
    InstrumentLink& link_;
    // Other windows write through the same link: only our own ids count.
    std::map<quint64, QString> pending_;
};
