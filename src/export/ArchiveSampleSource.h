#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "archive/PeriodSamples.h"
#include "export/PeriodSampleSource.h"

// The archive's period reader as the report's sample source. It keeps what
// the last read skipped and whether it was cancelled, so the caller can name
// the damaged month files and tell a cancel from a failure.
class ArchiveSampleSource final : public PeriodSampleSource {
public:
    // Called with a sample's moment (UTC ms) now and then; false cancels.
    using Progress = std::function<bool(int64_t utcMs)>;

    explicit ArchiveSampleSource(const PeriodSamples& samples, Progress progress = {});

    bool read(int64_t fromUtcMs, int64_t toUtcMs, const Visit& visit, QString& error) override;

    bool cancelled() const { return cancelled_; }
    int64_t samplesRead() const { return samplesRead_; }
    const std::vector<PeriodSamples::SkippedFile>& skipped() const { return skipped_; }

private:
    const PeriodSamples& samples_;
    Progress progress_;
    bool cancelled_ = false;
    int64_t samplesRead_ = 0;
    std::vector<PeriodSamples::SkippedFile> skipped_;
};
