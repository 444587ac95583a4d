#include "core/ProgramCommandLine.h"

#include <cstdio>

#include "core/Version.h"

namespace ProgramCommandLine {

namespace {

void write(std::FILE* stream, std::string_view text)
{
    std::fwrite(text.data(), 1, text.size(), stream);
    if (text.empty() || text.back() != '\n')
        std::fputc('\n', stream);
    std::fflush(stream);
}

} // namespace

std::string versionLine(std::string_view program)
{
    return std::string(program) + ' ' + StationVersion::kText;
}

int answer(std::string_view text)
{
    write(stdout, text);
    return kAnswered;
}

int version(std::string_view program)
{
    return answer(versionLine(program));
}

int refuse(std::string_view program, std::string_view what)
{
    const std::string name(program);
    write(stderr, name + ": " + std::string(what));
    write(stderr, "Try '" + name + " --help'.");
    return kUsageError;
}

} // namespace ProgramCommandLine
