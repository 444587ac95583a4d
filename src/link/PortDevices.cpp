#include "link/PortDevices.h"

#include <charconv>

std::optional<std::string> PortDevices::devicePath(int port) const
{
    if (port < kFirstPort || port > kLastPort)
        return std::nullopt;
    if (const auto it = overrides_.find(port); it != overrides_.end())
        return it->second;
    return defaultDevicePath(port);
}

void PortDevices::setDevice(int port, std::string path)
{
    overrides_[port] = std::move(path);
}

bool PortDevices::addMapping(std::string_view mapping)
{
    const auto equals = mapping.find('=');
    if (equals == std::string_view::npos || equals + 1 >= mapping.size())
        return false;
    int port = 0;
    const auto number = mapping.substr(0, equals);
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), port);
    if (error != std::errc{} || end != number.data() + number.size()
        || port < kFirstPort || port > kLastPort)
        return false;
    setDevice(port, std::string(mapping.substr(equals + 1)));
    return true;
}

std::string PortDevices::defaultDevicePath(int port)
{
    return "/dev/ttyUSB" + std::to_string(port - 1);
}
