#pragma once

#include <string>
#include <string_view>

// What kind of failure a link reason tells, for texts in the operator's
// language. The reasons stay the link's own English words (logs, tooltips);
// this reads them back in the one place that knows how the link and
// libmodbus word them.
struct LinkFailure {
    enum class Kind {
        Unknown,       // empty or unrecognised
        NoDevice,      // the port leads to no device (none configured, gone)
        NoAccess,      // the device refuses this user
        OpenFailed,    // the device is there and would not open
        NotOpen,       // a call while the port is closed; number = the port
        BadSettings,   // baud, parity or module address invalid
        NoAnswer,      // time-out
        BadCrc,        // the answer's checksum is wrong
        WrongAnswer,   // an answer not of the request's shape
        Refused,       // an exception answer; number = the exception code
        LineBusy,      // the line never fell silent
        OutOfRange,    // a block, address or value the station refused to send
    };

    Kind kind = Kind::Unknown;
    int number = 0;
    bool resynchronising = false;  // the probe after an earlier failure failed

    bool operator==(const LinkFailure&) const = default;
};

// The link's reasons that are read back here, built in one place.
namespace LinkReasons {

inline constexpr std::string_view kOutOfStep = "link out of step: resynchronising: ";
inline constexpr std::string_view kNeverSilent = "the line never fell silent";

std::string noDevice(int port);
std::string notOpen(int port);

} // namespace LinkReasons

LinkFailure classifyLinkFailure(std::string_view reason);
