#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

// A date value is a count of days since 30 December 1899 with the time of
// day as the fraction: the form the history database keeps dates and times
// in (date and time of day in separate columns).
namespace DateValue {

QDate epoch();

double fromDate(const QDate& date);             // whole days, no time part
double fromTime(const QTime& time);             // fraction of a day, to the whole second
double fromDateTime(const QDateTime& dateTime); // both parts

double datePart(double value);  // the whole days
double timePart(double value);  // the fraction of a day

QDate toDate(double value);
QTime toTime(double value);     // rounded to the whole second
QDateTime toDateTime(double value);

// The one form every date the station shows takes, whatever the locale:
// ISO 8601, "2001-03-12".
QString isoDate(const QDate& date);

// A value without a time part shows as an ISO date, one without a date
// part as a time ("14:05:07"), one with both as date and time.
QString text(double value);

} // namespace DateValue
