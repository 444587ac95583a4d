#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

// Which serial device a port number names. Port n is /dev/ttyUSB<n-1> unless
// the operator names another device for it (--port-device 1=/dev/ttyS0):
// RS-485 lines reach desktop machines almost always through USB adapters,
// which the kernel numbers from 0.
class PortDevices {
public:
    static constexpr int kFirstPort = 1;
    static constexpr int kLastPort = 20;

    // Empty for a port number outside 1..20.
    std::optional<std::string> devicePath(int port) const;

    void setDevice(int port, std::string path);

    // Parses "N=PATH"; false (and nothing changed) when malformed.
    bool addMapping(std::string_view mapping);

    static std::string defaultDevicePath(int port);

private:
    std::map<int, std::string> overrides_;
};
