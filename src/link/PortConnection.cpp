#include "link/PortConnection.h"

#include <QFileInfo>

#include "core/NumericText.h"
#include "core/WholeNumber.h"
#include "link/InstrumentLink.h"
#include "link/LinkLog.h"
#include "link/Poller.h"

namespace {

// A list text as a whole number; a value that does not fit is not taken.
void takeNumber(int& setting, const QString& text)
{
    if (const auto value = toInt32(numericValue(text)))
        setting = *value;
}

} // namespace

LinkSettings LinkChoices::appliedTo(LinkSettings settings) const
{
    takeNumber(settings.port, portText);
    if (baudIndex >= 0 && baudIndex <= 2)
        settings.baudCode = baudIndex;
    if (parityIndex >= 0 && parityIndex <= 2)
        settings.parityCode = parityIndex;
    takeNumber(settings.moduleAddress, addressText);
    return settings;
}

PortConnection::PortConnection(InstrumentLink& link, Poller& poll, QObject* parent)
    : QObject(parent)
    , link_(link)
    , poll_(poll)
{
    connect(&poll_, &Poller::cycleFinished, this, &PortConnection::followDevice);
}

PortConnection::~PortConnection() = default;

void PortConnection::lockDevices(const PortDevices& devices)
{
    devices_ = devices;
}

QString PortConnection::device(int port) const
{
    if (!devices_)
        return {};
    return QString::fromStdString(devices_->devicePath(port).value_or(std::string()));
}

std::optional<DeviceRefusal> PortConnection::claimDevice(int port)
{
    if (!devices_)
        return std::nullopt;
    const auto device = devices_->devicePath(port);
    if (!device) {
        // The open fails on the link thread and leaves the old device.
        deviceLock_.reset();
        return std::nullopt;
    }
    const QString devicePath = QString::fromStdString(*device);
    const QString lockPath = StationLock::pathForDevice(devicePath);
    if (deviceLock_ && deviceLock_->path() == lockPath)
        return std::nullopt;
    auto lock = std::make_unique<StationLock>(lockPath);
    switch (lock->take()) {
    case StationLock::Outcome::Held:
        qCWarning(linkLog).noquote() << QStringLiteral("port %1 refused: %2 is held by %3")
                                            .arg(port).arg(devicePath, lock->holder().text());
        return DeviceRefusal{port, devicePath, lock->holder()};
    case StationLock::Outcome::Failed:
        qCWarning(linkLog).noquote() << QStringLiteral("port %1 opens without its device lock: %2")
                                            .arg(port).arg(lock->error());
        unlockablePath_ = lockPath;
        lock.reset();
        break;
    case StationLock::Outcome::Taken:
        break;
    }
    deviceLock_ = std::move(lock);
    return std::nullopt;
}

bool PortConnection::open(const LinkChoices& choices)
{
    return open(choices.appliedTo(link_.settings()));
}

bool PortConnection::open(const LinkSettings& settings)
{
    if (const auto refusal = claimDevice(settings.port)) {
        emit refused(*refusal);
        return false;
    }
    link_.open(settings);
    emit opened();
    poll_.start();
    return true;
}

void PortConnection::close()
{
    link_.close();
    poll_.stop();
    deviceLock_.reset();
    unlockablePath_.clear();
    emit closed();
}

void PortConnection::followDevice()
{
    if (!devices_ || !isOpen())
        return;
    const int port = link_.settings().port;
    const auto device = devices_->devicePath(port);
    if (!device)
        return;
    const QString devicePath = QString::fromStdString(*device);
    if (!QFileInfo::exists(devicePath)) {
        if (deviceLock_)
            qCInfo(linkLog).noquote() << QStringLiteral("%1 is gone: its lock is let go").arg(devicePath);
        deviceLock_.reset();
        return;
    }
    const QString lockPath = StationLock::pathForDevice(devicePath);
    if ((deviceLock_ && deviceLock_->path() == lockPath) || (!deviceLock_ && unlockablePath_ == lockPath))
        return;
    if (const auto refusal = claimDevice(port)) {
        close();
        emit refused(*refusal);
    }
}

bool PortConnection::isOpen() const
{
    return poll_.running();
}
