#include "journal/StoredLinkReason.h"

#include <array>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <string>

#include <modbus.h>

namespace {

using Kind = LinkFailure::Kind;

using LinkReasons::kNoDevicePrefix;
using LinkReasons::kNotOpenSuffix;
using LinkReasons::kPortPrefix;
constexpr std::string_view kExceptionPrefix = "exception ";

bool startsWith(std::string_view text, std::string_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}

int number(std::string_view digits)
{
    int value = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), value);
    return value;
}

// Reasons read "what: why", "cannot open /dev/x: why"; the last part is why.
std::string_view lastPart(std::string_view reason)
{
    const size_t colon = reason.rfind(": ");
    return colon == std::string_view::npos ? reason : reason.substr(colon + 2);
}

bool isErrno(std::string_view why, std::initializer_list<int> errors)
{
    for (const int error : errors) {
        if (why == modbus_strerror(error))
            return true;
    }
    return false;
}

// ReplyCheck's words for an answer of another shape, and libmodbus's.
bool isWrongAnswer(std::string_view why)
{
    constexpr std::array prefixes{std::string_view("answer to function "), std::string_view("answer of "),
                                  std::string_view("echo differs"), std::string_view("byte count "),
                                  std::string_view("malformed exception answer"),
                                  std::string_view("more bytes ran on")};
    for (const std::string_view prefix : prefixes) {
        if (startsWith(why, prefix))
            return true;
    }
    return isErrno(why, {EMBBADSLAVE, EMBBADDATA, EMBMDATA, EMBBADEXC});
}

int exceptionCode(std::string_view why)
{
    if (startsWith(why, kExceptionPrefix))
        return number(why.substr(kExceptionPrefix.size()));
    for (int code = 1; code < MODBUS_EXCEPTION_MAX; ++code) {
        if (why == modbus_strerror(MODBUS_ENOBASE + code))
            return code;
    }
    return -1;
}

Kind kindOf(std::string_view reason)
{
    if (startsWith(reason, "invalid "))
        return Kind::BadSettings;
    if (reason.find("out of range") != std::string_view::npos || reason.find("does not fit") != std::string_view::npos)
        return Kind::OutOfRange;
    const std::string_view why = lastPart(reason);
    if (isErrno(why, {ENOENT, ENODEV, ENXIO}))
        return Kind::NoDevice;
    if (isErrno(why, {EACCES, EPERM}))
        return Kind::NoAccess;
    if (startsWith(reason, "cannot open ") || startsWith(reason, "cannot use "))
        return Kind::OpenFailed;
    if (why == modbus_strerror(ETIMEDOUT))
        return Kind::NoAnswer;
    if (why == modbus_strerror(EMBBADCRC))
        return Kind::BadCrc;
    if (why == LinkReasons::kNeverSilent)
        return Kind::LineBusy;
    if (isWrongAnswer(why))
        return Kind::WrongAnswer;
    return Kind::Unknown;
}

} // namespace

LinkFailure storedLinkFailure(const QString& stored)
{
    if (stored.trimmed().isEmpty())
        return {};
    const std::string text = stored.toStdString();
    std::string_view reason = text;
    LinkFailure failure;
    if (startsWith(reason, LinkReasons::kOutOfStep)) {
        failure.resynchronising = true;
        reason.remove_prefix(LinkReasons::kOutOfStep.size());
    }
    if (startsWith(reason, kNoDevicePrefix)) {
        failure.kind = Kind::NoDevice;
        failure.number = number(reason.substr(kNoDevicePrefix.size()));
        return failure;
    }
    if (startsWith(reason, kPortPrefix) && reason.ends_with(kNotOpenSuffix)) {
        failure.kind = Kind::NotOpen;
        failure.number = number(reason.substr(kPortPrefix.size()));
        return failure;
    }
    if (const int code = exceptionCode(lastPart(reason)); code >= 0) {
        failure.kind = Kind::Refused;
        failure.number = code;
        return failure;
    }
    failure.kind = kindOf(reason);
    return failure;
}
