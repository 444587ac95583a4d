#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "RegisterImage.h"

namespace tqsim {

enum class Parity { None, Odd, Even };
enum class FaultMode { None, Silent, Crc, Exception, WrongAddress, Late, Duplicate, Trailing, OneBehind };
enum class InputFault { None, Open, Short };

// One --set TABLE:ADDRESS=VALUE, with ADDRESS the 1-based number.
struct Assignment {
    Table table = Table::HoldingRegister;
    int number = 0;
    int value = 0;
};

struct Options {
    std::string linkPath;     // --link: serve a new pseudo-terminal behind this link
    std::string devicePath;   // --device: serve an existing serial device
    std::string linkFile;     // --link-file: also write the served device name here
    int address = 1;
    int baud = 9600;
    Parity parity = Parity::None;
    std::vector<Assignment> assignments;
    bool frozen = false;
    double speed = 1.0;
    bool lineTiming = false;
    FaultMode fault = FaultMode::None;
    int lateMs = 0;           // --fault late:MS
    int faultAfter = 0;
    InputFault inputFault = InputFault::None;
    bool help = false;
    bool version = false;
};

struct ParsedOptions {
    Options options;
    std::string error;        // empty when the command line is good
    bool ok() const { return error.empty(); }
};

// args excludes the program name.
ParsedOptions parseOptions(const std::vector<std::string>& args);

// Parses the TABLE:ADDRESS=VALUE argument of --set.
std::optional<Assignment> parseAssignment(std::string_view text, std::string* error);

std::string usageText();

// The instrument's own code for a baud rate (0 4800, 1 9600, 2 19200).
int baudCode(int baud);

} // namespace tqsim
