#pragma once

#include <ostream>
#include <string>
#include <vector>

#include <QObject>

#include "support/FakeFieldbus.h"
#include "link/InstrumentLink.h"
#include "support/WaitFor.h"

// Readable test failures: Set_4X_D1(3, 7, 257, 9999).
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
    QObject context;
    quint64 marker = 0;
    QObject::connect(&link, &InstrumentLink::writeFinished, &context,
                     [&](const WriteOutcome& outcome) { markerDone = markerDone || outcome.id == marker; });
    marker = link.writeRegister(0, 0, kMarkerRegister, 0);
    if (!waitFor([&] { return markerDone; }))
        return {{"marker write never came back", {}}};

    std::vector<FakeFieldbus::Call> writes;
    for (const FakeFieldbus::Call& call : bus.calls()) {
        const bool isWrite = call.name == "Set_4X_D1" || call.name == "Set_0X_Bit1" || call.name == "Rst_0X_Bit1";
        const bool isMarker = call.name == "Set_4X_D1" && call.args.size() > 2 && call.args[2] == kMarkerRegister;
        if (isWrite && !isMarker)
            writes.push_back(call);
    }
    return writes;
}
