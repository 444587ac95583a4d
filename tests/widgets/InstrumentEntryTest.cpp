#include <gtest/gtest.h>

#include <QTest>

#include "widgets/InstrumentEntry.h"

namespace {

const QDateTime kStart(QDate(2026, 12, 8), QTime(9, 0, 0));

QDateTime at(int seconds) { return kStart.addSecs(seconds); }

bool tinted(const InstrumentEntry& entry)
{
    return entry.palette().color(QPalette::Base) != QPalette().color(QPalette::Base);
}

// The story of one alarm set point's entry, as the operator lives it.
TEST(InstrumentEntry, followsTheInstrumentUntilTheOperatorTypesAndAgainOnceHisValueIsReadBack)
{
    InstrumentEntry entry;
    entry.show();

    // Before the first read: blank, never a made-up 0, and nothing to write.
    entry.showInstrumentValue(std::nullopt, QDateTime());
    EXPECT_EQ(entry.text(), QString());
    EXPECT_FALSE(entry.isChanged());

    entry.showInstrumentValue(QStringLiteral("150"), at(0));
    EXPECT_EQ(entry.text(), QStringLiteral("150"));
    EXPECT_FALSE(entry.isChanged()) << "the instrument's own value is no command";
    entry.showInstrumentValue(QStringLiteral("151"), at(1));
    EXPECT_EQ(entry.text(), QStringLiteral("151"));

    // Typing: the entry is the operator's, tinted, whatever the poll reads.
    entry.setFocus();
    entry.selectAll();
    QTest::keyClicks(&entry, QStringLiteral("200"));
    entry.showInstrumentValue(QStringLiteral("152"), at(2));
    EXPECT_EQ(entry.text(), QStringLiteral("200"));
    EXPECT_TRUE(entry.isChanged());
    EXPECT_TRUE(tinted(entry));

    // Typed back to what the instrument holds: no command.
    entry.selectAll();
    QTest::keyClicks(&entry, QStringLiteral(" 152"));
    EXPECT_FALSE(entry.isChanged());

    // Written at 3 s: a read from before it must not put the old value back.
    entry.selectAll();
    QTest::keyClicks(&entry, QStringLiteral("200"));
    entry.markWritten(at(3));
    entry.showInstrumentValue(QStringLiteral("152"), at(2));
    EXPECT_EQ(entry.text(), QStringLiteral("200"));
    entry.showInstrumentValue(QStringLiteral("200"), at(4));
    EXPECT_EQ(entry.text(), QStringLiteral("200"));
    EXPECT_FALSE(entry.isChanged());
    EXPECT_FALSE(tinted(entry));
    entry.showInstrumentValue(QStringLiteral("199"), at(5));
    EXPECT_EQ(entry.text(), QStringLiteral("199")) << "following again after the read-back";
}

TEST(InstrumentEntry, escTakesBackAnEditAndIsTheWindowsKeyOtherwise)
{
    InstrumentEntry entry;
    entry.show();
    entry.showInstrumentValue(QStringLiteral("25"), at(0));
    entry.setFocus();
    QTest::keyClicks(&entry, QStringLiteral("9"));
    ASSERT_TRUE(entry.isEdited());

    QTest::keyClick(&entry, Qt::Key_Escape);
    EXPECT_EQ(entry.text(), QStringLiteral("25"));
    EXPECT_FALSE(entry.isEdited());
    EXPECT_FALSE(tinted(entry));
    entry.showInstrumentValue(QStringLiteral("26"), at(1));
    EXPECT_EQ(entry.text(), QStringLiteral("26"));

    // Without an edit the entry leaves Esc to the window's shortcut.
    QKeyEvent overrideEvent(QEvent::ShortcutOverride, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(&entry, &overrideEvent);
    EXPECT_FALSE(overrideEvent.isAccepted());
}

} // namespace
