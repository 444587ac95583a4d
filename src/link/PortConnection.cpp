#include "link/PortConnection.h"

#include "core/NumericText.h"
#include "core/WholeNumber.h"
#include "link/InstrumentLink.h"
#include "link/Poller.h"

namespace {

// A list text as a whole number; a value that does not fit is not taken.
void takeNumber(int& setting, const QString& text)
{
    if (const auto value = toInt32(numericValue(text)))
        setting = *value;
}

} // namespace

LinkSettings LinkChoices::appliedTo(LinkSettings settings) const
{
    takeNumber(settings.port, portText);
    if (baudIndex >= 0 && baudIndex <= 2)
        settings.baudCode = baudIndex;
    if (parityIndex >= 0 && parityIndex <= 2)
        settings.parityCode = parityIndex;
    takeNumber(settings.moduleAddress, addressText);
    return settings;
}

PortConnection::PortConnection(InstrumentLink& link, Poller& poll, QObject* parent)
    : QObject(parent)
    , link_(link)
    , poll_(poll)
{
}

void PortConnection::open(const LinkChoices& choices)
{
    open(choices.appliedTo(link_.settings()));
}

void PortConnection::open(const LinkSettings& settings)
{
    link_.open(settings);
    emit opened();
    poll_.start();
}

void PortConnection::close()
{
    link_.close();
    poll_.stop();
    emit closed();
}

bool PortConnection::isOpen() const
{
    return poll_.running();
}
