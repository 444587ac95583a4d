#include <ostream>

#include <QProcess>
#include <QProcessEnvironment>

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

class ProgramVersion : public ::testing::TestWithParam<Program> {};

// Each program names itself and the project's version, also on a console
// without a display.
TEST_P(ProgramVersion, printsItsNameAndTheProjectVersion)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        environment.remove(QString::fromLatin1(name));
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QString::fromLocal8Bit(GetParam().path), {QStringLiteral("--version")});
    ASSERT_TRUE(program.waitForFinished(30000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_EQ(QString::fromLocal8Bit(program.readAllStandardOutput()),
              QStringLiteral("%1 %2\n").arg(QLatin1String(GetParam().name), QLatin1String(StationVersion::kText)));
}

INSTANTIATE_TEST_SUITE_P(EveryProgram, ProgramVersion,
                         ::testing::Values(Program{"tq5800-station", TQ5800_STATION_PATH},
                                           Program{"tq5800-sim", TQ5800_SIM_PATH},
                                           Program{"tq5800-probe", TQ5800_PROBE_PATH},
                                           Program{"tq5800-journal", TQ5800_JOURNAL_TOOL_PATH},
                                           Program{"tq5800-export", TQ5800_EXPORT_TOOL_PATH}),
                         [](const ::testing::TestParamInfo<Program>& info) {
                             std::string name = info.param.name + 7;  // without "tq5800-"
                             return name;
                         });

} // namespace
