#pragma once

#include "export/PeriodSampleSource.h"
#include "historian/HistorianPeriodReader.h"

// One instrument's samples on the central server as a period's sample
// source, read chunk by chunk as the reader delivers them.
class HistorianSampleSource final : public PeriodSampleSource {
public:
    HistorianSampleSource(HistorianPeriodReader& reader, QString station, HistorianInstrument instrument);

    bool read(int64_t fromUtcMs, int64_t toUtcMs, const Visit& visit, QString& error) override;

private:
    HistorianPeriodReader& reader_;
    QString station_;
    HistorianInstrument instrument_;
};
