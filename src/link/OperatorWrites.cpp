#include "link/OperatorWrites.h"

#include "link/InstrumentLink.h"
#include "instrument/ProcessImage.h"

OperatorWrites::OperatorWrites(ProcessImage& image, InstrumentLink& link, QObject* parent)
    : QObject(parent)
    , image_(image)
    , link_(link)
{
    connect(&link_, &InstrumentLink::writeFinished, this, &OperatorWrites::onWriteFinished);
}

void OperatorWrites::writeRegister(int registerAddress, int32_t value, const QString& what)
{
    auto& settings = image_.linkSettings;
    settings[ProcessImage::kPanelWriteSlot] = value;
    const quint64 id = link_.writeRegister(settings[ProcessImage::kPortSlot], settings[ProcessImage::kAddressSlot],
                                           registerAddress, settings[ProcessImage::kPanelWriteSlot]);
    pending_[id] = what;
}

void OperatorWrites::switchCoil(int coil, bool on, const QString& what)
{
    const auto& settings = image_.linkSettings;
    const int port = settings[ProcessImage::kPortSlot];
    const int address = settings[ProcessImage::kAddressSlot];
    const quint64 id = on ? link_.setCoil(port, address, coil) : link_.resetCoil(port, address, coil);
    pending_[id] = what;
}

void OperatorWrites::adopt(quint64 id, const QString& what)
{
    pending_[id] = what;
}

void OperatorWrites::onWriteFinished(const WriteOutcome& outcome)
{
    const auto it = pending_.find(outcome.id);
    if (it == pending_.end())
        return;
    const QString what = it->second;
    pending_.erase(it);
    if (!outcome.ok)
        emit failed(what, outcome);
}
