#include "widgets/HeaderTexts.h"

#include "core/DateValue.h"

namespace HeaderTexts {

QString dateText(const QDate& date)
{
    return DateValue::isoDate(date);
}

QString timeText(const QTime& time)
{
    return QStringLiteral("%1:%2:%3")
        .arg(time.hour(), 2, 10, QLatin1Char('0'))
        .arg(time.minute(), 2, 10, QLatin1Char('0'))
        .arg(time.second(), 2, 10, QLatin1Char('0'));
}

} // namespace HeaderTexts
