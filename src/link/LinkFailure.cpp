#include "link/LinkFailure.h"

#include <cerrno>

#include <modbus.h>

LinkFailure linkFailureOfError(int error)
{
    using Kind = LinkFailure::Kind;
    switch (error) {
    case ENOENT:
    case ENODEV:
    case ENXIO: return {Kind::NoDevice};
    case EACCES:
    case EPERM: return {Kind::NoAccess};
    case ETIMEDOUT: return {Kind::NoAnswer};
    case EMBBADCRC: return {Kind::BadCrc};
    case EMBBADSLAVE:
    case EMBBADDATA:
    case EMBMDATA:
    case EMBBADEXC: return {Kind::WrongAnswer};
    default: break;
    }
    if (error > MODBUS_ENOBASE && error < MODBUS_ENOBASE + MODBUS_EXCEPTION_MAX)
        return {Kind::Refused, error - MODBUS_ENOBASE};
    return {Kind::Unknown};
}

namespace LinkReasons {

std::string noDevice(int port)
{
    return std::string(kNoDevicePrefix) + std::to_string(port);
}

std::string notOpen(int port)
{
    return std::string(kPortPrefix) + std::to_string(port) + std::string(kNotOpenSuffix);
}

} // namespace LinkReasons
