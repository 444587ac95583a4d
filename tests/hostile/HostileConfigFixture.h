#pragma once

#include <memory>

#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "CONFIG1.h"
#include "FakeClock.h"
#include "FakeFieldbus.h"
#include "ForwardingFieldbus.h"
#include "InstrumentLink.h"
#include "Met1.h"
#include "ParameterCatalogue.h"
#include "ParameterRowView.h"
#include "PortConnection.h"
#include "ProcessImage.h"
#include "StationContext.h"
#include "StatusIndicator.h"
#include "WrittenCalls.h"
#include "mscom.h"

// The configuration window on a fake fieldbus, shown and active so that
// leaving an entry moves the focus as it does at the station.
class HostileConfigFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        image.linkSettings[ProcessImage::kPortSlot] = 1;
        image.linkSettings[ProcessImage::kAddressSlot] = 1;
        window = std::make_unique<CONFIG1>(context);
        window->Timer1.stop();
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    QLineEdit* editOf(int n) const
    {
        const ParameterRowView* row = window->row(n);
        return row->T_3RW() ? row->T_3RW() : row->combo()->lineEdit();
    }

    // Puts the focus into parameter n's entry, replaces its text as a paste
    // would (one edit, control characters kept) and leaves with Tab;
    // returns the writes that followed.
    std::vector<FakeFieldbus::Call> enterAndLeave(int n, const QString& text)
    {
        window->statusLine()->setText(QString());
        return writtenCalls(bus, link, [&] {
            window->SSTab1()->setCurrentIndex(static_cast<int>(ParameterCatalogue::find(n)->page));
            QWidget* entry = window->row(n)->entry();
            entry->setFocus(Qt::MouseFocusReason);
            EXPECT_TRUE(waitFor([&] { return entry->hasFocus(); }, 2000)) << "no focus in entry " << n;
            editOf(n)->selectAll();
            editOf(n)->insert(text);
            QTest::keyClick(entry, Qt::Key_Tab);
        });
    }

    QString status() const { return window->statusLine()->text(); }

    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("Rdatabj.sqlite"));
    ProcessImage image;
    FakeClock clock;
    FakeFieldbus bus;
    InstrumentLink link{std::make_unique<ForwardingFieldbus>(bus)};
    Met1 poll{image, link, clock};
    PortConnection connection{image, link, poll};
    mscom recorder{image, clock, path};
    StationContext context{image, clock, link, poll, connection, recorder, path};
    std::unique_ptr<CONFIG1> window;  // last, so it goes first
};
