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

void FakeFieldbus::scriptWriteResults(std::vector<int> results)
{
    std::lock_guard lock(mutex_);
    writeResults_ = std::move(results);
}

void FakeFieldbus::holdNext(const std::string& name)
{
    std::lock_guard lock(mutex_);
    holdName_ = name;
    holding_call_ = false;
    released_ = false;
}

bool FakeFieldbus::waitUntilHeld(int timeoutMs)
{
    std::unique_lock lock(mutex_);
    return heldChanged_.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                 [this] { return holding_call_; });
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
    calls_.push_back({name, std::move(args)});
    threads_.insert(std::this_thread::get_id());
    if (!holdName_.empty() && holdName_ == name) {
        holdName_.clear();
        holding_call_ = true;
        heldChanged_.notify_all();
        heldChanged_.wait(lock, [this] { return released_; });
        holding_call_ = false;
    }
    const auto it = failing_.find(name);
    return failAll_ || (it != failing_.end() && it->second);
}

int FakeFieldbus::OpenPort_Modbus(int port, int baudCode, int parityCode)
{
    return enter("OpenPort_Modbus", {port, baudCode, parityCode}) ? kFailure : 0;
}

int FakeFieldbus::ClosePort_Modbus(int port)
{
    return enter("ClosePort_Modbus", {port}) ? kFailure : 0;
}

namespace {

template <size_t N>
void readRegisters(const std::map<int, int>& table, int start, std::span<int32_t, N> buffer)
{
    for (size_t i = 0; i < N; ++i) {
        const auto it = table.find(start + static_cast<int>(i));
        buffer[i] = it == table.end() ? 0 : it->second;
    }
}

} // namespace

int FakeFieldbus::Get_3X_D8(int port, int address, int start, std::span<int32_t, 8> buffer)
{
    if (enter("Get_3X_D8", {port, address, start}))
        return kFailure;
    std::lock_guard lock(mutex_);
    readRegisters(input_, start, buffer);
    return 0;
}

int FakeFieldbus::Get_4X_D8(int port, int address, int start, std::span<int32_t, 8> buffer)
{
    if (enter("Get_4X_D8", {port, address, start}))
        return kFailure;
    std::lock_guard lock(mutex_);
    readRegisters(holding_, start, buffer);
    return 0;
}

int FakeFieldbus::Get_4X_D16(int port, int address, int start, std::span<int32_t, 16> buffer)
{
    if (enter("Get_4X_D16", {port, address, start}))
        return kFailure;
    std::lock_guard lock(mutex_);
    readRegisters(holding_, start, buffer);
    return 0;
}

void FakeFieldbus::readBits(const std::map<int, bool>& table, int start, std::span<int32_t, 2> buffer)
{
    for (int byte = 0; byte < 2; ++byte) {
        int value = 0;
        for (int bit = 0; bit < 8; ++bit) {
            const auto it = table.find(start + byte * 8 + bit);
            if (it != table.end() && it->second)
                value |= 1 << bit;
        }
        buffer[static_cast<size_t>(byte)] = value;
    }
}

int FakeFieldbus::Get_1X_B16(int port, int address, int start, std::span<int32_t, 2> buffer)
{
    if (enter("Get_1X_B16", {port, address, start}))
        return kFailure;
    std::lock_guard lock(mutex_);
    readBits(discrete_, start, buffer);
    return 0;
}

int FakeFieldbus::Get_0X_B16(int port, int address, int start, std::span<int32_t, 2> buffer)
{
    if (enter("Get_0X_B16", {port, address, start}))
        return kFailure;
    std::lock_guard lock(mutex_);
    readBits(coils_, start, buffer);
    return 0;
}

int FakeFieldbus::Set_4X_D1(int port, int address, int registerAddress, int value)
{
    if (enter("Set_4X_D1", {port, address, registerAddress, value}))
        return kFailure;
    std::lock_guard lock(mutex_);
    if (!writeResults_.empty()) {
        const int result = writeResults_.front();
        writeResults_.erase(writeResults_.begin());
        if (result == kFailure)
            return kFailure;
    }
    holding_[registerAddress] = value;
    return 0;
}

int FakeFieldbus::Set_0X_Bit1(int port, int address, int coil)
{
    if (enter("Set_0X_Bit1", {port, address, coil}))
        return kFailure;
    std::lock_guard lock(mutex_);
    coils_[coil] = true;
    return 0;
}

int FakeFieldbus::Rst_0X_Bit1(int port, int address, int coil)
{
    if (enter("Rst_0X_Bit1", {port, address, coil}))
        return kFailure;
    std::lock_guard lock(mutex_);
    coils_[coil] = false;
    return 0;
}

std::string FakeFieldbus::lastError() const
{
    return "scripted failure";
}
