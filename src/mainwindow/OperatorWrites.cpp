#include "mainwindow/OperatorWrites.h"

#include <QPushButton>
#include <QWidget>

#include "core/Clock.h"
#include "link/InstrumentLink.h"
#include "widgets/InstrumentEntry.h"
#include "widgets/StatusTexts.h"

OperatorWrites::OperatorWrites(InstrumentLink& link, const Clock& clock, QObject* parent)
    : QObject(parent)
    , link_(link)
    , clock_(clock)
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

void OperatorWrites::setLinkOpen(bool open)
{
    if (open == linkOpen_)
        return;
    linkOpen_ = open;
    emit linkOpenChanged(open);
}

void OperatorWrites::writeRegister(int registerNumber, int32_t value, const QString& what, const WriteShown& shown,
                                   InstrumentEntry* entry)
{
    ++pending_;
    entries_[registerNumber] = entry;
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
        if (ours) {
            markEntryWritten(outcome.request);
            emit succeeded(outcome);
        }
        return;
    }
    if (ours || !toldByItsAsker(outcome))
        emit failed(outcome);
}

void OperatorWrites::markEntryWritten(const WriteRequest& request)
{
    if (request.target != WriteRequest::Target::Register)
        return;
    const auto found = entries_.find(request.address);
    if (found == entries_.end() || !found->second)
        return;
    // An operator who has typed on since the click has a new command in
    // the entry: that text is not the one written.
    if (found->second->text() == request.shownValue)
        found->second->markWritten(clock_.now());
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

void showLinkNeed(QPushButton& button, bool linkOpen)
{
    button.setEnabled(linkOpen);
    button.setToolTip(linkOpen ? QString() : StatusTexts::linkClosedHint());
}
