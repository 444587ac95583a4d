#include "journal/JournalCsv.h"

#include <cstdlib>

#include <QStringList>

#include "journal/JournalReader.h"

namespace {

constexpr int kPageSize = 2000;
const QByteArray kLineEnd("\r\n");

QByteArray field(const QString& text)
{
    QByteArray bytes = text.toUtf8();
    if (!bytes.contains(',') && !bytes.contains('"') && !bytes.contains('\r') && !bytes.contains('\n'))
        return bytes;
    bytes.replace('"', "\"\"");
    return '"' + bytes + '"';
}

QByteArray joined(const QStringList& fields)
{
    QByteArray out;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            out += ',';
        out += field(fields[i]);
    }
    return out + kLineEnd;
}

} // namespace

namespace JournalCsv {

QByteArray header()
{
    return QByteArray("\xEF\xBB\xBF")
           + joined({QStringLiteral("id"), QStringLiteral("time"), QStringLiteral("kind"), QStringLiteral("caption"),
                     QStringLiteral("source"), QStringLiteral("what"), QStringLiteral("old_value"),
                     QStringLiteral("new_value"), QStringLiteral("outcome"), QStringLiteral("message"),
                     QStringLiteral("user"), QStringLiteral("host")});
}

QString timeText(const QDateTime& time)
{
    // Written out by hand: Qt writes "Z" instead of "+00:00" for a zero offset.
    const int offset = time.offsetFromUtc();
    const int minutes = std::abs(offset) / 60;
    return time.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzz"))
           + QStringLiteral("%1%2:%3")
                 .arg(offset < 0 ? QLatin1Char('-') : QLatin1Char('+'))
                 .arg(minutes / 60, 2, 10, QLatin1Char('0'))
                 .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

QByteArray line(const JournalEvent& event)
{
    return joined({QString::number(event.id), timeText(event.time), JournalKinds::code(event.kind),
                   JournalKinds::caption(event.kind), event.source, event.what, event.oldValue, event.newValue,
                   event.outcome, event.text, event.user, event.host});
}

bool write(QIODevice& device, const std::vector<JournalEvent>& events)
{
    QByteArray out = header();
    for (const JournalEvent& event : events)
        out += line(event);
    return device.write(out) == out.size();
}

std::optional<int64_t> writeMatching(QIODevice& device, JournalReader& reader, const JournalFilter& filter,
                                     QString& error)
{
    const QByteArray head = header();
    if (device.write(head) != head.size()) {
        error = device.errorString();
        return std::nullopt;
    }
    int64_t written = 0;
    std::optional<int64_t> below;
    for (;;) {
        const std::vector<JournalEvent> events = reader.page(filter, kPageSize, below);
        if (reader.failed()) {
            error = reader.errorText();
            return std::nullopt;
        }
        QByteArray out;
        for (const JournalEvent& event : events)
            out += line(event);
        if (device.write(out) != out.size()) {
            error = device.errorString();
            return std::nullopt;
        }
        written += static_cast<int64_t>(events.size());
        if (events.size() < static_cast<size_t>(kPageSize))
            return written;
        below = events.back().id;
    }
}

} // namespace JournalCsv
