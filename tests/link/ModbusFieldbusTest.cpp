#include <array>
#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include <climits>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "RtuFrame.h"
#include "link/ModbusFieldbus.h"

namespace {

using tqsim::Frame;

// An instrument on a pseudo-terminal that answers each request with the
// frames its script gives (CRC added here). It runs on its own thread,
// since a fieldbus call blocks until its answer. It counts how often the
// station closed the device.
class ScriptedInstrument {
public:
    using Script = std::function<std::vector<Frame>(const Frame& request)>;

    explicit ScriptedInstrument(Script script)
        : script_(std::move(script))
    {
        int slave = -1;
        char name[PATH_MAX] = {};
        if (openpty(&master_, &slave, name, nullptr, nullptr) != 0)
            return;
        termios tio{};
        tcgetattr(slave, &tio);
        cfmakeraw(&tio);
        tcsetattr(slave, TCSANOW, &tio);
        close(slave);  // the station's open is then the only one
        device_ = name;
        thread_ = std::thread([this] { serve(); });
    }

    ~ScriptedInstrument()
    {
        stop_ = true;
        if (thread_.joinable())
            thread_.join();
        if (master_ >= 0)
            close(master_);
    }

    const std::string& device() const { return device_; }
    int closes() const { return closes_; }
    std::vector<Frame> requests() const
    {
        std::lock_guard lock(mutex_);
        return requests_;
    }

private:
    void serve()
    {
        Frame pending;
        bool open = false;
        while (!stop_) {
            pollfd pfd{master_, POLLIN, 0};
            if (poll(&pfd, 1, 10) <= 0)
                continue;
            if (!(pfd.revents & POLLIN)) {
                if (open)
                    ++closes_;
                open = false;
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
                continue;
            }
            uint8_t buffer[256];
            const ssize_t n = read(master_, buffer, sizeof buffer);
            if (n <= 0)
                continue;
            open = true;
            pending.insert(pending.end(), buffer, buffer + n);
            // Every request the station sends is 8 bytes long.
            while (pending.size() >= 8) {
                const Frame request(pending.begin(), pending.begin() + 6);
                pending.erase(pending.begin(), pending.begin() + 8);
                {
                    std::lock_guard lock(mutex_);
                    requests_.push_back(request);
                }
                for (Frame answer : script_(request)) {
                    tqsim::appendCrc(answer);
                    if (write(master_, answer.data(), answer.size()) < 0)
                        return;
                }
            }
        }
    }

    Script script_;
    int master_ = -1;
    std::string device_;
    std::thread thread_;
    std::atomic<bool> stop_ = false;
    std::atomic<int> closes_ = 0;
    mutable std::mutex mutex_;
    std::vector<Frame> requests_;
};

int countOf(const Frame& request)
{
    return request[4] << 8 | request[5];
}

// A read answer of `count` registers, register i holding first + i.
Frame registers(const Frame& request, int first)
{
    Frame answer{request[0], request[1], static_cast<uint8_t>(2 * countOf(request))};
    for (int i = 0; i < countOf(request); ++i) {
        answer.push_back(static_cast<uint8_t>((first + i) >> 8));
        answer.push_back(static_cast<uint8_t>((first + i) & 0xFF));
    }
    return answer;
}

// A read of 16 holding registers from 4113.
constexpr int kParameters = 4113;
constexpr int kBlock = 16;

bool isProbe(const Frame& request)
{
    return request[1] == 3 && countOf(request) != kBlock;
}

class FieldbusOnALine : public ::testing::Test {
protected:
    void open(const ScriptedInstrument& instrument)
    {
        PortDevices devices;
        devices.setDevice(1, instrument.device());
        fieldbus = std::make_unique<ModbusFieldbus>(devices);
        ASSERT_TRUE(fieldbus->open(LinkSettings{1, 1, 0, 1}).ok);
    }
    FieldbusResult readParameters() { return fieldbus->readRegisters(RegisterTable::Holding, kParameters, values); }

    std::unique_ptr<ModbusFieldbus> fieldbus;
    std::array<int16_t, kBlock> values{};
};

TEST_F(FieldbusOnALine, answerOfAnotherRequestsShapeFailsTheCallAndTheNextCallProbesBeforeAsking)
{
    int asked = 0;
    ScriptedInstrument instrument([&](const Frame& request) {
        if (isProbe(request))
            return std::vector<Frame>{registers(request, 7000)};
        if (asked++ == 0) {
            Frame older = request;
            older[5] = 8;  // an answer to an 8-register read
            return std::vector<Frame>{registers(older, 133)};
        }
        return std::vector<Frame>{registers(request, 171)};
    });
    open(instrument);

    const FieldbusResult first = readParameters();
    EXPECT_FALSE(first.ok);
    EXPECT_NE(first.reason.find("21 bytes instead of 37"), std::string::npos) << first.reason;
    EXPECT_EQ(first.failure, (LinkFailure{LinkFailure::Kind::WrongAnswer}));
    EXPECT_EQ(values[0], 0);

    const FieldbusResult second = readParameters();
    ASSERT_TRUE(second.ok) << second.reason;
    EXPECT_EQ(values[0], 171);
    EXPECT_EQ(values[15], 186);
    const auto requests = instrument.requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_TRUE(isProbe(requests[1]));
    EXPECT_EQ(requests[2], requests[0]);
}

TEST_F(FieldbusOnALine, exceptionsWithoutAMeaningAreNamedByNumberAndKeepTheDeviceOpen)
{
    std::vector<int> refusals{0, 23};
    ScriptedInstrument instrument([&](const Frame& request) {
        if (isProbe(request))
            return std::vector<Frame>{registers(request, 7000)};
        if (refusals.empty())
            return std::vector<Frame>{registers(request, 171)};
        const int code = refusals.front();
        refusals.erase(refusals.begin());
        return std::vector<Frame>{Frame{request[0], static_cast<uint8_t>(request[1] | 0x80), static_cast<uint8_t>(code)}};
    });
    open(instrument);

    for (const int code : {0, 23}) {
        const FieldbusResult refused = readParameters();
        EXPECT_EQ(refused.reason, "reading holding registers: exception " + std::to_string(code));
        EXPECT_EQ(refused.failure, (LinkFailure{LinkFailure::Kind::Refused, code}));
    }
    EXPECT_TRUE(readParameters().ok);
    EXPECT_EQ(instrument.closes(), 0);
}

TEST_F(FieldbusOnALine, aFailedProbeKeepsItsKindAndSaysTheLinkWasResynchronising)
{
    ScriptedInstrument instrument([&](const Frame& request) {
        if (isProbe(request))
            return std::vector<Frame>{Frame{request[0], static_cast<uint8_t>(request[1] | 0x80), 11}};
        Frame older = request;
        older[5] = 8;
        return std::vector<Frame>{registers(older, 133)};
    });
    open(instrument);

    EXPECT_FALSE(readParameters().ok);
    const FieldbusResult probed = readParameters();
    EXPECT_EQ(probed.reason.rfind("link out of step: resynchronising: probing: ", 0), 0u) << probed.reason;
    EXPECT_EQ(probed.failure, (LinkFailure{LinkFailure::Kind::Refused, 11, true}));
}

} // namespace
