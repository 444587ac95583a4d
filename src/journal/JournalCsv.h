#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include <QByteArray>
#include <QIODevice>
#include <QString>

#include "journal/JournalEvent.h"
#include "journal/JournalFilter.h"

class JournalReader;

// The journal's CSV form, the same from the window's export and from
// tq5800-journal --csv in the same language: UTF-8 with a byte-order mark
// (spreadsheets then read the Chinese texts), a header line, one line per
// event, times in ISO 8601 with the local offset they were recorded with,
// the kind's and the outcome's codes, the other columns worded for the
// reader (ShownEvent), fields quoted as RFC 4180 wants (CRLF line ends).
namespace JournalCsv {
QByteArray header();  // with the byte-order mark
QByteArray line(const JournalEvent& event);
// "2026-12-07T19:53:09.123+01:00": the time at the offset it carries.
QString timeText(const QDateTime& time);
// Header and lines; false when the device could not take them all.
bool write(QIODevice& device, const std::vector<JournalEvent>& events);
// Header and every event matching the filter, newest first (by time), read
// a page at a time. How many were written, or nothing with `error` set when the
// journal could not be read or the device could not take them.
std::optional<int64_t> writeMatching(QIODevice& device, JournalReader& reader, const JournalFilter& filter,
                                     QString& error);
} // namespace JournalCsv
