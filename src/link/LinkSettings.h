#pragma once

// How the station reaches its instrument: the port number (PortDevices
// names its device), the baud and parity codes (LinkCodes) and the
// instrument's module address. Fixed when the link opens; every call until
// the next open goes there. All zero until the operator first opens.
struct LinkSettings {
    int port = 0;
    int baudCode = 0;
    int parityCode = 0;
    int moduleAddress = 0;

    bool operator==(const LinkSettings&) const = default;
};
