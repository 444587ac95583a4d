#pragma once

#include <ostream>
#include <string>
#include <vector>

#include <QObject>

#include "link/InstrumentLink.h"
#include "support/FakeFieldbus.h"
#include "support/WaitFor.h"

// Readable test failures: writeRegister(257, 9999).
inline void PrintTo(const FakeFieldbus::Call& call, std::ostream* out)
{
    *out << call.name << '(';
    for (size_t i = 0; i < call.args.size(); ++i)
        *out << (i ? ", " : "") << call.args[i];
    *out << ')';
}

// The write calls (register and coil) that reach the fieldbus while `step`
// runs. The link works its queue in order, so once a marker write posted
// after the step has come back, everything the step posted has been made:
// "nothing was written" is then a fact, not a wait that happened to end.
template <typename Step>
std::vector<FakeFieldbus::Call> writtenCalls(FakeFieldbus& bus, InstrumentLink& link, Step step)
{
    constexpr int kMarkerRegister = 65535;
    bus.clearCalls();
    step();
    bool markerDone = false;
    QObject marker;
    QObject::connect(&link, &InstrumentLink::writeFinished, &marker,
                     [&](const WriteOutcome& outcome) { markerDone = markerDone || outcome.request.asker == &marker; });
    link.write(WriteRequest::toRegister(kMarkerRegister, 0, QStringLiteral("marker"), &marker));
    if (!waitFor([&] { return markerDone; }))
        return {{"marker write never came back", {}}};

    std::vector<FakeFieldbus::Call> writes;
    for (const FakeFieldbus::Call& call : bus.calls()) {
        const bool isWrite = call.name == "writeRegister" || call.name == "writeCoil";
        const bool isMarker = call.name == "writeRegister" && !call.args.empty() && call.args[0] == kMarkerRegister;
        if (isWrite && !isMarker)
            writes.push_back(call);
    }
    return writes;
}
