#include "export/HistorianSampleSource.h"

HistorianSampleSource::HistorianSampleSource(HistorianPeriodReader& reader, QString station,
                                             HistorianInstrument instrument)
    : reader_(reader), station_(std::move(station)), instrument_(std::move(instrument))
{
}

bool HistorianSampleSource::read(int64_t fromUtcMs, int64_t toUtcMs, const Visit& visit, QString& error)
{
    // The server keeps what the station's files held as floats: back to
    // float, the values are the very ones recorded.
    return reader_.samples(
        station_, instrument_, fromUtcMs, toUtcMs,
        [&](const OutboxSample& row) {
            PeriodSample sample;
            sample.utcMs = row.timeUtcMs;
            sample.utcOffset = row.utcOffset;
            sample.pv = static_cast<float>(row.pv);
            sample.op = static_cast<float>(row.op);
            sample.sv = static_cast<float>(row.sv);
            if (row.alarmBits)
                sample.alarmBits = static_cast<uint16_t>(*row.alarmBits);
            if (row.coilBits)
                sample.coilBits = static_cast<uint16_t>(*row.coilBits);
            sample.address = row.address;
            visit(sample);
        },
        &error);
}
