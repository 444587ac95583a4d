#include "mainwindow/OperatorWrites.h"

#include <QWidget>

#include "link/InstrumentLink.h"

OperatorWrites::OperatorWrites(InstrumentLink& link, QObject* parent)
    : QObject(parent)
    , link_(link)
{
    connect(&link_, &InstrumentLink::writeFinished, this, &OperatorWrites::onWriteFinished);
}

namespace {

WriteRequest withShown(WriteRequest request, const WriteShown& shown)
{
    request.shownBefore = shown.before;
    request.shownValue = shown.typed;
    request.origin = shown.origin;
    return request;
}

} // namespace

void OperatorWrites::writeRegister(int registerNumber, int32_t value, const QString& what, const WriteShown& shown)
{
    ++pending_;
    link_.write(withShown(WriteRequest::toRegister(registerNumber, value, what, this), shown));
}

void OperatorWrites::switchCoil(int coil, bool on, const QString& what, const WriteShown& shown)
{
    ++pending_;
    link_.write(withShown(WriteRequest::toCoil(coil, on, what, this), shown));
}

void OperatorWrites::onWriteFinished(const WriteOutcome& outcome)
{
    const bool ours = outcome.request.asker == this;
    if (ours)
        --pending_;
    if (outcome.ok) {
        if (ours)
            emit succeeded(outcome);
        return;
    }
    if (ours || !toldByItsAsker(outcome))
        emit failed(outcome);
}

bool OperatorWrites::toldByItsAsker(const WriteOutcome& outcome) const
{
    const QObject* asker = outcome.request.asker;
    if (asker == nullptr)
        return false;  // gone
    const auto* window = qobject_cast<const QWidget*>(asker);
    // An asker that is no window tells its own outcomes.
    return window == nullptr || window->isVisible();
}
