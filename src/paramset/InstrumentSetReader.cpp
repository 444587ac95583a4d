#include "paramset/InstrumentSetReader.h"

#include <array>

#include "instrument/RegisterMap.h"
#include "link/InstrumentLink.h"
#include "link/LinkFailureText.h"
#include "paramset/ParameterSetFile.h"
#include "paramset/ParamsetLog.h"
#include "paramset/SetSlot.h"

namespace {

// The registers of a set in the blocks the poll reads them in: the
// instrument answers at most 16 registers at a time.
struct SetRead {
    int start;
    int count;
    const char* what;
};

constexpr std::array<SetRead, 5> kReads{{
    {RegisterMap::parameter(1), 16, QT_TRANSLATE_NOOP("InstrumentSetReader", "参数 1～16")},
    {RegisterMap::parameter(17), 16, QT_TRANSLATE_NOOP("InstrumentSetReader", "参数 17～32")},
    {RegisterMap::parameter(33), 5, QT_TRANSLATE_NOOP("InstrumentSetReader", "参数 33～37")},
    {RegisterMap::kAlarmSetPointBase, RegisterMap::kAlarmSetPoints, QT_TRANSLATE_NOOP("InstrumentSetReader", "报警设定点")},
    {RegisterMap::kSetValue, 1, QT_TRANSLATE_NOOP("InstrumentSetReader", "设定SV")},
}};

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
                                      .arg(ShownText("InstrumentSetReader", read.what))
                                      .arg(linkFailureWords(reading.error));
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
