#pragma once

#include <QDate>
#include <QString>
#include <QTime>

// The date and time fields in the main window's header,
// written once a second from the clock: fixed forms, whatever the locale.
namespace HeaderTexts {

// Month, day and four-digit year joined by "-": "03-12-2001".
QString dateText(const QDate& date);
// Hours 00..23, minutes and seconds joined by ":": "14:05:07".
QString timeText(const QTime& time);

} // namespace HeaderTexts
