// A month of samples, one a second (2,678,400, generated as they are read,
// PV a slow wave with a spike now and then): reduced to 1,600 columns
// (target under 300 ms), and the whole period report written as a PDF with
// the trend, the statistics and a journal of 2,000 events over the month
// (target under 2 s).

#include <cmath>

#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "export/MinMaxReduction.h"
#include "export/PeriodReport.h"
#include "export/PeriodSampleSource.h"
#include "support/JournalFiles.h"

namespace {

const QDateTime kFrom(QDate(2026, 10, 1), QTime(0, 0), Qt::OffsetFromUTC, 8 * 3600);
const QDateTime kTo = kFrom.addDays(31);
constexpr int kColumns = 1600;
constexpr int kJournalEvents = 2000;

class GeneratedMonth final : public PeriodSampleSource {
public:
    bool read(int64_t fromUtcMs, int64_t toUtcMs, const Visit& visit, QString&) override
    {
        PeriodSample s;
        s.utcOffset = 8 * 3600;
        s.sv = 120.0f;
        for (int64_t t = fromUtcMs; t < toUtcMs; t += 1000) {
            const int64_t second = (t - fromUtcMs) / 1000;
            s.utcMs = t;
            s.pv = 120.0f + 15.0f * static_cast<float>(std::sin(static_cast<double>(second) / 5400.0));
            if (second % 86'407 == 0)
                s.pv += 60.0f;
            s.op = 40.0f + (s.sv - s.pv);
            s.alarmBits = static_cast<uint16_t>(s.pv > 130.0f ? 1 : 0);
            visit(s);
        }
        return true;
    }
};

void BM_ReduceMonthToColumns(benchmark::State& state)
{
    GeneratedMonth month;
    const int64_t from = kFrom.toMSecsSinceEpoch();
    const int64_t to = kTo.toMSecsSinceEpoch();
    for (auto _ : state) {
        MinMaxReduction reduction(from, to, kColumns);
        QString error;
        month.read(from, to, [&](const PeriodSample& s) { reduction.add(s); }, error);
        benchmark::DoNotOptimize(reduction.columns().data());
    }
    state.counters["samples"] = static_cast<double>((to - from) / 1000);
}
BENCHMARK(BM_ReduceMonthToColumns)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_MonthReport(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString journal = dir.filePath(QStringLiteral("journal.sqlite"));
    const int64_t apart = kFrom.secsTo(kTo) / kJournalEvents;
    if (!JournalFiles::appendMade(journal, kJournalEvents, [&](int64_t i) {
            JournalEvent e = JournalFiles::event(i % 2 ? JournalEvent::Kind::Write : JournalEvent::Kind::AlarmRaised,
                                                 kFrom.addSecs(apart * i), QStringLiteral("设定SV"));
            e.source = QStringLiteral("端口 1 地址 1");
            e.oldValue = QString::number(i);
            e.newValue = QString::number(i + 1);
            e.outcome = QStringLiteral("ok");
            return e;
        })) {
        state.SkipWithError("journal not written");
        return;
    }
    GeneratedMonth month;
    PeriodReportRequest request;
    request.path = dir.filePath(QStringLiteral("report.pdf"));
    request.instrument = QStringLiteral("TQ5800 地址 1");
    request.from = kFrom;
    request.to = kTo;
    request.samples = &month;
    request.band = 10.0;
    request.journalPath = journal;
    request.columns = kColumns;
    for (auto _ : state) {
        QString error;
        if (!writePeriodReport(request, error))
            state.SkipWithError(qPrintable(error));
    }
    state.counters["bytes"] = static_cast<double>(QFileInfo(request.path).size());
}
BENCHMARK(BM_MonthReport)->Unit(benchmark::kMillisecond)->MinTime(5.0);

} // namespace
