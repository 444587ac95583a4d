// The log is English whatever language the operator reads: a refused
// entry, a failed write and a port that does not open, each shown in the
// interface's language, are logged in English.
#include <optional>

#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTest>

#include "mainwindow/LinkSettingsBar.h"
#include "mainwindow/LivePanel.h"
#include "support/EnglishInterface.h"
#include "support/LogLines.h"
#include "support/StationFixture.h"
#include "support/WaitFor.h"
#include "support/WrittenCalls.h"
#include "widgets/InstrumentEntry.h"

namespace {

bool hasChinese(const QString& text)
{
    static const QRegularExpression han(QStringLiteral("[\\x{3000}-\\x{303F}\\x{4E00}-\\x{9FFF}\\x{FF00}-\\x{FFEF}]"));
    return text.contains(han);
}

class LogLanguageTest : public StationFixture, public ::testing::WithParamInterface<const char*> {
protected:
    void SetUp() override
    {
        StationFixture::SetUp();
        if (QLatin1String(GetParam()) == QLatin1String("en"))
            english.emplace();
        startWindow();
        openLinkWithoutPolls();
    }

    // Types into the entry and clicks its button, as the operator does; the
    // writes it makes are done when this returns.
    void typeAndSend(QLineEdit* entry, QPushButton* button, const QString& text)
    {
        writtenCalls(bus, link, [&] {
            entry->clear();
            QTest::keyClicks(entry, text);
            QTest::mouseClick(button, Qt::LeftButton);
        });
    }

    QString status() const { return window->statusBar()->currentMessage(); }

    std::optional<EnglishInterface> english;
};

TEST_P(LogLanguageTest, aRefusalAWriteFailureAndALinkFailureAreLoggedInEnglish)
{
    LogLines log;
    LivePanel& panel = *window->panel();

    typeAndSend(panel.setValueEntry(), panel.setValueButton(), QStringLiteral("abc"));
    const QString refusal = status();
    bus.scriptWriteResults({false, false});
    typeAndSend(panel.setValueEntry(), panel.setValueButton(), QStringLiteral("250"));
    const QString writeFailure = status();
    QTest::mouseClick(window->settings()->closeButton(), Qt::LeftButton);
    bus.failAll();
    bus.setFailure({LinkFailure::Kind::NoDevice}, "cannot open /dev/ttyUSB0: No such file or directory");
    QTest::mouseClick(window->settings()->openButton(), Qt::LeftButton);
    ASSERT_TRUE(waitFor([&] { return status() != writeFailure; }));

    // The screen speaks the interface's language...
    const bool chinese = english == std::nullopt;
    EXPECT_EQ(hasChinese(refusal), chinese) << refusal.toStdString();
    EXPECT_EQ(hasChinese(writeFailure), chinese) << writeFailure.toStdString();
    // ...the log English, every line of it.
    const QStringList lines = log.lines();
    EXPECT_TRUE(lines.filter(QStringLiteral("\"Set SV\" not done: not a number")).size() == 1)
        << lines.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(lines.filter(QRegularExpression(QStringLiteral("^\"Set SV\" 250 write failed .*\\[.*\\]$"))).size(), 1)
        << lines.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(lines.filter(QRegularExpression(QStringLiteral("^Port open failed: .*\\[cannot open /dev/ttyUSB0"))).size(), 1)
        << lines.join(QLatin1Char('\n')).toStdString();
    for (const QString& line : lines)
        EXPECT_FALSE(hasChinese(line)) << line.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Languages, LogLanguageTest, ::testing::Values("zh", "en"),
                         [](const auto& info) { return std::string(info.param); });

} // namespace
