#include "paramset/InstrumentSetReader.h"

#include <algorithm>
#include <array>

#include "instrument/RegisterMap.h"
#include "link/InstrumentLink.h"
#include "link/LinkFailureText.h"
#include "link/PollPlan.h"
#include "link/ReadShape.h"
#include "paramset/ParameterSetFile.h"
#include "paramset/ParamsetLog.h"
#include "paramset/SetSlot.h"

namespace {

// The registers of a set in reads of at most 16 registers, the most the
// instrument answers at a time. Each read has a shape (register count) of
// its own, none the poll's, a probe's or a read-back's: the set is read
// between the poll's reads, and an answer meant for one of those must
// never pass for a part of the set.
struct SetRead {
    int start;
    int count;
    const char* what;  // nullptr for parameters: named by their numbers
};

constexpr std::array<SetRead, 6> kReads{{
    {RegisterMap::parameter(1), 14, nullptr},
    {RegisterMap::parameter(15), 10, nullptr},
    {RegisterMap::parameter(25), 7, nullptr},
    {RegisterMap::parameter(32), 6, nullptr},
    {RegisterMap::kAlarmSetPointBase, RegisterMap::kAlarmSetPoints, QT_TRANSLATE_NOOP("InstrumentSetReader", "报警设定点")},
    // With the manual output after it: one register alone is a read-back's shape.
    {RegisterMap::kSetValue, 2, QT_TRANSLATE_NOOP("InstrumentSetReader", "设定SV")},
}};

static_assert([] {
    std::array<ReadShape, kReads.size()> own{};
    std::transform(kReads.begin(), kReads.end(), own.begin(), [](const SetRead& r) { return ReadShape::holding(r.count); });
    return ReadShapes::allDistinct(ReadShapes::joined(own, ReadShapes::kPollAndLinkReads));
}(), "a read of the set shares an answer's shape with another read");

static_assert([] {
    int next = RegisterMap::parameter(RegisterMap::kFirstParameter);
    for (const SetRead& read : kReads) {
        if (read.what != nullptr)
            continue;
        if (read.start != next || read.count > 16)
            return false;
        next += read.count;
    }
    return next == RegisterMap::parameter(RegisterMap::kLastParameter) + 1;
}(), "the parameter reads do not cover the parameters in order");

ShownText readName(const SetRead& read)
{
    if (read.what != nullptr)
        return ShownText("InstrumentSetReader", read.what);
    return ShownText("InstrumentSetReader", QT_TRANSLATE_NOOP("InstrumentSetReader", "参数 %1～%2"))
        .arg(read.start - RegisterMap::kParameterBase)
        .arg(read.start - RegisterMap::kParameterBase + read.count - 1);
}

} // namespace

InstrumentSetReader::InstrumentSetReader(InstrumentLink& link, QObject* parent)
    : QObject(parent)
    , link_(link)
{
    qRegisterMetaType<SetReading>();
    connect(&link_, &InstrumentLink::registersRead, this, &InstrumentSetReader::onRegistersRead);
}

void InstrumentSetReader::start()
{
    if (busy_)
        return;
    busy_ = true;
    const LinkSettings& settings = link_.settings();
    set_ = ParameterSet{};
    set_.address = settings.moduleAddress;
    set_.port = settings.port;
    set_.stationVersion = ParameterSetFile::stationVersion();
    nextRead_ = 0;
    readNext();
}

void InstrumentSetReader::readNext()
{
    const SetRead& read = kReads[static_cast<size_t>(nextRead_)];
    link_.readRegisters(read.start, read.count, this);
}

void InstrumentSetReader::onRegistersRead(const RegisterReading& reading)
{
    if (!busy_ || reading.asker != this)
        return;
    const SetRead& read = kReads[static_cast<size_t>(nextRead_)];
    if (!reading.ok) {
        busy_ = false;
        qCWarning(paramsetLog).noquote() << QStringLiteral("fresh read of registers %1..%2 failed: %3")
                                                .arg(read.start).arg(read.start + read.count - 1).arg(reading.error);
        const ShownText problem = ShownText("InstrumentSetReader", QT_TRANSLATE_NOOP("InstrumentSetReader", "读取%1失败：%2"))
                                      .arg(readName(read))
                                      .arg(linkFailureWords(reading.failure));
        emit finished({std::nullopt, problem.shown(), problem});
        return;
    }
    for (int i = 0; i < read.count; ++i) {
        const int registerAddress = read.start + i;
        // Parameters 8 and 21 come along in the block but belong to no set.
        if (SetSlots::ofRegister(registerAddress))
            set_.values[registerAddress] = reading.values[static_cast<size_t>(i)];
    }
    ++nextRead_;
    if (nextRead_ < static_cast<int>(kReads.size())) {
        readNext();
        return;
    }
    busy_ = false;
    set_.timeRead = QDateTime::currentDateTime();
    qCDebug(paramsetLog) << "fresh read of" << set_.values.size() << "registers";
    emit finished({set_, {}, {}});
}
