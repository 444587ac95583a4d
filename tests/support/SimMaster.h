#pragma once

#include <chrono>
#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include "support/SimProcess.h"

typedef struct _modbus modbus_t;

// A libmodbus RTU master on the simulator's device, set up the way the
// station uses one: short response time-out, flush after every failure.
// Numbers are 1-based like the register map; registers read as signed.
class SimMaster {
public:
    enum class Table { Coils, DiscreteInputs, InputRegisters, HoldingRegisters };
    using Values = std::vector<int>;

    explicit SimMaster(const std::string& device, int slave = 1, int baud = 9600, char parity = 'N');
    ~SimMaster();
    SimMaster(const SimMaster&) = delete;
    SimMaster& operator=(const SimMaster&) = delete;

    bool connected() const { return context_ != nullptr; }
    void setSlave(int slave);
    int lastError() const { return error_; } // errno of the last failed call
    std::string why() const;
    int fd() const;

    std::optional<Values> read(Table table, int first, int count);
    bool writeHoldings(int first, const Values& values); // one value: function 6, more: 16
    bool writeCoils(int first, const Values& values);    // one value: function 5, more: 15

private:
    bool check(int rc);

    modbus_t* context_ = nullptr;
    int error_ = 0;
};

// A simulator started with `args` and one master on its line.
struct ServedSim {
    SimProcess sim;
    SimMaster master;
    explicit ServedSim(std::vector<std::string> args, int slave = 1)
        : sim(std::move(args)), master(sim.devicePath(), slave) {}
};

// Polls `condition` until it holds or the time-out passes.
template <typename Condition>
bool waitUntil(Condition condition, std::chrono::milliseconds timeout = std::chrono::milliseconds(3000))
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        timespec pause{0, 10 * 1000 * 1000};
        nanosleep(&pause, nullptr);
    }
    return true;
}
