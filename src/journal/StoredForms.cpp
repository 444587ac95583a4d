#include "journal/StoredForms.h"

#include <array>
#include <utility>

#include <QRegularExpression>

namespace StoredForms {

QString instrument(int port, int moduleAddress)
{
    return QStringLiteral("port %1 address %2").arg(port).arg(moduleAddress);
}

std::optional<Instrument> parseInstrument(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("^port (\\d{1,3}) address (\\d{1,3})$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    return Instrument{match.captured(1).toInt(), match.captured(2).toInt()};
}

QString coilValue(bool on)
{
    return on ? QStringLiteral("on") : QStringLiteral("off");
}

std::optional<bool> parseCoilValue(const QString& text)
{
    if (text == QLatin1String("on"))
        return true;
    if (text == QLatin1String("off"))
        return false;
    return std::nullopt;
}

QString writeFailure(int attempts, const QString& reason)
{
    return attempts > 1 ? QStringLiteral("after %1 attempts: %2").arg(attempts).arg(reason) : reason;
}

WriteFailure parseWriteFailure(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("^after (\\d+) attempts: (.*)$"),
                                            QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return {1, text};
    return {match.captured(1).toInt(), match.captured(2)};
}

QString droppedEvents(int64_t count)
{
    return QStringLiteral("%1 events dropped at the memory limit").arg(count);
}

std::optional<int64_t> parseDroppedEvents(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d+) events dropped at the memory limit$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    return match.captured(1).toLongLong();
}

QString stationStarted(const QString& version, const QString& historyPath, const QString& journalPath)
{
    return QStringLiteral("version %1; history file %2; journal %3").arg(version, historyPath, journalPath);
}

std::optional<StationStart> parseStationStarted(const QString& text)
{
    // The journal's path is the last part: a history path may hold "; ".
    static const QRegularExpression pattern(QStringLiteral("^version (\\S*); history file (.*); journal (.*)$"),
                                            QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    return StationStart{match.captured(1), match.captured(2), match.captured(3)};
}

QString signalSender(qint64 pid)
{
    return pid > 0 ? QStringLiteral("sent by process %1").arg(pid) : QStringLiteral("sent by no process");
}

std::optional<qint64> parseSignalSender(const QString& text)
{
    if (text == QLatin1String("sent by no process"))
        return 0;
    static const QRegularExpression pattern(QStringLiteral("^sent by process (\\d+)$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    return match.captured(1).toLongLong();
}

QString moment(const QDateTime& time)
{
    return time.toOffsetFromUtc(time.offsetFromUtc()).toString(Qt::ISODate);
}

std::optional<QDateTime> parseMoment(const QString& text)
{
    const QDateTime time = QDateTime::fromString(text, Qt::ISODate);
    if (!time.isValid() || time.timeSpec() == Qt::LocalTime)  // no offset: not a stored moment
        return std::nullopt;
    return time;
}

namespace {
constexpr std::array<std::pair<ForwardingCause, const char*>, 8> kForwardingCauses{{
    {ForwardingCause::NoConnection, "no-connection"},
    {ForwardingCause::ServerShutdown, "server-shutdown"},
    {ForwardingCause::Authentication, "authentication"},
    {ForwardingCause::NoSchema, "no-schema"},
    {ForwardingCause::SchemaVersion, "schema-version"},
    {ForwardingCause::NoPermission, "no-permission"},
    {ForwardingCause::NoAnswer, "no-answer"},
    {ForwardingCause::StationFiles, "station-files"},
}};
} // namespace

QString forwardingCause(ForwardingCause cause)
{
    for (const auto& [known, code] : kForwardingCauses)
        if (known == cause)
            return QString::fromLatin1(code);
    return {};
}

ForwardingCause parseForwardingCause(const QString& text)
{
    for (const auto& [cause, code] : kForwardingCauses)
        if (text == QLatin1String(code))
            return cause;
    return ForwardingCause::Unknown;
}

} // namespace StoredForms
