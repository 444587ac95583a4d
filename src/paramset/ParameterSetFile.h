#pragma once

#include <optional>

#include <QByteArray>
#include <QString>

#include "core/ShownText.h"
#include "paramset/ParameterSet.h"

// What reading a parameter set file came to: the set, or the first
// problem found, in a few words for the status line (and as a ShownText,
// for the log's English).
struct SetFileReading {
    std::optional<ParameterSet> set;
    QString problem;
    ShownText problemWords;
};

// The parameter set as a JSON file a technician keeps and can read: per
// parameter its number, register, caption, value in the instrument's
// units, raw register value and, for a choice, the item's text. A file is
// taken as a whole or refused as a whole.
namespace ParameterSetFile {

// Larger than any set could be; a bigger file is refused unread.
inline constexpr qint64 kMaxBytes = 1024 * 1024;

QByteArray toJson(const ParameterSet& set);
SetFileReading fromJson(const QByteArray& json);

SetFileReading load(const QString& path);
// Written whole or not at all; the problem when not.
std::optional<QString> save(const ParameterSet& set, const QString& path);

// The station's version as a set records it.
QString stationVersion();

} // namespace ParameterSetFile
