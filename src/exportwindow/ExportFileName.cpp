#include "exportwindow/ExportFileName.h"

namespace ExportFileName {

QString suffix(ExportKind kind)
{
    return kind == ExportKind::Csv ? QStringLiteral("csv") : QStringLiteral("pdf");
}

QString forPeriod(const QDateTime& from, const QDateTime& to, ExportKind kind)
{
    const QString day = QStringLiteral("yyyy-MM-dd");
    const QString minute = QStringLiteral("HHmm");
    const QString end = from.date() == to.date() ? to.toString(minute)
                                                 : to.toString(day) + QLatin1Char('_') + to.toString(minute);
    return QStringLiteral("tq5800_%1_%2-%3.%4").arg(from.toString(day), from.toString(minute), end, suffix(kind));
}

QString withSuffix(const QString& path, ExportKind kind)
{
    const QString other = QLatin1Char('.') + suffix(kind == ExportKind::Csv ? ExportKind::Report : ExportKind::Csv);
    if (!path.endsWith(other, Qt::CaseInsensitive))
        return path;
    return path.chopped(other.size()) + QLatin1Char('.') + suffix(kind);
}

} // namespace ExportFileName
