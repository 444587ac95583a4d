#include "paramset/InstrumentSetReader.h"

#include "link/InstrumentLink.h"

InstrumentSetReader::InstrumentSetReader(InstrumentLink& link, QObject* parent)
    : QObject(parent)
    , link_(link)
{
    qRegisterMetaType<SetReading>();
}

void InstrumentSetReader::start()
{
    emit finished({std::nullopt, QStringLiteral("未实现")});
}

void InstrumentSetReader::onRegistersRead(const RegisterReading&) {}
void InstrumentSetReader::readNext() {}
