#include "Options.h"

#include <charconv>
#include <cstdlib>

namespace tqsim {

namespace {

bool parseInt(std::string_view text, long long* out)
{
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    const auto* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, *out);
    return !text.empty() && result.ec == std::errc() && result.ptr == end;
}

bool parseIntIn(std::string_view text, long long low, long long high, int* out)
{
    long long v = 0;
    if (!parseInt(text, &v) || v < low || v > high)
        return false;
    *out = static_cast<int>(v);
    return true;
}

std::optional<Table> parseTable(std::string_view text)
{
    if (text == "0x" || text == "0X")
        return Table::Coil;
    if (text == "1x" || text == "1X")
        return Table::DiscreteInput;
    if (text == "3x" || text == "3X")
        return Table::InputRegister;
    if (text == "4x" || text == "4X")
        return Table::HoldingRegister;
    return std::nullopt;
}

// Applies one option that takes a value; returns an error text or "".
std::string applyValued(Options& o, std::string_view name, const std::string& value)
{
    if (name == "--link") {
        o.linkPath = value;
    } else if (name == "--device") {
        o.devicePath = value;
    } else if (name == "--link-file") {
        o.linkFile = value;
    } else if (name == "--address") {
        if (!parseIntIn(value, 1, 247, &o.address))
            return "--address takes a station address 1..247, not '" + value + "'";
    } else if (name == "--baud") {
        if (value != "4800" && value != "9600" && value != "19200")
            return "--baud takes 4800, 9600 or 19200, not '" + value + "'";
        o.baud = std::atoi(value.c_str());
    } else if (name == "--parity") {
        if (value == "none")
            o.parity = Parity::None;
        else if (value == "odd")
            o.parity = Parity::Odd;
        else if (value == "even")
            o.parity = Parity::Even;
        else
            return "--parity takes none, odd or even, not '" + value + "'";
    } else if (name == "--set") {
        std::string error;
        const auto assignment = parseAssignment(value, &error);
        if (!assignment)
            return "--set " + value + ": " + error;
        o.assignments.push_back(*assignment);
    } else if (name == "--speed") {
        char* end = nullptr;
        const double speed = std::strtod(value.c_str(), &end);
        if (value.empty() || *end != '\0' || !(speed > 0.0) || speed > 10000.0)
            return "--speed takes a factor above 0 and at most 10000, not '" + value + "'";
        o.speed = speed;
    } else if (name == "--fault") {
        if (value == "silent")
            o.fault = FaultMode::Silent;
        else if (value == "crc")
            o.fault = FaultMode::Crc;
        else if (value == "exception")
            o.fault = FaultMode::Exception;
        else if (value == "wrong-address")
            o.fault = FaultMode::WrongAddress;
        else if (value == "duplicate")
            o.fault = FaultMode::Duplicate;
        else if (value == "trailing")
            o.fault = FaultMode::Trailing;
        else if (value == "one-behind")
            o.fault = FaultMode::OneBehind;
        else if (value.rfind("late:", 0) == 0 && parseIntIn(value.substr(5), 1, 60000, &o.lateMs))
            o.fault = FaultMode::Late;
        else
            return "--fault takes silent, crc, exception, wrong-address, late:MS (1..60000), duplicate, trailing or "
                   "one-behind, not '"
                   + value + "'";
    } else if (name == "--fault-after") {
        if (!parseIntIn(value, 0, 1000000000, &o.faultAfter))
            return "--fault-after takes a count of requests, not '" + value + "'";
    } else if (name == "--input-fault") {
        if (value == "open")
            o.inputFault = InputFault::Open;
        else if (value == "short")
            o.inputFault = InputFault::Short;
        else
            return "--input-fault takes open or short, not '" + value + "'";
    } else {
        return "unknown option '" + std::string(name) + "'";
    }
    return {};
}

bool takesValue(std::string_view name)
{
    for (const char* known : {"--link", "--device", "--link-file", "--address", "--baud", "--parity",
                              "--set", "--speed", "--fault", "--fault-after", "--input-fault"}) {
        if (name == known)
            return true;
    }
    return false;
}

} // namespace

std::optional<Assignment> parseAssignment(std::string_view text, std::string* error)
{
    const auto colon = text.find(':');
    const auto equals = text.find('=');
    if (colon == std::string_view::npos || equals == std::string_view::npos || equals < colon) {
        *error = "expected TABLE:ADDRESS=VALUE, for example 3x:1=523";
        return std::nullopt;
    }
    const auto table = parseTable(text.substr(0, colon));
    if (!table) {
        *error = "table must be 0x, 1x, 3x or 4x";
        return std::nullopt;
    }
    Assignment a;
    a.table = *table;
    if (!parseIntIn(text.substr(colon + 1, equals - colon - 1), 1, RegisterImage::size(a.table), &a.number)) {
        *error = "address must be a number 1.." + std::to_string(RegisterImage::size(a.table));
        return std::nullopt;
    }
    const auto valueText = text.substr(equals + 1);
    const bool bits = RegisterImage::isBitTable(a.table);
    if (!parseIntIn(valueText, bits ? 0 : -32768, bits ? 1 : 65535, &a.value)) {
        *error = bits ? "a bit takes 0 or 1" : "a register takes -32768..65535";
        return std::nullopt;
    }
    return a;
}

ParsedOptions parseOptions(const std::vector<std::string>& args)
{
    ParsedOptions parsed;
    Options& o = parsed.options;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            o.help = true;
            return parsed;
        }
        if (arg == "--version") {
            o.version = true;
            return parsed;
        }
        if (arg == "--frozen") {
            o.frozen = true;
            continue;
        }
        if (arg == "--line-timing") {
            o.lineTiming = true;
            continue;
        }
        // Both "--name value" and "--name=value".
        std::string name = arg;
        std::string value;
        const auto equals = arg.find('=');
        if (arg.rfind("--", 0) == 0 && equals != std::string::npos) {
            name = arg.substr(0, equals);
            value = arg.substr(equals + 1);
        } else if (takesValue(arg)) {
            if (i + 1 >= args.size()) {
                parsed.error = arg + " needs a value";
                return parsed;
            }
            value = args[++i];
        }
        if (!takesValue(name)) {
            parsed.error = "unknown option '" + arg + "'";
            return parsed;
        }
        parsed.error = applyValued(o, name, value);
        if (!parsed.error.empty())
            return parsed;
    }
    if (o.linkPath.empty() == o.devicePath.empty())
        parsed.error = "give exactly one of --link PATH or --device PATH";
    return parsed;
}

int baudCode(int baud)
{
    return baud == 4800 ? 0 : baud == 19200 ? 2 : 1;
}

std::string usageText()
{
    return "Usage: tq5800-sim (--link PATH | --device PATH) [options]\n"
           "Simulates one TQ5800 controller as a Modbus RTU slave.\n"
           "\n"
           "  --link PATH             create a pseudo-terminal and link PATH to it\n"
           "  --device PATH           serve an existing serial device instead\n"
           "  --link-file FILE        also write the served device name into FILE\n"
           "  --address N             station address 1..247 (default 1)\n"
           "  --baud 4800|9600|19200  line speed (default 9600)\n"
           "  --parity none|odd|even  parity (default none); 8 data bits, 1 stop bit\n"
           "  --set TABLE:ADDRESS=VALUE\n"
           "                          start value, TABLE 0x, 1x, 3x or 4x, ADDRESS 1-based\n"
           "                          (repeatable; applied after the defaults; measured values\n"
           "                          and alarm states are recomputed unless --frozen)\n"
           "  --frozen                no plant, control or alarms: values change only by writes\n"
           "  --speed X               plant time runs X times faster (default 1)\n"
           "  --input-fault open|short  simulate a broken or shorted sensor\n"
           "  --line-timing           answer no earlier than the wire would allow\n"
           "  --fault silent|crc|exception|wrong-address|late:MS|duplicate|trailing\n"
           "                          misbehave on purpose; SIGUSR1 toggles it off and on\n"
           "  --fault one-behind      answer each request with the previous request's answer\n"
           "  --fault-after N         the fault starts after N answered requests\n"
           "  --help                  show this text\n"
           "  --version               show the program's version\n";
}

} // namespace tqsim
