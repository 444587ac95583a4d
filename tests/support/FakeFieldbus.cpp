#include "support/FakeFieldbus.h"

#include <chrono>

void FakeFieldbus::setInputRegister(int address, int value)
{
    std::lock_guard lock(mutex_);
    input_[address] = value;
}

void FakeFieldbus::setHoldingRegister(int address, int value)
{
    std::lock_guard lock(mutex_);
    holding_[address] = value;
}

void FakeFieldbus::setDiscreteInput(int address, bool on)
{
    std::lock_guard lock(mutex_);
    discrete_[address] = on;
}

void FakeFieldbus::setCoil(int address, bool on)
{
    std::lock_guard lock(mutex_);
    coils_[address] = on;
}

int FakeFieldbus::holdingRegister(int address) const
{
    std::lock_guard lock(mutex_);
    const auto it = holding_.find(address);
    return it == holding_.end() ? 0 : it->second;
}

void FakeFieldbus::failCalls(const std::string& name, bool fail)
{
    std::lock_guard lock(mutex_);
    failing_[name] = fail;
}

void FakeFieldbus::failAll(bool fail)
{
    std::lock_guard lock(mutex_);
    failAll_ = fail;
}

void FakeFieldbus::scriptWriteResults(std::vector<bool> results)
{
    std::lock_guard lock(mutex_);
    writeResults_ = std::move(results);
}

void FakeFieldbus::holdNext(const std::string& name, std::optional<int> firstArg)
{
    std::lock_guard lock(mutex_);
    holdName_ = name;
    holdFirstArg_ = firstArg;
    holdingCall_ = false;
    released_ = false;
}

bool FakeFieldbus::waitUntilHeld(int timeoutMs)
{
    std::unique_lock lock(mutex_);
    return heldChanged_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return holdingCall_; });
}

void FakeFieldbus::release()
{
    std::lock_guard lock(mutex_);
    released_ = true;
    heldChanged_.notify_all();
}

std::vector<FakeFieldbus::Call> FakeFieldbus::calls() const
{
    std::lock_guard lock(mutex_);
    return calls_;
}

std::vector<std::string> FakeFieldbus::callNames() const
{
    std::lock_guard lock(mutex_);
    std::vector<std::string> names;
    for (const auto& call : calls_)
        names.push_back(call.name);
    return names;
}

std::set<std::thread::id> FakeFieldbus::callingThreads() const
{
    std::lock_guard lock(mutex_);
    return threads_;
}

void FakeFieldbus::clearCalls()
{
    std::lock_guard lock(mutex_);
    calls_.clear();
}

bool FakeFieldbus::enter(const std::string& name, std::vector<int> args)
{
    std::unique_lock lock(mutex_);
    const bool held = !holdName_.empty() && holdName_ == name
                      && (!holdFirstArg_ || (!args.empty() && args.front() == *holdFirstArg_));
    calls_.push_back({name, std::move(args)});
    threads_.insert(std::this_thread::get_id());
    if (held) {
        holdName_.clear();
        holdingCall_ = true;
        heldChanged_.notify_all();
        heldChanged_.wait(lock, [this] { return released_; });
        holdingCall_ = false;
    }
    const auto it = failing_.find(name);
    return failAll_ || (it != failing_.end() && it->second);
}

FieldbusResult FakeFieldbus::open(const LinkSettings& settings)
{
    if (enter("open", {settings.port, settings.baudCode, settings.parityCode, settings.moduleAddress}))
        return scriptedFailure();
    return FieldbusResult::success();
}

void FakeFieldbus::close()
{
    enter("close", {});
}

FieldbusResult FakeFieldbus::readRegisters(RegisterTable table, int start, std::span<int16_t> values)
{
    const bool input = table == RegisterTable::Input;
    if (enter(input ? "readInputRegisters" : "readHoldingRegisters", {start, static_cast<int>(values.size())}))
        return scriptedFailure();
    std::lock_guard lock(mutex_);
    const auto& registers = input ? input_ : holding_;
    for (size_t i = 0; i < values.size(); ++i) {
        const auto it = registers.find(start + static_cast<int>(i));
        values[i] = static_cast<int16_t>(it == registers.end() ? 0 : it->second);
    }
    return FieldbusResult::success();
}

FieldbusResult FakeFieldbus::readBits(BitTable table, int start, std::span<bool> bits)
{
    const bool coils = table == BitTable::Coils;
    if (enter(coils ? "readCoils" : "readDiscreteInputs", {start, static_cast<int>(bits.size())}))
        return scriptedFailure();
    std::lock_guard lock(mutex_);
    const auto& states = coils ? coils_ : discrete_;
    for (size_t i = 0; i < bits.size(); ++i) {
        const auto it = states.find(start + static_cast<int>(i));
        bits[i] = it != states.end() && it->second;
    }
    return FieldbusResult::success();
}

FieldbusResult FakeFieldbus::writeRegister(int registerNumber, int value)
{
    if (enter("writeRegister", {registerNumber, value}))
        return scriptedFailure();
    std::lock_guard lock(mutex_);
    if (!writeResults_.empty()) {
        const bool succeeds = writeResults_.front();
        writeResults_.erase(writeResults_.begin());
        if (!succeeds)
            return failure_;  // the lock is held already
    }
    holding_[registerNumber] = value;
    return FieldbusResult::success();
}

FieldbusResult FakeFieldbus::writeCoil(int coil, bool on)
{
    if (enter("writeCoil", {coil, on ? 1 : 0}))
        return scriptedFailure();
    std::lock_guard lock(mutex_);
    coils_[coil] = on;
    return FieldbusResult::success();
}

void FakeFieldbus::setFailure(LinkFailure failure, const std::string& reason)
{
    std::lock_guard lock(mutex_);
    failure_ = {false, failure, reason};
}

FieldbusResult FakeFieldbus::scriptedFailure() const
{
    std::lock_guard lock(mutex_);
    return failure_;
}
