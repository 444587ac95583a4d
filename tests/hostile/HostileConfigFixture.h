#pragma once

#include <vector>

#include <QLineEdit>
#include <QString>

#include "support/ConfigFixture.h"
#include "widgets/StatusIndicator.h"
#include "support/WrittenCalls.h"

// The configuration window's own test fixture, opened, with a way to paste
// any text into an entry and leave it as the operator would.
class HostileConfigFixture : public ConfigFixture {
protected:
    void SetUp() override
    {
        ConfigFixture::SetUp();
        open();
    }

    // Puts the focus into parameter n's entry, replaces its text as a paste
    // would (one edit, control characters kept) and leaves with Tab;
    // returns the writes that followed.
    std::vector<FakeFieldbus::Call> enterAndLeave(int n, const QString& text)
    {
        window->statusLine()->setText(QString());
        return writtenCalls(bus, link, [&] {
            QWidget* entry = focusEntry(n);
            editOf(n)->selectAll();
            editOf(n)->insert(text);
            QTest::keyClick(entry, Qt::Key_Tab);
        });
    }

    QString status() const { return window->statusLine()->text(); }
};
