#pragma once

#include <string>
#include <string_view>

// How every program answers --help and --version and refuses a command
// line it cannot run: answers on standard output with exit code 0, a
// refusal as "PROGRAM: what is wrong" and "Try 'PROGRAM --help'." on
// standard error with exit code 2. Plain C++, so the simulator shares it
// without Qt.
namespace ProgramCommandLine {

inline constexpr int kAnswered = 0;
inline constexpr int kUsageError = 2;

// "tq5800-probe 1.4.0": the program's name and the project's version.
std::string versionLine(std::string_view program);

// The text on standard output, ended by a newline; kAnswered.
int answer(std::string_view text);
// The version line on standard output; kAnswered.
int version(std::string_view program);
// The two lines on standard error; kUsageError.
int refuse(std::string_view program, std::string_view what);

} // namespace ProgramCommandLine
