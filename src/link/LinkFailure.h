#pragma once

#include <string>
#include <string_view>

// What kind of failure the link met, known where it met it and carried
// beside its English reason (logs, tooltips) so that texts in the
// operator's language never have to read the reason back.
struct LinkFailure {
    enum class Kind {
        Unstated,      // no reason given
        Unknown,       // a failure of no kind below
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

    Kind kind = Kind::Unstated;
    int number = 0;
    bool resynchronising = false;  // the probe after an earlier failure failed

    bool operator==(const LinkFailure&) const = default;
};

// The link's reasons whose words the journal's readers recognise in records
// that kept only the words, built in one place.
namespace LinkReasons {

inline constexpr std::string_view kOutOfStep = "link out of step: resynchronising: ";
inline constexpr std::string_view kNoDevicePrefix = "no serial device for port ";
inline constexpr std::string_view kPortPrefix = "port ";
inline constexpr std::string_view kNotOpenSuffix = " is not open";
inline constexpr std::string_view kNeverSilent = "the line never fell silent";

std::string noDevice(int port);
std::string notOpen(int port);

} // namespace LinkReasons

// The kind of an errno or libmodbus error code met on an open port.
LinkFailure linkFailureOfError(int error);
