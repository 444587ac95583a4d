// A message put into words twice: in the interface's language for the
// screen and in English for the log, from the English built into the
// program.
#include <gtest/gtest.h>

#include "core/EnglishTexts.h"
#include "core/ShownText.h"

namespace {

ShownText statusText(const char* source)
{
    return ShownText("StatusTexts", source);
}

struct Case {
    const char* name;
    ShownText text;
    const char* shown;  // with no translator installed: the Chinese sources
    const char* english;
};

TEST(ShownTextTest, isWordedInTheInterfacesLanguageAndInEnglishWithItsArguments)
{
    const Case cases[] = {
        {"nested texts", statusText("“%1”未执行：%2").arg(ShownText("WriteRequest", "设定SV")).arg(statusText("输入的不是数字")),
         "“设定SV”未执行：输入的不是数字", "\"Set SV\" not done: not a number"},
        {"numbers and words the same in both", statusText("“%1” %2 写入失败%3：%4")
                                                   .arg(ShownText("WriteRequest", QStringLiteral("设定OP")))
                                                   .arg(25)
                                                   .arg(ShownText::verbatim(QString()))
                                                   .arg(QStringLiteral("timed out")),
         "“设定OP” 25 写入失败：timed out", "\"Set OP\" 25 write failed: timed out"},
        {"one text after another", ShownText("MainWindow", "端口打开失败：") + ShownText("LinkFailureText", "无应答"),
         "端口打开失败：无应答", "Port open failed: no answer"},
        {"markers in order of their numbers", ShownText::verbatim(QStringLiteral("%2, then %1")).arg(1).arg(2), "2, then 1",
         "2, then 1"},
        {"a marker inside an argument stays", ShownText::verbatim(QStringLiteral("%1 [%2]")).arg(QStringLiteral("50%1")).arg(7),
         "50%1 [7]", "50%1 [7]"},
        {"arguments beyond the markers are left out", ShownText::verbatim(QStringLiteral("%1")).arg(1).arg(2), "1", "1"},
        {"a text without English is its source", ShownText("NoSuchContext", "没有译文"), "没有译文", "没有译文"},
        {"trimmed in both", ShownText("ParameterCatalogue", "1:华氏度 ").trimmed(), "1:华氏度", "1:Fahrenheit"},
        {"empty", ShownText(), "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.text.shown(), QString::fromUtf8(c.shown)) << c.name;
        EXPECT_EQ(c.text.english(), QString::fromUtf8(c.english)) << c.name;
    }
    // With English installed as the interface, both are English.
    const EnglishTexts::Installed english;
    for (const Case& c : cases)
        EXPECT_EQ(c.text.shown(), QString::fromUtf8(c.english)) << c.name;
}

} // namespace
