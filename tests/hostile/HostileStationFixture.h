#pragma once

#include <memory>

#include <QLineEdit>
#include <QStatusBar>

#include <gtest/gtest.h>

#include "support/StationFixture.h"
#include "support/WrittenCalls.h"

// The main window on a fake fieldbus with an empty history file in a fresh
// folder and the link open; it runs no timers and the poll does not tick,
// so that only the operator's steps act.
class HostileStationFixture : public StationFixture {
protected:
    void SetUp() override
    {
        StationFixture::SetUp();
        startWindow();
        openLinkWithoutPolls();
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
};
