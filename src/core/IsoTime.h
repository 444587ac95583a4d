#pragma once

#include <optional>

#include <QDateTime>
#include <QString>

// Times typed on the command lines of the tools: ISO 8601 with or without
// milliseconds, local time when the text carries no offset ("Z" or
// "+01:00" otherwise), a date alone meaning its midnight.
namespace IsoTime {

std::optional<QDateTime> parse(const QString& text);

// The value of a time option; false with error naming the option and the
// text when it is no time.
bool parseOption(const QString& option, const QString& text, QDateTime& time, QString& error);

} // namespace IsoTime
