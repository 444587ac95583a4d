#pragma once

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

#include "configwindow/ConfigWindow.h"
#include "instrument/ParameterCatalogue.h"
#include "configwindow/ParameterRowView.h"
#include "support/WaitFor.h"

// What an operator does with the configuration window, by real keys and
// clicks, so that focus moves as it does at the station.
namespace ConfigOperator {

inline QComboBox* comboOf(const ConfigWindow& window, int n)
{
    return window.choiceEdit(n);
}

// The line the operator types into: a value box or a list's edit line.
inline QLineEdit* editOf(const ConfigWindow& window, int n)
{
    return window.valueEdit(n) ? window.valueEdit(n) : comboOf(window, n)->lineEdit();
}

// Shows the page of parameter n and puts focus into its entry control.
inline QWidget* focusEntry(ConfigWindow& window, int n)
{
    const ParameterCatalogue::Parameter* p = ParameterCatalogue::find(n);
    window.pageTabs()->setCurrentIndex(static_cast<int>(p->page));
    if (!window.isActiveWindow()) {
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    QWidget* entry = window.row(n)->entry();
    entry->setFocus(Qt::MouseFocusReason);
    EXPECT_TRUE(waitFor([&] { return entry->hasFocus(); }, 2000)) << "no focus in entry " << n;
    return entry;
}

// Click into the entry, replace its text by typing, press Tab.
inline void typeAndLeave(ConfigWindow& window, int n, const QString& text)
{
    QWidget* entry = focusEntry(window, n);
    editOf(window, n)->selectAll();
    QTest::keyClicks(editOf(window, n), text);
    QTest::keyClick(entry, Qt::Key_Tab);
}

// Opens the list and clicks the item.
inline void pick(ConfigWindow& window, int n, int index)
{
    QComboBox* combo = comboOf(window, n);
    focusEntry(window, n);
    combo->showPopup();
    QAbstractItemView* view = combo->view();
    ASSERT_TRUE(waitFor([&] { return view->isVisible(); }, 2000));
    const QRect item = view->visualRect(view->model()->index(index, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, item.center());
    ASSERT_TRUE(waitFor([&] { return !view->isVisible(); }, 2000));
    // The offscreen platform has no window manager to hand activation back
    // from the closed list, as a desktop does.
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    ASSERT_TRUE(waitFor([&] { return combo->hasFocus(); }, 2000));
}

inline void pickAndLeave(ConfigWindow& window, int n, int index)
{
    pick(window, n, index);
    QTest::keyClick(comboOf(window, n), Qt::Key_Tab);
}

} // namespace ConfigOperator
