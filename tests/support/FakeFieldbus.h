#pragma once

#include <condition_variable>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "link/Fieldbus.h"

// A fieldbus held in memory: register tables a test fills, a log of every
// call in order, scripted failures, and a gate that holds a chosen call on
// the link thread until the test releases it. Thread-safe, since the link
// thread calls it while the test thread inspects it.
//
// Calls are logged by name with their arguments:
//   open {port, baud code, parity code, module address}, close {},
//   readInputRegisters / readHoldingRegisters / readDiscreteInputs /
//   readCoils {start, count}, writeRegister {register, value},
//   writeCoil {coil, 1 on or 0 off}.
class FakeFieldbus final : public Fieldbus {
public:
    struct Call {
        std::string name;
        std::vector<int> args;
        bool operator==(const Call&) const = default;
    };

    // Tables by 1-based address.
    void setInputRegister(int address, int value);
    void setHoldingRegister(int address, int value);
    void setDiscreteInput(int address, bool on);
    void setCoil(int address, bool on);
    int holdingRegister(int address) const;

    // Every call of this name fails (for example "readHoldingRegisters").
    void failCalls(const std::string& name, bool fail = true);
    void failAll(bool fail = true);
    // Whether the next register writes succeed, consumed in order; then they do.
    void scriptWriteResults(std::vector<bool> results);
    // What failed calls give: their kind and reason (of no kind, "scripted
    // failure", unless set).
    void setFailure(LinkFailure failure, const std::string& reason);

    // Holds the next call of this name (and first argument, if given) until
    // release() (from another thread).
    void holdNext(const std::string& name, std::optional<int> firstArg = std::nullopt);
    bool waitUntilHeld(int timeoutMs);
    void release();

    std::vector<Call> calls() const;
    std::vector<std::string> callNames() const;
    void clearCalls();
    // The threads calls were made on.
    std::set<std::thread::id> callingThreads() const;

    FieldbusResult open(const LinkSettings& settings) override;
    void close() override;
    FieldbusResult readRegisters(RegisterTable table, int start, std::span<int16_t> values) override;
    FieldbusResult readBits(BitTable table, int start, std::span<bool> bits) override;
    FieldbusResult writeRegister(int registerNumber, int value) override;
    FieldbusResult writeCoil(int coil, bool on) override;

private:
    // Logs the call, honours a hold, and tells whether it is to fail.
    bool enter(const std::string& name, std::vector<int> args);
    FieldbusResult scriptedFailure() const;

    mutable std::mutex mutex_;
    std::condition_variable heldChanged_;
    std::map<int, int> input_, holding_;
    std::map<int, bool> discrete_, coils_;
    std::map<std::string, bool> failing_;
    bool failAll_ = false;
    FieldbusResult failure_ = FieldbusResult::failed(LinkFailure::Kind::Unknown, "scripted failure");
    std::vector<bool> writeResults_;
    std::string holdName_;
    std::optional<int> holdFirstArg_;
    bool holdingCall_ = false;
    bool released_ = false;
    std::vector<Call> calls_;
    std::set<std::thread::id> threads_;
};
