#include <map>
#include <string>
#include <vector>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "instrument/RegisterMap.h"
#include "link/PollPlan.h"
#include "support/LinkTrace.h"
#include "support/RealLinkFixture.h"
#include "support/SimProcess.h"

namespace {

using namespace RegisterMap;

// Every register the poll or the set reads holds a value of its own, so an
// answer taken for another read's shows. The parameter that holds the
// station address keeps it, or the instrument would stop answering.
struct Truth {
    std::map<int, int> input;
    std::map<int, int> holding;

    Truth()
    {
        for (int r = kInputBlockStart; r < kInputBlockStart + kInputBlockSize; ++r)
            input[r] = 3000 + r;
        for (int r = kHoldingBlockStart; r < kHoldingBlockStart + kHoldingBlockSize; ++r)
            holding[r] = 1000 + r;
        for (int r = parameter(1); r <= parameter(40); ++r)
            holding[r] = r;
        holding[kCommAddress] = 1;
        for (int r = kAlarmBlockStart; r < kAlarmBlockStart + kAlarmBlockSize; ++r)
            holding[r] = r;
    }

    std::vector<std::string> simArgs(const char* fault, int faultAfter) const
    {
        std::vector<std::string> args{"--frozen", "--line-timing", "--fault", fault, "--fault-after",
                                      std::to_string(faultAfter)};
        for (const auto& [table, values] : {std::pair{"3x:", &input}, std::pair{"4x:", &holding}}) {
            for (const auto& [r, value] : *values)
                args.insert(args.end(), {"--set", table + std::to_string(r) + "=" + std::to_string(value)});
        }
        return args;
    }

    // The first register of the read that the block's values do not match.
    std::string firstWrongValue(const PollBlock& block) const
    {
        for (const PollRead& read : kPollPlan) {
            const bool registers = read.table == PollRead::Table::InputRegisters
                                   || read.table == PollRead::Table::HoldingRegisters;
            if (read.step != block.step || !registers || !block.readOk[static_cast<size_t>(read.index)])
                continue;
            const auto& table = read.table == PollRead::Table::InputRegisters ? input : holding;
            for (int i = 0; i < read.count; ++i) {
                const int held = block.registers[static_cast<size_t>(read.offset + i)];
                if (held != table.at(read.start + i))
                    return "register " + std::to_string(read.start + i) + " taken as " + std::to_string(held);
            }
        }
        return {};
    }

    // The first value of a saved set that the instrument does not hold.
    std::string firstWrongValue(const QJsonObject& set) const
    {
        QJsonArray values = set[QStringLiteral("parameters")].toArray();
        for (const auto& alarm : set[QStringLiteral("alarmSetPoints")].toArray())
            values.append(alarm);
        values.append(set[QStringLiteral("setValue")]);
        if (values.size() != 35 + kAlarmSetPoints + 1)
            return std::to_string(values.size()) + " values saved";
        for (const auto& slot : values) {
            const int r = slot[QStringLiteral("register")].toInt();
            const int raw = slot[QStringLiteral("raw")].toInt();
            if (raw != holding.at(r))
                return "register " + std::to_string(r) + " saved as " + std::to_string(raw);
        }
        return {};
    }
};

// The fault starts so that the first answer it moves is meant for one read
// of the parameters and meets the next: the answer to the first read
// repeated, or the second read answered one behind.
struct StrayAnswers {
    const char* fault;
    int parameterAnswersBefore;  // let through before the fault, counted from the first parameter read
    int cycles;
};

class InstrumentWithStrayAnswers : public RealLinkFixture, public ::testing::WithParamInterface<StrayAnswers> {
protected:
    const Truth truth;
};

// The poll reads the input and holding blocks before the parameters; the
// set starts with them.
constexpr int kPollReadsBeforeTheParameters = 2;

TEST_P(InstrumentWithStrayAnswers, noStrayAnswerPassesForAPollReadOrAPartOfASavedSet)
{
    const StrayAnswers& stray = GetParam();

    SimProcess polled(truth.simArgs(stray.fault, kPollReadsBeforeTheParameters + stray.parameterAnswersBefore));
    ASSERT_TRUE(polled.started());
    std::string wrong;
    connectTo(polled.devicePath());
    QObject::connect(link, &InstrumentLink::blockRead, [&](const PollBlock& block) {
        if (wrong.empty())
            wrong = truth.firstWrongValue(block);
    });
    const LinkTrace trace;
    int failedCalls = 0;
    for (int i = 0; i < stray.cycles; ++i) {
        runCycle();
        failedCalls += lastReport().failedCalls;
    }
    EXPECT_EQ(wrong, "") << stray.fault;
    // The fault met the poll: as failed calls, or, on a machine too slow to
    // ask before a repeated answer arrives, as bytes dropped before asking.
    EXPECT_TRUE(failedCalls > 0 || !trace.lines().filter(QStringLiteral("heard outside any answer")).isEmpty())
        << stray.fault;
    closeLink();

    SimProcess read(truth.simArgs(stray.fault, stray.parameterAnswersBefore));
    ASSERT_TRUE(read.started());
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("set.json"));
    const ProgramResult saved =
        runProgram(TQ5800_PROBE_PATH, {"--device", read.devicePath(), "--save-parameters", path.toStdString()});
    // Refused with no file, or, where every repeated answer was dropped
    // before the next read asked, saved as the instrument holds it.
    QFile file(path);
    if (saved.exitCode != 0) {
        EXPECT_FALSE(file.exists()) << stray.fault;
    } else {
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << stray.fault;
        EXPECT_EQ(truth.firstWrongValue(QJsonDocument::fromJson(file.readAll()).object()), "") << stray.fault;
    }
}

INSTANTIATE_TEST_SUITE_P(Faults, InstrumentWithStrayAnswers, ::testing::Values(
    StrayAnswers{"late:400", 1, 3},
    StrayAnswers{"duplicate", 0, 4},
    StrayAnswers{"one-behind", 1, 3}),
    [](const ::testing::TestParamInfo<StrayAnswers>& info) {
        std::string name = info.param.fault;
        std::erase_if(name, [](char c) { return c == ':' || c == '-'; });
        return name;
    });

} // namespace
