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
    QString text;
};

// The program as a console starts it: no display, no platform chosen;
// both output channels in one text.
Output run(const Program& program, const QString& option)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        environment.remove(QString::fromLatin1(name));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);  // the probe's help goes to standard error
    process.start(QString::fromLocal8Bit(program.path), {option});
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAllStandardOutput())};
}

class ProgramCommandLine : public ::testing::TestWithParam<Program> {};

TEST_P(ProgramCommandLine, printsItsNameAndTheProjectVersion)
{
    const Output version = run(GetParam(), QStringLiteral("--version"));
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.text,
              QStringLiteral("%1 %2\n").arg(QLatin1String(GetParam().name), QLatin1String(StationVersion::kText)));
}

TEST_P(ProgramCommandLine, itsManualPageNamesEveryOptionOfItsHelp)
{
    const Output help = run(GetParam(), QStringLiteral("--help"));
    ASSERT_TRUE(help.exitCode == 0 || help.exitCode == 2) << help.exitCode;
    QFile manual(QStringLiteral(TQ5800_MANUAL_FOLDER "/%1.1").arg(QLatin1String(GetParam().name)));
    ASSERT_TRUE(manual.open(QIODevice::ReadOnly)) << manual.fileName().toStdString();
    // man(7) spells a hyphen in an option "\-".
    const QString page = QString::fromUtf8(manual.readAll()).replace(QStringLiteral("\\-"), QStringLiteral("-"));

    static const QRegularExpression option(QStringLiteral("--[a-z][a-z-]*"));
    int options = 0;
    for (const QRegularExpressionMatch& match : option.globalMatch(help.text)) {
        ++options;
        const QRegularExpression whole(QRegularExpression::escape(match.captured()) + QStringLiteral("(?![a-z-])"));
        EXPECT_TRUE(page.contains(whole)) << match.captured().toStdString();
    }
    EXPECT_GT(options, 2) << help.text.toStdString();
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
