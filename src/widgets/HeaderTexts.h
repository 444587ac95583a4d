#pragma once

#include <QDate>
#include <QString>
#include <QTime>

// The date and time fields in the main window's header,
// written once a second from the clock: fixed forms, whatever the locale.
// The station writes every date it shows in this one form.
namespace HeaderTexts {

// ISO 8601, year, month and day: "2001-03-12".
QString dateText(const QDate& date);
// Hours 00..23, minutes and seconds joined by ":": "14:05:07".
QString timeText(const QTime& time);

} // namespace HeaderTexts
