#pragma once

#include <memory>

#include <QLineEdit>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include "FakeClock.h"
#include "FakeFieldbus.h"
#include "ForwardingFieldbus.h"
#include "InstrumentLink.h"
#include "Met1.h"
#include "PortConnection.h"
#include "ProcessImage.h"
#include "StationContext.h"
#include "WrittenCalls.h"
#include "mscom.h"
#include "ssqx.h"

// The main window on a fake fieldbus with an empty history file in a fresh
// folder; its timers are stopped so that only the operator's steps act.
class HostileStationFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        window = std::make_unique<ssqx>(context);
        window->Form_Load();
        for (QTimer* timer : {&window->Timer1, &window->Timer2, &window->Timer3, &window->Timer4})
            timer->stop();
        image.linkSettings[ProcessImage::kPortSlot] = 3;
        image.linkSettings[ProcessImage::kAddressSlot] = 7;
    }

    // Replaces the field's text as a paste would (one edit, control
    // characters kept), then runs `act`; returns the writes that followed.
    template <typename Act>
    std::vector<FakeFieldbus::Call> enter(QLineEdit* field, const QString& text, Act act)
    {
        window->statusBar()->clearMessage();
        return writtenCalls(bus, link, [&] {
            field->selectAll();
            field->insert(text);
            act();
        });
    }

    QString status() const { return window->statusBar()->currentMessage(); }

    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("Rdatabj.sqlite"));
    ProcessImage image;
    FakeClock clock{QDateTime(QDate(2001, 3, 12), QTime(14, 5, 7))};
    FakeFieldbus bus;
    InstrumentLink link{std::make_unique<ForwardingFieldbus>(bus)};
    Met1 poll{image, link, clock};
    PortConnection connection{image, link, poll};
    mscom recorder{image, clock, path};
    StationContext context{image, clock, link, poll, connection, recorder, path};
    std::unique_ptr<ssqx> window;  // last, so it goes first
};
