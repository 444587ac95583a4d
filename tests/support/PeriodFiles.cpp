#include "support/PeriodFiles.h"

#include <map>

#include <QDir>
#include <QSqlDatabase>
#include <QSqlQuery>

#include "archive/ArchiveSchema.h"
#include "core/DateValue.h"
#include "history/HistoryFileCreation.h"
#include "history/HistoryTables.h"

namespace PeriodFiles {

std::vector<PeriodSample> seconds(const QDateTime& start, int count, float firstPv, int utcOffset)
{
    std::vector<PeriodSample> out;
    for (int i = 0; i < count; ++i) {
        PeriodSample s;
        s.utcMs = start.toMSecsSinceEpoch() + int64_t(i) * 1000;
        s.utcOffset = utcOffset;
        s.pv = firstPv + static_cast<float>(i);
        s.op = 52.3f;
        s.sv = 250.0f;
        s.alarmBits = static_cast<uint16_t>(i % 2 == 1 ? 0x1 : 0x0);
        s.coilBits = 0x2;
        s.address = 1;
        out.push_back(s);
    }
    return out;
}

bool writeArchive(const QString& folder, const std::vector<PeriodSample>& samples)
{
    if (!QDir().mkpath(folder))
        return false;
    std::map<QString, std::vector<PeriodSample>> byMonth;
    for (const PeriodSample& s : samples)
        byMonth[ArchiveSchema::monthFileName(QDateTime::fromMSecsSinceEpoch(s.utcMs, Qt::UTC))].push_back(s);
    for (const auto& [name, monthSamples] : byMonth) {
        const QString path = QDir(folder).filePath(name);
        if (!HistoryFiles::exec(path, ArchiveSchema::createStatements()))
            return false;
        QStringList statements{QStringLiteral("begin")};
        for (const PeriodSample& s : monthSamples)
            statements << QStringLiteral("insert into samples values (%1, %2, %3, %4, %5, %6, %7, %8)")
                              .arg(s.utcMs).arg(s.utcOffset).arg(double(s.pv)).arg(double(s.op)).arg(double(s.sv))
                              .arg(s.alarmBits ? QString::number(*s.alarmBits) : QStringLiteral("null"))
                              .arg(s.coilBits ? QString::number(*s.coilBits) : QStringLiteral("null"))
                              .arg(s.address ? QString::number(*s.address) : QStringLiteral("null"));
        statements << QStringLiteral("commit");
        if (!HistoryFiles::exec(path, statements))
            return false;
    }
    return true;
}

bool writeRing(const QString& path, const QDateTime& start, int count, int32_t firstId)
{
    QString reason;
    if (!createHistoryFile(path, &reason))
        return false;
    std::vector<HistoryFiles::Row> rows;
    int32_t id = firstId;
    for (int i = 0; i < count; ++i) {
        const QDateTime at = start.toLocalTime().addSecs(i);
        HistoryFiles::Row r;
        r.id = id;
        r.date = DateValue::fromDate(at.date());
        r.time = DateValue::fromTime(at.time());
        r.values[0] = id;
        r.values[1] = 40.0;
        r.values[2] = 250.0;
        rows.push_back(r);
        id = id == HistoryTables::kRingSize ? 1 : id + 1;
    }
    return HistoryFiles::insertRows(path, rows, rows.empty() ? 0 : rows.back().id);
}

} // namespace PeriodFiles
