#pragma once

#include <vector>

#include <QByteArray>
#include <QIODevice>

#include "journal/JournalEvent.h"

// The journal's CSV form, the same from the window's export and from
// tq5800-journal --csv: UTF-8 with a byte-order mark (spreadsheets then read
// the Chinese texts), a header line, one line per event, times in ISO 8601
// with the local offset they were recorded with, fields quoted as RFC 4180
// wants (CRLF line ends).
namespace JournalCsv {
QByteArray header();  // with the byte-order mark
QByteArray line(const JournalEvent& event);
// Header and lines; false when the device could not take them all.
bool write(QIODevice& device, const std::vector<JournalEvent>& events);
} // namespace JournalCsv
