#pragma once

#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "link/Fieldbus.h"

// A fieldbus held in memory: register tables a test fills, a log of every
// call in order, scripted failures, and a gate that holds a chosen call on
// the link thread until the test releases it. Thread-safe, since the link
// thread calls it while the test thread inspects it.
class FakeFieldbus final : public Fieldbus {
public:
    struct Call {
        std::string name;
        std::vector<int> args;  // port, address, then the call's own arguments
        bool operator==(const Call&) const = default;
    };

    // Tables by 1-based address.
    void setInputRegister(int address, int value);
    void setHoldingRegister(int address, int value);
    void setDiscreteInput(int address, bool on);
    void setCoil(int address, bool on);
    int holdingRegister(int address) const;

    // Every call whose name is in this set fails (for example "Get_4X_D16").
    void failCalls(const std::string& name, bool fail = true);
    void failAll(bool fail = true);
    // Results of the next Set_4X_D1 calls, consumed in order; then success.
    void scriptWriteResults(std::vector<int> results);

    // Holds the next call of this name until release() (from another thread).
    void holdNext(const std::string& name);
    bool waitUntilHeld(int timeoutMs);
    void release();

    std::vector<Call> calls() const;
    std::vector<std::string> callNames() const;
    void clearCalls();
    // The threads calls were made on.
    std::set<std::thread::id> callingThreads() const;

    int OpenPort_Modbus(int port, int baudCode, int parityCode) override;
    int ClosePort_Modbus(int port) override;
    int Get_3X_D8(int port, int address, int start, std::span<int32_t, 8> buffer) override;
    int Get_4X_D8(int port, int address, int start, std::span<int32_t, 8> buffer) override;
    int Get_4X_D16(int port, int address, int start, std::span<int32_t, 16> buffer) override;
    int Get_1X_B16(int port, int address, int start, std::span<int32_t, 2> buffer) override;
    int Get_0X_B16(int port, int address, int start, std::span<int32_t, 2> buffer) override;
    int Set_4X_D1(int port, int address, int registerAddress, int value) override;
    int Set_0X_Bit1(int port, int address, int coil) override;
    int Rst_0X_Bit1(int port, int address, int coil) override;
    std::string lastError() const override;

private:
    // Logs the call, honours a hold, and tells whether it is to fail.
    bool enter(const std::string& name, std::vector<int> args);
    void readBits(const std::map<int, bool>& table, int start, std::span<int32_t, 2> buffer);

    mutable std::mutex mutex_;
    std::condition_variable heldChanged_;
    std::map<int, int> input_, holding_;
    std::map<int, bool> discrete_, coils_;
    std::map<std::string, bool> failing_;
    bool failAll_ = false;
    std::vector<int> writeResults_;
    std::string holdName_;
    bool holding_call_ = false;
    bool released_ = false;
    std::vector<Call> calls_;
    std::set<std::thread::id> threads_;
};
