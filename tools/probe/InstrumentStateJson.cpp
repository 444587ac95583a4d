#include "InstrumentStateJson.h"

#include <QJsonArray>

#include "link/LinkHealth.h"
#include "core/NumberText.h"
#include "instrument/InstrumentState.h"

namespace {

// Values first..first + count - 1 of one of the state's accessors. Numbers
// as the panel shows them (52.3, not 52.29999923706055).
template <typename Value>
QJsonArray floats(Value value, int first, int count)
{
    QJsonArray out;
    for (int i = first; i < first + count; ++i)
        out.append(numberText(value(i)).toDouble());
    return out;
}

template <typename Value>
QJsonArray integers(Value value, int first, int count)
{
    QJsonArray out;
    for (int i = first; i < first + count; ++i)
        out.append(static_cast<qint64>(value(i)));
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

QJsonObject instrumentStateJson(const InstrumentState& state, const LinkHealth& health)
{
    using namespace RegisterMap;
    QJsonObject json;
    json[QStringLiteral("inputValues")] =
        floats([&](int r) { return state.measurement(r); }, kInputBlockStart, kInputBlockSize);
    json[QStringLiteral("holdingValues")] =
        floats([&](int r) { return state.command(r); }, kHoldingBlockStart, kHoldingBlockSize);
    json[QStringLiteral("paramValues")] =
        floats([&](int n) { return state.parameter(n); }, kFirstParameter, kLastParameter);
    json[QStringLiteral("alarmRegs")] =
        integers([&](int i) { return state.alarmRegister(i); }, 0, kAlarmBlockSize);
    json[QStringLiteral("inputBits")] =
        integers([&](int b) { return state.discreteInput(b) ? 1 : 0; }, kBitBlockStart, kBitBlockSize);
    json[QStringLiteral("coilBits")] =
        integers([&](int b) { return state.coil(b) ? 1 : 0; }, kBitBlockStart, kBitBlockSize);
    json[QStringLiteral("link")] = linkHealthJson(health);
    return json;
}
