#include "journal/JournalCsv.h"

#include <cstdlib>

#include <QStringList>

#include "journal/JournalReader.h"
#include "journal/ShownEvent.h"

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
                     QStringLiteral("user"), QStringLiteral("host"), QStringLiteral("origin")});
}

QString timeText(const QDateTime& time)
{
    // Written out by hand: Qt writes "Z" instead of "+00:00" for a zero
    // offset, and its format parser would cost more than the rest of a line.
    const int offset = time.offsetFromUtc();
    const int minutes = std::abs(offset) / 60;
    const QDate d = time.date();
    const QTime t = time.time();
    return QString::asprintf("%04d-%02d-%02dT%02d:%02d:%02d.%03d%c%02d:%02d", d.year(), d.month(), d.day(), t.hour(),
                             t.minute(), t.second(), t.msec(), offset < 0 ? '-' : '+', minutes / 60, minutes % 60);
}

QByteArray line(const JournalEvent& event)
{
    // The codes for scripts, the rest in the reader's words.
    const ShownEvent shown = shownEvent(event);
    return joined({QString::number(event.id), timeText(event.time), JournalKinds::code(event.kind), shown.kind,
                   shown.source, shown.what, shown.oldValue, shown.newValue, event.outcome, shown.text, event.user,
                   event.host, shown.origin});
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
    std::optional<JournalReader::Position> below;
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
        below = JournalReader::positionOf(events.back());
    }
}

} // namespace JournalCsv
