#include <ostream>

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include "core/Version.h"

namespace {

struct Program {
    const char* name;
    const char* path;
};

void PrintTo(const Program& program, std::ostream* out)
{
    *out << program.name;
}

struct Output {
    int exitCode = -1;
    QString out;
    QString err;
};

// The program as a console starts it: no display, no platform chosen.
Output run(const Program& program, const QStringList& arguments)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        environment.remove(QString::fromLatin1(name));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QString::fromLocal8Bit(program.path), arguments);
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAllStandardOutput()),
            QString::fromLocal8Bit(process.readAllStandardError())};
}

class ProgramCommandLine : public ::testing::TestWithParam<Program> {};

// One way for all: help and version on standard output with exit code 0;
// a command line the program cannot run refused in two English lines on
// standard error with exit code 2.
TEST_P(ProgramCommandLine, answersHelpAndVersionAndRefusesABadCommandLineAlike)
{
    const QString name = QLatin1String(GetParam().name);
    const Output version = run(GetParam(), {QStringLiteral("--version")});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, QStringLiteral("%1 %2\n").arg(name, QLatin1String(StationVersion::kText)));
    EXPECT_TRUE(version.err.isEmpty()) << version.err.toStdString();

    const Output help = run(GetParam(), {QStringLiteral("--help")});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.contains(QStringLiteral("--version"))) << help.out.toStdString();
    EXPECT_TRUE(help.err.isEmpty()) << help.err.toStdString();

    // What is wrong in printable ASCII: English, on one line.
    const QRegularExpression refusal(
        QStringLiteral("^%1: [ -~]+\nTry '%1 --help'\\.\n$").arg(QRegularExpression::escape(name)));
    for (const QString& wrong : {QStringLiteral("--no-such-option"), QStringLiteral("stray")}) {
        const Output refused = run(GetParam(), {wrong});
        EXPECT_EQ(refused.exitCode, 2) << wrong.toStdString();
        EXPECT_TRUE(refused.out.isEmpty()) << refused.out.toStdString();
        EXPECT_TRUE(refusal.match(refused.err).hasMatch()) << refused.err.toStdString();
    }
}

TEST_P(ProgramCommandLine, itsManualPageNamesEveryOptionOfItsHelp)
{
    const Output help = run(GetParam(), {QStringLiteral("--help")});
    ASSERT_EQ(help.exitCode, 0);
    QFile manual(QStringLiteral(TQ5800_MANUAL_FOLDER "/%1.1").arg(QLatin1String(GetParam().name)));
    ASSERT_TRUE(manual.open(QIODevice::ReadOnly)) << manual.fileName().toStdString();
    // man(7) spells a hyphen in an option "\-".
    const QString page = QString::fromUtf8(manual.readAll()).replace(QStringLiteral("\\-"), QStringLiteral("-"));

    static const QRegularExpression option(QStringLiteral("--[a-z][a-z-]*"));
    int options = 0;
    for (const QRegularExpressionMatch& match : option.globalMatch(help.out)) {
        ++options;
        const QRegularExpression whole(QRegularExpression::escape(match.captured()) + QStringLiteral("(?![a-z-])"));
        EXPECT_TRUE(page.contains(whole)) << match.captured().toStdString();
    }
    EXPECT_GT(options, 2) << help.out.toStdString();
}

INSTANTIATE_TEST_SUITE_P(EveryProgram, ProgramCommandLine,
                         ::testing::Values(Program{"tq5800-station", TQ5800_STATION_PATH},
                                           Program{"tq5800-sim", TQ5800_SIM_PATH},
                                           Program{"tq5800-probe", TQ5800_PROBE_PATH},
                                           Program{"tq5800-journal", TQ5800_JOURNAL_TOOL_PATH},
                                           Program{"tq5800-export", TQ5800_EXPORT_TOOL_PATH}),
                         [](const ::testing::TestParamInfo<Program>& info) {
                             return std::string(info.param.name + 7);  // without "tq5800-"
                         });

} // namespace
