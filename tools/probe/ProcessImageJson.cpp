#include "ProcessImageJson.h"

#include <QJsonArray>

#include "link/LinkHealth.h"
#include "core/NumberText.h"
#include "instrument/ProcessImage.h"

namespace {

// Numbers as the panel shows them (52.3, not 52.29999923706055).
template <typename Array>
QJsonArray floats(const Array& values, size_t first, size_t count)
{
    QJsonArray out;
    for (size_t i = first; i < first + count; ++i)
        out.append(numberText(values[i]).toDouble());
    return out;
}

template <typename Array>
QJsonArray integers(const Array& values, size_t count)
{
    QJsonArray out;
    for (size_t i = 0; i < count; ++i)
        out.append(static_cast<qint64>(values[i]));
    return out;
}

QString stateName(LinkHealth::State state)
{
    switch (state) {
    case LinkHealth::State::Closed: return QStringLiteral("closed");
    case LinkHealth::State::Waiting: return QStringLiteral("waiting");
    case LinkHealth::State::Answering: return QStringLiteral("answering");
    case LinkHealth::State::Degraded: return QStringLiteral("degraded");
    case LinkHealth::State::Silent: return QStringLiteral("silent");
    }
    return {};
}

} // namespace

QJsonObject linkHealthJson(const LinkHealth& health)
{
    QJsonObject link;
    link[QStringLiteral("state")] = stateName(health.state());
    link[QStringLiteral("answering")] = health.answering();
    link[QStringLiteral("calls")] = health.calls();
    link[QStringLiteral("failedCalls")] = health.failedCalls();
    link[QStringLiteral("failingSince")] = health.failingSince()
        ? QJsonValue(health.failingSince()->toString(Qt::ISODate)) : QJsonValue();
    link[QStringLiteral("lastError")] = health.failureReason();
    return link;
}

QJsonObject processImageJson(const ProcessImage& image, const LinkHealth& health)
{
    QJsonObject json;
    json[QStringLiteral("inputValues")] = floats(image.inputValues, 0, 8);
    json[QStringLiteral("holdingValues")] = floats(image.holdingValues, 0, 8);
    json[QStringLiteral("paramValues")] = floats(image.paramValues, 1, 37);  // parameters 1..37
    json[QStringLiteral("alarmRegs")] = integers(image.alarmRegs, 16);
    json[QStringLiteral("inputBits")] = integers(image.inputBits, 16);
    json[QStringLiteral("coilBits")] = integers(image.coilBits, 16);
    json[QStringLiteral("link")] = linkHealthJson(health);
    return json;
}
