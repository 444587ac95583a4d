#include "paramset/ParameterDownload.h"

#include "link/InstrumentLink.h"

ParameterDownload::ParameterDownload(InstrumentLink& link, QObject* parent)
    : QObject(parent)
    , link_(link)
    , reader_(link)
{
}

void ParameterDownload::start(const ParameterSet&)
{
    emit finished({QStringLiteral("未实现"), {}, {}, {}, {}, {}});
}

void ParameterDownload::onFreshRead(const SetReading&) {}
void ParameterDownload::writeNext() {}
void ParameterDownload::onWriteFinished(const WriteOutcome&) {}
void ParameterDownload::onRegistersRead(const RegisterReading&) {}
void ParameterDownload::fail(const QString&) {}
void ParameterDownload::finish() {}
