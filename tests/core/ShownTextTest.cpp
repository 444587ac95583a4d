// What the log's English and the screen's words share: the arguments go
// into their markers as QString::arg would put them, once. How the words
// reach the screen and the log is shown where they are used (the main
// window's log test).
#include <gtest/gtest.h>

#include "core/ShownText.h"

namespace {

TEST(ShownTextTest, argumentsFillTheirMarkersOnceInBothLanguages)
{
    const struct {
        const char* name;
        ShownText text;
        const char* expected;  // shown and English alike: no translator installed, words verbatim
    } cases[] = {
        {"markers in order of their numbers", ShownText::verbatim(QStringLiteral("%2, then %1")).arg(1).arg(2), "2, then 1"},
        {"a marker inside an argument stays", ShownText::verbatim(QStringLiteral("%1 [%2]")).arg(QStringLiteral("50%1")).arg(7),
         "50%1 [7]"},
        {"arguments beyond the markers are left out", ShownText::verbatim(QStringLiteral("%1")).arg(1).arg(2), "1"},
        {"a text without English is its source", ShownText("NoSuchContext", "没有译文"), "没有译文"},
        {"empty", ShownText(), ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.text.shown(), QString::fromUtf8(c.expected)) << c.name;
        EXPECT_EQ(c.text.english(), QString::fromUtf8(c.expected)) << c.name;
    }
}

} // namespace
