#pragma once

#include <memory>
#include <vector>

#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "configwindow/ConfigWindow.h"
#include "support/ConfigOperator.h"
#include "support/FakeClock.h"
#include "support/FakeFieldbus.h"
#include "support/ForwardingFieldbus.h"
#include "instrument/ParameterCatalogue.h"
#include "station/StationCore.h"
#include "support/WaitFor.h"
#include "support/WrittenCalls.h"  // also readable calls in failure messages

// The configuration window on a fake fieldbus, shown and active so that
// focus moves as it does for an operator.
class ConfigFixture : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    void open()
    {
        window = std::make_unique<ConfigWindow>(core);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    // Waits until every call queued on the link so far has run and its
    // outcome has reached the window: the link runs calls in order, so a
    // marker call queued now comes back last.
    void drainLink()
    {
        QObject marker;
        bool markerDone = false;
        QObject::connect(&link, &InstrumentLink::writeFinished, &marker,
                         [&](const WriteOutcome& outcome) { markerDone = markerDone || outcome.request.asker == &marker; });
        link.write(WriteRequest::toCoil(kMarkerCoil, false, QStringLiteral("marker"), &marker));
        ASSERT_TRUE(waitFor([&] { return markerDone; }));
    }

    // The register writes the fieldbus has seen, after draining the link.
    std::vector<FakeFieldbus::Call> writes()
    {
        drainLink();
        std::vector<FakeFieldbus::Call> found;
        for (const FakeFieldbus::Call& call : bus.calls())
            if (call.name == "writeRegister")
                found.push_back(call);
        return found;
    }

    static FakeFieldbus::Call writeCall(int registerAddress, int value)
    {
        return {"writeRegister", {registerAddress, value}};
    }

    QWidget* focusEntry(int n) { return ConfigOperator::focusEntry(*window, n); }
    QComboBox* comboOf(int n) const { return ConfigOperator::comboOf(*window, n); }
    QLineEdit* editOf(int n) const { return ConfigOperator::editOf(*window, n); }
    void typeAndLeave(int n, const QString& text) { ConfigOperator::typeAndLeave(*window, n, text); }
    void pick(int n, int index) { ConfigOperator::pick(*window, n, index); }
    void pickAndLeave(int n, int index) { ConfigOperator::pickAndLeave(*window, n, index); }

    static constexpr int kMarkerCoil = 999;

    QTemporaryDir dir;
    FakeClock clock;
    FakeFieldbus bus;
    StationCore core{std::make_unique<ForwardingFieldbus>(bus), clock, dir.filePath(QStringLiteral("Rdatabj.sqlite"))};
    InstrumentState& state = core.state();
    InstrumentLink& link = core.link();
    Poller& poll = core.poller();
    std::unique_ptr<ConfigWindow> window;  // last, so it goes first
};
