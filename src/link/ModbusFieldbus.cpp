#include "link/ModbusFieldbus.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>

#include <sys/stat.h>

#include <modbus.h>

#include "instrument/RegisterMap.h"
#include "link/LinkCodes.h"
#include "link/LinkFailure.h"
#include "link/LinkLog.h"
#include "link/ReplyCheck.h"

namespace {

using std::chrono::duration_cast;
using std::chrono::microseconds;

void setTimeout(modbus_t* context, std::chrono::milliseconds timeout, bool response)
{
    const auto us = duration_cast<microseconds>(timeout).count();
    const auto seconds = static_cast<uint32_t>(us / 1000000);
    const auto rest = static_cast<uint32_t>(us % 1000000);
    if (response)
        modbus_set_response_timeout(context, seconds, rest);
    else
        modbus_set_byte_timeout(context, seconds, rest);
}

using Kind = LinkFailure::Kind;

// A port that would not open, by what the system said.
FieldbusResult openFailure(const char* doing, const std::string& path, int error)
{
    FieldbusResult failed = FieldbusResult::failed(Kind::OpenFailed, doing + path + ": " + modbus_strerror(error));
    const LinkFailure failure = linkFailureOfError(error);
    if (failure.kind == Kind::NoDevice || failure.kind == Kind::NoAccess)
        failed.failure = failure;
    return failed;
}

FieldbusResult callFailure(int error)
{
    return {false, linkFailureOfError(error), modbus_strerror(error)};
}

// Errors that mean the line delivered garbage or the instrument refused:
// the device itself is fine and stays open.
bool isProtocolError(int error)
{
    return error == ETIMEDOUT || error == EMBBADCRC || error == EMBBADDATA
           || error == EMBBADEXC || error == EMBMDATA || error == EMBBADSLAVE
           || (error >= MODBUS_ENOBASE && error < MODBUS_ENOBASE + MODBUS_EXCEPTION_MAX);
}

// 1-based register numbers go on the wire one lower; the whole block must
// lie inside the 16-bit address space.
bool validBlock(int start, size_t count)
{
    return start >= 1 && start - 1 + static_cast<long>(count) <= 65536;
}

// The most one request may carry: a whole poll block fits.
constexpr size_t kMaxBlock = 125;

constexpr size_t kCrcBytes = 2;

} // namespace

ModbusFieldbus::ModbusFieldbus(PortDevices devices)
    : devices_(std::move(devices))
{
}

ModbusFieldbus::~ModbusFieldbus()
{
    disconnect();
}

FieldbusResult ModbusFieldbus::open(const LinkSettings& settings)
{
    disconnect();
    wantOpen_ = false;
    // Kept even when the open fails: a later call names the port the
    // operator chose.
    settings_ = settings;
    const auto path = devices_.devicePath(settings.port);
    if (!path)
        return FieldbusResult::failed(Kind::NoDevice, LinkReasons::noDevice(settings.port), settings.port);
    if (!LinkCodes::baudRate(settings.baudCode) || !LinkCodes::parityLetter(settings.parityCode))
        return FieldbusResult::failed(Kind::BadSettings, "invalid baud or parity code");
    wantOpen_ = true;
    outOfStep_ = false;
    justResynchronised_ = false;
    devicePath_ = *path;
    return connect();
}

void ModbusFieldbus::close()
{
    disconnect();
    wantOpen_ = false;
}

FieldbusResult ModbusFieldbus::connect()
{
    modbus_t* context = modbus_new_rtu(devicePath_.c_str(), *LinkCodes::baudRate(settings_.baudCode),
                                       *LinkCodes::parityLetter(settings_.parityCode), 8, 1);
    if (context == nullptr)
        return openFailure("cannot use ", devicePath_, errno);
    if (modbus_connect(context) == -1) {
        FieldbusResult failed = openFailure("cannot open ", devicePath_, errno);
        modbus_free(context);
        return failed;
    }
    // Plain serial ports and pseudo-terminals refuse RS-485 mode (ENOTTY);
    // adapters that switch direction themselves need none.
    modbus_rtu_set_serial_mode(context, MODBUS_RTU_RS485);
    setTimeout(context, kResponseTimeout, true);
    setTimeout(context, kByteTimeout, false);
    modbus_flush(context);

    struct stat opened {};
    if (fstat(modbus_get_socket(context), &opened) == 0) {
        openedDevice_ = opened.st_rdev;
        openedInode_ = opened.st_ino;
    }
    context_ = context;
    line_.emplace(*LinkCodes::baudRate(settings_.baudCode), settings_.parityCode != 0);
    return FieldbusResult::success();
}

void ModbusFieldbus::disconnect()
{
    if (context_ == nullptr)
        return;
    modbus_close(context_);
    modbus_free(context_);
    context_ = nullptr;
}

FieldbusResult ModbusFieldbus::prepare()
{
    if (!wantOpen_)
        return FieldbusResult::failed(Kind::NotOpen, LinkReasons::notOpen(settings_.port), settings_.port);
    const int address = settings_.moduleAddress;
    if (address < 1 || address > 247)
        return FieldbusResult::failed(Kind::BadSettings, "invalid module address " + std::to_string(address));
    if (context_ == nullptr) {
        if (FieldbusResult connected = connect(); !connected.ok)
            return connected;
    }
    modbus_set_slave(context_, address);
    return FieldbusResult::success();
}

bool ModbusFieldbus::deviceReplaced() const
{
    struct stat now {};
    if (stat(devicePath_.c_str(), &now) != 0)
        return true;
    return now.st_rdev != openedDevice_ || now.st_ino != openedInode_;
}

FieldbusResult ModbusFieldbus::fail(const char* what, int error)
{
    // The device itself failed or was replaced: the next call reconnects.
    if (!isProtocolError(error) || deviceReplaced())
        disconnect();
    return outOfStep(what, callFailure(error));
}

FieldbusResult ModbusFieldbus::outOfStep(const char* what, FieldbusResult why)
{
    if (!outOfStep_)
        ++episode_;
    outOfStep_ = true;
    justResynchronised_ = false;
    why.reason = std::string(what) + ": " + why.reason;
    return why;
}

std::array<uint8_t, 6> ModbusFieldbus::request(int function, int address, int value) const
{
    return {static_cast<uint8_t>(settings_.moduleAddress), static_cast<uint8_t>(function),
            static_cast<uint8_t>(address >> 8), static_cast<uint8_t>(address & 0xFF),
            static_cast<uint8_t>((value >> 8) & 0xFF), static_cast<uint8_t>(value & 0xFF)};
}

FieldbusResult ModbusFieldbus::call(const char* what, std::span<const uint8_t> request, std::span<uint8_t> answer)
{
    if (FieldbusResult prepared = prepare(); !prepared.ok)
        return prepared;
    if (outOfStep_) {
        FieldbusResult probed = resynchronise();
        if (!probed.ok) {
            probed.failure.resynchronising = true;
            probed.reason = std::string(LinkReasons::kOutOfStep) + probed.reason;
            return probed;
        }
    }
    return exchange(what, request, answer);
}

FieldbusResult ModbusFieldbus::resynchronise()
{
    const int count = kProbeCounts[static_cast<size_t>(episode_) % kProbeCounts.size()];
    const auto probe = request(MODBUS_FC_READ_HOLDING_REGISTERS, RegisterMap::kHoldingBlockStart - 1, count);
    uint8_t answer[3 + 2 * kMaxBlock];
    FieldbusResult probed = exchange("probing", probe, std::span(answer, static_cast<size_t>(3 + 2 * count)));
    if (probed.ok) {
        outOfStep_ = false;
        justResynchronised_ = true;
        qCDebug(linkLog) << "link back in step";
    }
    return probed;
}

FieldbusResult ModbusFieldbus::exchange(const char* what, std::span<const uint8_t> request,
                                        std::span<uint8_t> answer)
{
    const int fd = modbus_get_socket(context_);
    const auto quiet = outOfStep_ || justResynchronised_ ? LineDiscipline::Clock::duration(kResyncQuiet)
                                                          : line_->gap();
    justResynchronised_ = false;
    const LineDiscipline::Silence silence = line_->awaitSilence(fd, quiet, kResponseTimeout);
    if (silence.dropped > 0)
        qCDebug(linkLog).noquote() << QStringLiteral("dropped %1 bytes heard outside any answer").arg(silence.dropped);
    if (!silence.reached)
        return outOfStep(what, FieldbusResult::failed(Kind::LineBusy, std::string(LinkReasons::kNeverSilent)));

    if (modbus_send_raw_request(context_, request.data(), static_cast<int>(request.size())) == -1)
        return fail(what, errno);
    uint8_t received[MODBUS_RTU_MAX_ADU_LENGTH];
    const int length = modbus_receive_confirmation(context_, received);
    const int error = errno;
    // A time-out heard nothing since the request: the line is quiet.
    if (length != -1 || error != ETIMEDOUT)
        line_->heard();
    if (length == -1)
        return fail(what, error);
    if (length == 0)  // libmodbus's way of handing back another station's answer
        return outOfStep(what, callFailure(EMBBADSLAVE));
    const auto frame = std::span<const uint8_t>(received, static_cast<size_t>(length) - kCrcBytes);
    if (FieldbusResult fits = ReplyCheck::mismatch(request, frame); !fits.ok)
        return outOfStep(what, std::move(fits));
    if (!line_->answerEnded(fd))
        return outOfStep(what, FieldbusResult::failed(Kind::WrongAnswer, "more bytes ran on after the answer"));
    std::copy(frame.begin(), frame.begin() + static_cast<long>(answer.size()), answer.begin());
    return FieldbusResult::success();
}

FieldbusResult ModbusFieldbus::readRegisters(RegisterTable table, int start, std::span<int16_t> values)
{
    if (!validBlock(start, values.size()) || values.size() > kMaxBlock)
        return FieldbusResult::failed(Kind::OutOfRange, "register block out of range");
    const bool input = table == RegisterTable::Input;
    const auto asked = request(input ? MODBUS_FC_READ_INPUT_REGISTERS : MODBUS_FC_READ_HOLDING_REGISTERS, start - 1,
                               static_cast<int>(values.size()));
    uint8_t answer[3 + 2 * kMaxBlock];
    const FieldbusResult result = call(input ? "reading input registers" : "reading holding registers", asked,
                                       std::span(answer, 3 + 2 * values.size()));
    if (!result.ok)
        return result;
    for (size_t i = 0; i < values.size(); ++i)
        values[i] = static_cast<int16_t>(answer[3 + 2 * i] << 8 | answer[4 + 2 * i]);  // registers are signed
    return result;
}

FieldbusResult ModbusFieldbus::readBits(BitTable table, int start, std::span<bool> bits)
{
    if (!validBlock(start, bits.size()) || bits.size() > kMaxBlock)
        return FieldbusResult::failed(Kind::OutOfRange, "bit block out of range");
    const bool coils = table == BitTable::Coils;
    const auto asked = request(coils ? MODBUS_FC_READ_COILS : MODBUS_FC_READ_DISCRETE_INPUTS, start - 1,
                               static_cast<int>(bits.size()));
    uint8_t answer[3 + (kMaxBlock + 7) / 8];
    const FieldbusResult result = call(coils ? "reading coils" : "reading discrete inputs", asked,
                                       std::span(answer, 3 + (bits.size() + 7) / 8));
    if (!result.ok)
        return result;
    for (size_t i = 0; i < bits.size(); ++i)
        bits[i] = (answer[3 + i / 8] >> (i % 8) & 1) != 0;
    return result;
}

FieldbusResult ModbusFieldbus::writeRegister(int registerNumber, int value)
{
    if (value < std::numeric_limits<int16_t>::min() || value > std::numeric_limits<int16_t>::max())
        return FieldbusResult::failed(Kind::OutOfRange, "value " + std::to_string(value) + " does not fit a register");
    if (!validBlock(registerNumber, 1))
        return FieldbusResult::failed(Kind::OutOfRange, "register address out of range");
    const auto asked = request(MODBUS_FC_WRITE_SINGLE_REGISTER, registerNumber - 1, value);
    uint8_t echo[6];
    return call("writing holding register", asked, echo);
}

FieldbusResult ModbusFieldbus::writeCoil(int coil, bool on)
{
    if (!validBlock(coil, 1))
        return FieldbusResult::failed(Kind::OutOfRange, "coil address out of range");
    const auto asked = request(MODBUS_FC_WRITE_SINGLE_COIL, coil - 1, on ? 0xFF00 : 0);
    uint8_t echo[6];
    return call("writing coil", asked, echo);
}
