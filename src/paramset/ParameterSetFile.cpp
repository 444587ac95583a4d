#include "paramset/ParameterSetFile.h"

namespace ParameterSetFile {

QByteArray toJson(const ParameterSet&) { return {}; }
SetFileReading fromJson(const QByteArray&) { return {std::nullopt, QStringLiteral("未实现")}; }
SetFileReading load(const QString&) { return {std::nullopt, QStringLiteral("未实现")}; }
std::optional<QString> save(const ParameterSet&, const QString&) { return QStringLiteral("未实现"); }
QString stationVersion() { return QStringLiteral(TQ5800_VERSION); }

} // namespace ParameterSetFile
