#include "core/IsoTime.h"

namespace IsoTime {

std::optional<QDateTime> parse(const QString& text)
{
    // Qt refuses a leading or trailing space; a quoted shell argument that
    // kept one still means the same time.
    const QDateTime time = QDateTime::fromString(text.trimmed(), Qt::ISODateWithMs);
    if (!time.isValid())
        return std::nullopt;
    return time;
}

bool parseOption(const QString& option, const QString& text, QDateTime& time, QString& error)
{
    const std::optional<QDateTime> parsed = parse(text);
    if (!parsed) {
        error = QStringLiteral("--%1: not an ISO 8601 time: %2").arg(option, text);
        return false;
    }
    time = *parsed;
    return true;
}

} // namespace IsoTime
