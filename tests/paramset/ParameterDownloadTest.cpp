#include <memory>
#include <optional>
#include <vector>

#include <gtest/gtest.h>

#include "SetFixtures.h"
#include "instrument/RegisterMap.h"
#include "link/InstrumentLink.h"
#include "paramset/ParameterDownload.h"
#include "support/FakeFieldbus.h"
#include "support/ForwardingFieldbus.h"
#include "support/WaitFor.h"

namespace {

using Call = FakeFieldbus::Call;

// An instrument that keeps its own value in one register whatever is
// written there, as one clamping a value to its range would.
class StubbornFieldbus final : public ForwardingFieldbus {
public:
    StubbornFieldbus(FakeFieldbus& target, int registerNumber)
        : ForwardingFieldbus(target), target_(target), register_(registerNumber)
    {
    }

    FieldbusResult writeRegister(int registerNumber, int value) override
    {
        const int kept = target_.holdingRegister(registerNumber);
        const FieldbusResult result = ForwardingFieldbus::writeRegister(registerNumber, value);
        if (registerNumber == register_)
            target_.setHoldingRegister(registerNumber, kept);
        return result;
    }

private:
    FakeFieldbus& target_;
    int register_;
};

// A download over the station's link thread to an instrument holding the
// complete set, the fake's calls inspected after it.
class Download : public ::testing::Test {
protected:
    explicit Download(std::optional<int> stubbornRegister = std::nullopt)
    {
        for (const auto& [registerNumber, raw] : held.values)
            fake.setHoldingRegister(registerNumber, raw);
        std::unique_ptr<Fieldbus> bus;
        if (stubbornRegister)
            bus = std::make_unique<StubbornFieldbus>(fake, *stubbornRegister);
        else
            bus = std::make_unique<ForwardingFieldbus>(fake);
        link = std::make_unique<InstrumentLink>(std::move(bus));
        bool opened = false;
        QObject::connect(link.get(), &InstrumentLink::portOpened, [&opened](bool ok, const QString&) { opened = ok; });
        link->open(LinkSettings{1, 1, 0, 1});
        // The open's call must not land among those a test counts.
        EXPECT_TRUE(waitFor([&] { return opened; }));
        link->disconnect();
        download = std::make_unique<ParameterDownload>(*link);
        QObject::connect(download.get(), &ParameterDownload::finished,
                         [this](const DownloadReport& r) { reports.push_back(r); });
        QObject::connect(link.get(), &InstrumentLink::writeFinished,
                         [this](const WriteOutcome& w) { writes.push_back(w); });
    }

    DownloadReport run(const ParameterSet& file)
    {
        const size_t before = reports.size();
        fake.clearCalls();
        download->start(file);
        EXPECT_TRUE(waitFor([&] { return reports.size() > before; }));
        return reports.empty() ? DownloadReport{} : reports.back();
    }

    std::vector<int> writtenRegisters() const
    {
        std::vector<int> registers;
        for (const Call& c : fake.calls()) {
            if (c.name == "writeRegister")
                registers.push_back(c.args[0]);
        }
        return registers;
    }

    static std::vector<int> registersOf(const std::vector<SetDifference>& differences)
    {
        std::vector<int> registers;
        for (const SetDifference& d : differences)
            registers.push_back(d.slot->registerAddress);
        return registers;
    }

    const ParameterSet held = completeSet();
    FakeFieldbus fake;
    std::unique_ptr<InstrumentLink> link;
    std::unique_ptr<ParameterDownload> download;
    std::vector<DownloadReport> reports;
    std::vector<WriteOutcome> writes;
};

// The file differs from the instrument in these, listed here out of order.
ParameterSet fileDifferingIn(ParameterSet file)
{
    for (int registerNumber : {RegisterMap::kSetValue, RegisterMap::alarmSetPoint(0), RegisterMap::kOutputHigh,
                               RegisterMap::kProportionalBand, RegisterMap::kInputUpper, RegisterMap::parameter(2),
                               RegisterMap::parameter(1), RegisterMap::kCommAddress}) {
        const int16_t raw = file.values[registerNumber];
        file.values[registerNumber] = static_cast<int16_t>(raw > 0 ? raw - 1 : raw + 1);
    }
    return file;
}

TEST_F(Download, writesOnlyWhatDiffersInputTypeFirstAndTheSetValueLastEachReadBack)
{
    const ParameterSet file = fileDifferingIn(held);
    const DownloadReport report = run(file);

    EXPECT_TRUE(report.complete()) << report.problem.toStdString() << report.failure.toStdString();
    const std::vector<int> order{RegisterMap::parameter(1), RegisterMap::parameter(2), RegisterMap::kInputUpper,
                                 RegisterMap::kProportionalBand, RegisterMap::kOutputHigh,
                                 RegisterMap::alarmSetPoint(0), RegisterMap::kSetValue};
    EXPECT_EQ(writtenRegisters(), order);
    EXPECT_EQ(registersOf(report.written), order);
    // The address would cut the line: kept, not written.
    EXPECT_EQ(registersOf(report.kept), std::vector<int>{RegisterMap::kCommAddress});
    EXPECT_EQ(fake.holdingRegister(RegisterMap::kCommAddress), held.values.at(RegisterMap::kCommAddress));

    // Each write is followed by its read-back before the next.
    const std::vector<Call> calls = fake.calls();
    for (size_t i = 0; i < calls.size(); ++i) {
        if (calls[i].name != "writeRegister")
            continue;
        ASSERT_LT(i + 1, calls.size());
        EXPECT_EQ(calls[i + 1], (Call{"readHoldingRegisters", {calls[i].args[0], 1}}));
    }
    for (int registerNumber : order)
        EXPECT_EQ(fake.holdingRegister(registerNumber), file.values.at(registerNumber));

    // Every write is an operator write the journal records.
    ASSERT_EQ(writes.size(), order.size());
    EXPECT_EQ(writes[0].request.origin, WriteOrigin::kParameterDownload);
    EXPECT_EQ(writes[0].request.what, QStringLiteral("输入信号类型"));
    EXPECT_EQ(writes[2].request.shownBefore, QString::number(held.values.at(RegisterMap::kInputUpper)));
    EXPECT_EQ(writes[2].request.shownValue, QString::number(file.values.at(RegisterMap::kInputUpper)));

    EXPECT_TRUE(run(file).written.empty());
    EXPECT_EQ(writtenRegisters(), std::vector<int>{});
}

TEST_F(Download, stopsAtTheFirstFailedWriteAndTheNextDownloadWritesOnlyWhatStillDiffers)
{
    const ParameterSet file = fileDifferingIn(held);
    // The second write fails, and so does the link's one repetition of it.
    fake.scriptWriteResults({true, false, false});
    const DownloadReport stopped = run(file);

    EXPECT_FALSE(stopped.complete());
    EXPECT_EQ(registersOf(stopped.written), std::vector<int>{RegisterMap::parameter(1)});
    ASSERT_TRUE(stopped.failed);
    EXPECT_EQ(stopped.failed->slot->registerAddress, RegisterMap::parameter(2));
    EXPECT_TRUE(stopped.failure.contains(QStringLiteral("小数点位置"))) << stopped.failure.toStdString();
    EXPECT_EQ(registersOf(stopped.notWritten),
              (std::vector<int>{RegisterMap::kInputUpper, RegisterMap::kProportionalBand, RegisterMap::kOutputHigh,
                                RegisterMap::alarmSetPoint(0), RegisterMap::kSetValue}));
    // Nothing after the failure reached the instrument.
    EXPECT_EQ(writtenRegisters(),
              (std::vector<int>{RegisterMap::parameter(1), RegisterMap::parameter(2), RegisterMap::parameter(2)}));

    const DownloadReport resumed = run(file);
    EXPECT_TRUE(resumed.complete());
    EXPECT_EQ(registersOf(resumed.written),
              (std::vector<int>{RegisterMap::parameter(2), RegisterMap::kInputUpper, RegisterMap::kProportionalBand,
                                RegisterMap::kOutputHigh, RegisterMap::alarmSetPoint(0), RegisterMap::kSetValue}));
}

TEST_F(Download, writesNothingForARefusedSetOrAFailedFreshRead)
{
    ParameterSet refused = fileDifferingIn(held);
    refused.values[RegisterMap::alarmSetPoint(3)] = 12000;
    const DownloadReport byCheck = run(refused);
    EXPECT_TRUE(byCheck.problem.contains(QStringLiteral("报警2设定值"))) << byCheck.problem.toStdString();
    EXPECT_TRUE(fake.calls().empty());

    ParameterSet incomplete = fileDifferingIn(held);
    incomplete.values.erase(RegisterMap::kFilter);
    EXPECT_TRUE(run(incomplete).problem.contains(QStringLiteral("数字滤波")));
    EXPECT_TRUE(fake.calls().empty());

    fake.failCalls("readHoldingRegisters");
    const DownloadReport byRead = run(fileDifferingIn(held));
    EXPECT_TRUE(byRead.problem.contains(QStringLiteral("参数 1～14"))) << byRead.problem.toStdString();
    EXPECT_TRUE(byRead.written.empty());
    EXPECT_EQ(writtenRegisters(), std::vector<int>{});
}

class StubbornDownload : public Download {
protected:
    StubbornDownload() : Download(RegisterMap::kInputUpper) {}
};

TEST_F(StubbornDownload, aValueReadBackOtherThanWrittenStopsTheDownload)
{
    const DownloadReport report = run(fileDifferingIn(held));
    ASSERT_TRUE(report.failed);
    EXPECT_EQ(report.failed->slot->registerAddress, RegisterMap::kInputUpper);
    EXPECT_TRUE(report.failure.contains(QStringLiteral("仪表保持"))) << report.failure.toStdString();
    EXPECT_EQ(writtenRegisters(),
              (std::vector<int>{RegisterMap::parameter(1), RegisterMap::parameter(2), RegisterMap::kInputUpper}));
    EXPECT_EQ(report.notWritten.size(), 4u);
}

} // namespace
