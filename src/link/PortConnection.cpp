#include "link/PortConnection.h"

#include "link/InstrumentLink.h"
#include "link/Poller.h"
#include "core/NumericText.h"
#include "instrument/ProcessImage.h"
#include "core/WholeNumber.h"

namespace {

// A list text as a whole number; a value that does not fit is not stored.
void storeNumber(int32_t& slot, const QString& text)
{
    if (const auto value = toInt32(numericValue(text)))
        slot = *value;
}

} // namespace

PortConnection::PortConnection(ProcessImage& image, InstrumentLink& link, Poller& poll, QObject* parent)
    : QObject(parent)
    , image_(image)
    , link_(link)
    , poll_(poll)
{
}

void PortConnection::open(const LinkChoices& choices)
{
    auto& settings = image_.linkSettings;
    storeNumber(settings[ProcessImage::kPortSlot], choices.portText);
    if (choices.baudIndex >= 0 && choices.baudIndex <= 2)
        settings[ProcessImage::kBaudSlot] = choices.baudIndex;
    if (choices.parityIndex >= 0 && choices.parityIndex <= 2)
        settings[ProcessImage::kParitySlot] = choices.parityIndex;
    storeNumber(settings[ProcessImage::kAddressSlot], choices.addressText);

    link_.openPort(settings[ProcessImage::kPortSlot], settings[ProcessImage::kBaudSlot],
                   settings[ProcessImage::kParitySlot]);
    emit opened();
    poll_.start();
}

void PortConnection::close()
{
    link_.closePort(image_.linkSettings[ProcessImage::kPortSlot]);
    poll_.stop();
    emit closed();
}

bool PortConnection::isOpen() const
{
    return poll_.running();
}
