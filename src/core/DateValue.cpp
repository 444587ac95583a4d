#include "core/DateValue.h"

#include <cmath>

namespace DateValue {

namespace {
constexpr double kSecondsPerDay = 86400.0;
}

QDate epoch()
{
    return QDate(1899, 12, 30);
}

double fromDate(const QDate& date)
{
    return static_cast<double>(epoch().daysTo(date));
}

double fromTime(const QTime& time)
{
    return time.msecsSinceStartOfDay() / 1000 / kSecondsPerDay;
}

double fromDateTime(const QDateTime& dateTime)
{
    return fromDate(dateTime.date()) + fromTime(dateTime.time());
}

double datePart(double value)
{
    return std::trunc(value);
}

double timePart(double value)
{
    // Before the epoch the fraction still counts forward from midnight.
    return std::fabs(value - std::trunc(value));
}

QDate toDate(double value)
{
    return epoch().addDays(static_cast<qint64>(datePart(value)));
}

QTime toTime(double value)
{
    auto seconds = static_cast<int>(std::lround(timePart(value) * kSecondsPerDay));
    if (seconds >= 86400)
        seconds = 86399;  // a fraction a hair below one day must not wrap to midnight
    return QTime(0, 0).addSecs(seconds);
}

QDateTime toDateTime(double value)
{
    return QDateTime(toDate(value), toTime(value));
}

QString isoDate(const QDate& date)
{
    return QStringLiteral("%1-%2-%3")
        .arg(date.year(), 4, 10, QLatin1Char('0'))
        .arg(date.month(), 2, 10, QLatin1Char('0'))
        .arg(date.day(), 2, 10, QLatin1Char('0'));
}

QString text(double value)
{
    const bool hasDate = datePart(value) != 0.0;
    const bool hasTime = timePart(value) != 0.0;
    const QString timeText = toTime(value).toString(QStringLiteral("HH:mm:ss"));
    if (hasDate && hasTime)
        return isoDate(toDate(value)) + QLatin1Char(' ') + timeText;
    if (hasDate)
        return isoDate(toDate(value));
    return timeText;
}

} // namespace DateValue
