#include "paramset/ParameterDownload.h"

#include "link/InstrumentLink.h"
#include "link/LinkFailureText.h"
#include "paramset/ParamsetLog.h"
#include "paramset/SetCheck.h"

namespace {

// The download's failures, said in the interface's language and logged in English.
ShownText words(const char* source)
{
    return ShownText("ParameterDownload", source);
}

} // namespace

ParameterDownload::ParameterDownload(InstrumentLink& link, QObject* parent)
    : QObject(parent)
    , link_(link)
    , reader_(link)
{
    connect(&reader_, &InstrumentSetReader::finished, this, &ParameterDownload::onFreshRead);
    connect(&link_, &InstrumentLink::writeFinished, this, &ParameterDownload::onWriteFinished);
    connect(&link_, &InstrumentLink::registersRead, this, &ParameterDownload::onRegistersRead);
}

void ParameterDownload::start(const ParameterSet& file)
{
    if (busy_)
        return;
    busy_ = true;
    file_ = file;
    plan_ = DownloadPlan{};
    next_ = 0;
    report_ = DownloadReport{};
    // The whole set is held to the entry rules before anything is written:
    // a set with one refused value writes nothing at all.
    if (const auto problem = SetCheck::setProblem(file_)) {
        qCWarning(paramsetLog).noquote() << "download refused:" << problem->english();
        report_.problem = tr("参数组有误，未写入：%1").arg(problem->shown());
        finish();
        return;
    }
    // What differs is decided on the instrument's values of this moment,
    // so a download repeated after a lost link writes only what is left.
    reader_.start();
}

void ParameterDownload::onFreshRead(const SetReading& reading)
{
    if (!busy_)
        return;
    if (!reading.set) {
        report_.problem = tr("未写入：%1").arg(reading.problem);
        finish();
        return;
    }
    plan_ = planDownload(file_, *reading.set);
    report_.kept = plan_.kept;
    qCDebug(paramsetLog) << "download of" << plan_.writes.size() << "differing values";
    emit planned(plan_);
    writeNext();
}

void ParameterDownload::writeNext()
{
    if (next_ == plan_.writes.size()) {
        finish();
        return;
    }
    const SetDifference& d = plan_.writes[next_];
    WriteRequest request = WriteRequest::toRegister(d.slot->registerAddress, d.fileRaw, d.caption(), this);
    request.shownBefore = d.instrumentText();
    request.shownValue = d.fileText();
    request.origin = kOrigin;
    link_.write(request);
}

void ParameterDownload::onWriteFinished(const WriteOutcome& outcome)
{
    if (!busy_ || outcome.request.asker != this)
        return;
    if (!outcome.ok) {
        fail(words(QT_TRANSLATE_NOOP("ParameterDownload", "写入失败：%1")).arg(linkFailureWords(outcome.failure)));
        return;
    }
    // The instrument may take a write and keep another value (clamped to a
    // range): only the value read back counts as written.
    link_.readRegisters(outcome.request.address, 1, this);
}

void ParameterDownload::onRegistersRead(const RegisterReading& reading)
{
    if (!busy_ || reading.asker != this)
        return;
    const SetDifference& d = plan_.writes[next_];
    if (!reading.ok) {
        fail(words(QT_TRANSLATE_NOOP("ParameterDownload", "读回失败：%1")).arg(linkFailureWords(reading.failure)));
        return;
    }
    const int16_t held = reading.values.front();
    if (held != d.fileRaw) {
        fail(words(QT_TRANSLATE_NOOP("ParameterDownload", "仪表保持 %1，不是写入的 %2"))
                 .arg(SetSlots::valueWords(*d.slot, held))
                 .arg(SetSlots::valueWords(*d.slot, d.fileRaw)));
        return;
    }
    qCDebug(paramsetLog) << "written and read back:" << d.slot->registerAddress << "=" << d.fileRaw;
    report_.written.push_back(d);
    ++next_;
    emit progress(static_cast<int>(next_), static_cast<int>(plan_.writes.size()));
    writeNext();
}

void ParameterDownload::fail(const ShownText& why)
{
    const SetDifference& d = plan_.writes[next_];
    qCWarning(paramsetLog).noquote() << QStringLiteral("download stopped at register %1: %2")
                                            .arg(d.slot->registerAddress).arg(why.english());
    report_.failed = d;
    report_.failure = tr("%1：%2").arg(d.shownCaption(), why.shown());
    report_.notWritten.assign(plan_.writes.begin() + static_cast<std::ptrdiff_t>(next_) + 1, plan_.writes.end());
    finish();
}

void ParameterDownload::finish()
{
    busy_ = false;
    emit finished(report_);
}
