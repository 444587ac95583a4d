#include <algorithm>
#include <map>
#include <memory>
#include <vector>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "archive/ArchiveSettings.h"
#include "core/Clock.h"
#include "core/DateValue.h"
#include "instrument/RegisterMap.h"
#include "link/ModbusFieldbus.h"
#include "station/StationCore.h"
#include "support/ArchiveFiles.h"
#include "support/HistoryFiles.h"
#include "support/PdfText.h"
#include "support/SimProcess.h"
#include "support/WaitFor.h"

namespace {

// A sample as the ring keeps it: local time without offset, PV, OP, SV.
struct RingSample {
    int64_t utcMs;
    float pv, op, sv;
};

std::vector<RingSample> ringSamples(const QString& path)
{
    std::vector<RingSample> samples;
    for (const HistoryFiles::Row& row : HistoryFiles::rows(path)) {
        const QDateTime local(DateValue::toDate(row.date), DateValue::toTime(row.time));
        samples.push_back({local.toMSecsSinceEpoch(), static_cast<float>(row.values[0]),
                           static_cast<float>(row.values[1]), static_cast<float>(row.values[2])});
    }
    std::sort(samples.begin(), samples.end(), [](const RingSample& a, const RingSample& b) { return a.utcMs < b.utcMs; });
    return samples;
}

// One line of the CSV: the moment, PV, OP, SV and the three alarm columns.
struct CsvLine {
    QDateTime time;
    float pv, op, sv;
    QStringList alarms;
};

std::vector<CsvLine> csvLines(const QString& path)
{
    std::vector<CsvLine> lines;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return lines;
    QList<QByteArray> rows = file.readAll().split('\n');
    rows.removeFirst();  // the header
    for (const QByteArray& row : rows) {
        if (row.isEmpty())
            continue;
        const QStringList fields = QString::fromUtf8(row.trimmed()).split(QLatin1Char(','));
        if (fields.size() != 7)
            return {};
        lines.push_back({QDateTime::fromString(fields[0], Qt::ISODateWithMs), fields[1].toFloat(), fields[2].toFloat(),
                         fields[3].toFloat(), fields.mid(4)});
    }
    return lines;
}

struct ToolRun {
    int exitCode = -1;
    QString err;
};

ToolRun runExport(const QStringList& arguments)
{
    QProcess tool;
    tool.start(QStringLiteral(TQ5800_EXPORT_TOOL_PATH), arguments);
    if (!tool.waitForFinished(60000))
        return {};
    return {tool.exitCode(), QString::fromUtf8(tool.readAllStandardError())};
}

QDateTime wholeSecond(const QDateTime& time)
{
    return time.addMSecs(-time.time().msec());
}

TEST(ExportEndToEnd, twoMinutesFromTheSimulatorComeOutAsOneCsvLinePerRingSampleAndAsAReportOfThem)
{
    // The plant heats in real time ten times over, so PV moves; SV 80, then
    // the operator's 90 half-way. The alarms are off (the instrument's
    // default), so that write is the journal's one event for the report.
    SimProcess sim({"--speed", "10", "--set", "4x:1=80"});
    ASSERT_TRUE(sim.started());
    QTemporaryDir dir;
    const QString history = dir.filePath(QStringLiteral("history.sqlite"));
    ArchiveSettings archive;
    archive.folder = dir.filePath(QStringLiteral("archive"));

    const QDateTime from = wholeSecond(QDateTime::currentDateTime());
    SystemClock clock;
    PortDevices devices;
    devices.setDevice(1, sim.devicePath());
    auto core = std::make_unique<StationCore>(std::make_unique<ModbusFieldbus>(devices), clock, history,
                                              dir.filePath(QStringLiteral("journal.sqlite")), JournalLimits{},
                                              archive);
    int stored = 0;
    QObject::connect(&core->recorder(), &SampleRecorder::sampleStored, [&stored] { ++stored; });
    core->archive().start();
    core->recorder().start();
    ASSERT_TRUE(core->connection().open(LinkSettings{1, 1, 0, 1}));

    ASSERT_TRUE(waitFor([&] { return stored >= 60; }, 90000)) << stored << " samples";
    QObject asker;
    core->link().write(WriteRequest::toRegister(RegisterMap::kSetValue, 90, QStringLiteral("设定SV"), &asker));
    ASSERT_TRUE(waitFor([&] { return stored >= 120; }, 90000)) << stored << " samples";
    core->recorder().stop();
    core->archive().stop();
    core.reset();
    const QDateTime to = wholeSecond(QDateTime::currentDateTime()).addSecs(1);

    // What the station stored, read with plain SQL.
    const std::vector<RingSample> ring = ringSamples(history);
    const std::map<int64_t, PeriodSample> archived = ArchiveFiles::samples(archive.folder);
    ASSERT_GE(ring.size(), 120U);
    ASSERT_EQ(archived.size(), ring.size());

    const QString csvPath = dir.filePath(QStringLiteral("period.csv"));
    const QStringList period{QStringLiteral("--db"),   history,
                             QStringLiteral("--archive"), archive.folder,
                             QStringLiteral("--from"), from.toString(Qt::ISODate),
                             QStringLiteral("--to"),   to.toString(Qt::ISODate)};
    const ToolRun csvRun = runExport(QStringList(period) << QStringLiteral("--csv") << csvPath);
    ASSERT_EQ(csvRun.exitCode, 0) << csvRun.err.toStdString();
    const std::vector<CsvLine> lines = csvLines(csvPath);
    ASSERT_EQ(lines.size(), ring.size());
    float pvMin = lines.front().pv;
    float pvMax = pvMin;
    double pvSum = 0.0;
    size_t withBits = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        const CsvLine& line = lines[i];
        const RingSample& r = ring[i];
        ASSERT_EQ(line.time.toMSecsSinceEpoch(), r.utcMs) << "line " << i;
        EXPECT_FLOAT_EQ(line.pv, r.pv) << "line " << i;
        EXPECT_FLOAT_EQ(line.op, r.op) << "line " << i;
        EXPECT_FLOAT_EQ(line.sv, r.sv) << "line " << i;
        const auto a = archived.find(r.utcMs);
        ASSERT_NE(a, archived.end()) << "line " << i << " is not archived";
        EXPECT_FLOAT_EQ(a->second.pv, r.pv) << "line " << i;
        EXPECT_EQ(a->second.address, 1) << "line " << i;
        // Recorded live, a sample has the alarm outputs of its second, or
        // none when that block's read was not fresh (a loaded machine); the
        // CSV shows them as archived.
        for (int alarm = 0; alarm < RegisterMap::kAlarms; ++alarm) {
            const QString shown = !a->second.alarmBits ? QString()
                                  : (*a->second.alarmBits >> alarm) & 1 ? QStringLiteral("1")
                                                                        : QStringLiteral("0");
            EXPECT_EQ(line.alarms[alarm], shown) << "line " << i;
        }
        withBits += a->second.alarmBits.has_value();
        pvMin = std::min(pvMin, line.pv);
        pvMax = std::max(pvMax, line.pv);
        pvSum += line.pv;
    }
    // The simulator's values: its SV and then the operator's, a plant that moved.
    EXPECT_EQ(lines.front().sv, 80.0f);
    EXPECT_EQ(lines.back().sv, 90.0f);
    EXPECT_GT(pvMax, pvMin);
    EXPECT_GT(withBits, lines.size() / 2);

    // The report of the same period, with the journal found beside the ring.
    const QString pdfPath = dir.filePath(QStringLiteral("period.pdf"));
    const ToolRun pdfRun = runExport(QStringList(period) << QStringLiteral("--pdf") << pdfPath);
    ASSERT_EQ(pdfRun.exitCode, 0) << pdfRun.err.toStdString();
    const QString text = PdfText::squeezed(PdfText::of(pdfPath));
    const QString format = QStringLiteral("yyyy-MM-dd HH:mm:ss");
    const QString mean = QString::number(pvSum / static_cast<double>(lines.size()), 'f', 1);
    for (const QString& expected :
         {QStringLiteral("周期报表 仪表 1"), QStringLiteral("时段 %1 至 %2").arg(from.toString(format), to.addSecs(-1).toString(format)),
          QStringLiteral("测量值PV 最小 %1 最大 %2 平均 %3")
              .arg(QString::number(pvMin, 'f', 1), QString::number(pvMax, 'f', 1), mean),
          QStringLiteral("（%1 个采样）").arg(lines.size()), QStringLiteral("报警事件与操作记录 1 条"),
          QStringLiteral("设定SV")})
        EXPECT_TRUE(text.contains(PdfText::squeezed(expected))) << expected.toStdString() << "\n" << text.toStdString();
}

} // namespace
