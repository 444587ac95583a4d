#pragma once

#include <memory>
#include <optional>

#include <QObject>
#include <QString>

#include "core/StationLock.h"
#include "link/LinkSettings.h"
#include "link/PortDevices.h"

class InstrumentLink;
class Poller;

// What the operator chose in the link settings: the texts of the port and
// address lists and the indexes of the chosen baud and parity buttons
// (-1 when none is chosen, which keeps the code of the last open).
struct LinkChoices {
    QString portText = QStringLiteral("1 ");
    int baudIndex = 1;
    int parityIndex = 0;
    QString addressText = QStringLiteral("1 ");

    // The settings these choices make of the last ones: a list text counts
    // by its leading number, and one that does not fit keeps its setting.
    LinkSettings appliedTo(LinkSettings settings) const;
};

// A port whose serial device another station (or a probe) holds.
struct DeviceRefusal {
    int port = 0;
    QString device;
    LockHolder holder;
};

// Opening and closing the link: the port is opened on the link thread and
// the poll starts; closing reverses it. The window hides and shows its
// settings frames around these calls.
//
// With lockDevices() the device of the port is taken here, on this thread,
// before the open is queued: a refusal then leaves the link exactly as it
// was (nothing queued, the poll not started) and is known at once, where a
// refusal from the link thread would arrive after the poll had started and
// the fieldbus had begun retrying. The lock is kept until close() or the
// open of another device, and follows the device while the port is open
// (followDevice()).
class PortConnection : public QObject {
    Q_OBJECT

public:
    PortConnection(InstrumentLink& link, Poller& poll, QObject* parent = nullptr);
    ~PortConnection() override;

    // From now on every open takes its device's lock first. Without it
    // (a fake fieldbus in tests) nothing is locked.
    void lockDevices(const PortDevices& devices);
    // Takes the lock of the port's device ahead of the open (the start-up
    // checks its --connect port before anything shows); the refusal when
    // another process holds it. A device lock that cannot be made at all is
    // logged and the port opens without it.
    std::optional<DeviceRefusal> claimDevice(int port);
    // The serial device of the port as lockDevices() was told it; empty
    // without (a fake fieldbus).
    QString device(int port) const;

    // False, with refused(), when another process holds the device.
    bool open(const LinkChoices& choices);
    bool open(const LinkSettings& settings);
    void close();
    bool isOpen() const;

    // After every poll cycle: the lock names the device the port leads to
    // now. A device that went away (an adapter unplugged, a simulator ended)
    // is in use no more, and its number may go to another station's device;
    // one the port leads to again is claimed anew, and when another station
    // holds it meanwhile the port closes with refused().
    void followDevice();

signals:
    // After the port call was queued and before the poll starts: the window
    // enables the commands that need the instrument here.
    void opened();
    void closed();
    void refused(const DeviceRefusal& refusal);

private:
    InstrumentLink& link_;
    Poller& poll_;
    std::optional<PortDevices> devices_;
    std::unique_ptr<StationLock> deviceLock_;
    QString unlockablePath_;  // its lock file could not be made: not tried again each cycle
};
