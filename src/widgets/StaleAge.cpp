#include "widgets/StaleAge.h"

#include <algorithm>
#include <optional>

#include <QCoreApplication>

#include "widgets/StatusTexts.h"

namespace {

std::optional<QDateTime> staleSince(const InstrumentState& state, InstrumentState::Block block, const QDateTime& now)
{
    if (state.isFresh(block, now))
        return std::nullopt;
    return state.status(block).lastGoodRead;
}

} // namespace

namespace StaleAge {

QString text(qint64 seconds)
{
    constexpr qint64 kMinute = 60;
    constexpr qint64 kHour = 60 * kMinute;
    constexpr qint64 kDay = 24 * kHour;
    const qint64 s = std::max<qint64>(seconds, 0);
    if (s < kMinute)
        return QCoreApplication::translate("StaleAge", "%1 秒前").arg(s);
    if (s < kHour)
        return QCoreApplication::translate("StaleAge", "%1 分钟前").arg(s / kMinute);
    if (s < kDay)
        return QCoreApplication::translate("StaleAge", "%1 小时前").arg(s / kHour);
    return QCoreApplication::translate("StaleAge", "%1 天前").arg(s / kDay);
}

QString of(const InstrumentState& state, InstrumentState::Block block, const QDateTime& now)
{
    const std::optional<QDateTime> since = staleSince(state, block, now);
    return since ? text(since->secsTo(now)) : QString();
}

QString confirmedAt(const InstrumentState& state, InstrumentState::Block block, const QDateTime& now)
{
    const std::optional<QDateTime> since = staleSince(state, block, now);
    if (!since)
        return QString();
    return QCoreApplication::translate("StaleAge", "仪表最后确认这些值：%1")
        .arg(StatusTexts::sinceText(*since, now.date()));
}

} // namespace StaleAge
