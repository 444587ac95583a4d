// tq5800-sim: a TQ5800 controller on a Modbus RTU line, for testing the
// station without the instrument.

#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "Options.h"
#include "PtyLink.h"
#include "ReplyEngine.h"
#include "SerialDevice.h"
#include "Server.h"
#include "Signals.h"
#include "StartImage.h"
#include "core/ProgramCommandLine.h"

namespace {

constexpr char kProgram[] = "tq5800-sim";
constexpr int kStartError = 1;

int fail(const std::string& message)
{
    std::cerr << "tq5800-sim: " << message << '\n';
    return kStartError;
}

} // namespace

int main(int argc, char** argv)
{
    using namespace tqsim;

    const ParsedOptions parsed = parseOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.ok())
        return ProgramCommandLine::refuse(kProgram, parsed.error);
    const Options& options = parsed.options;
    if (options.help)
        return ProgramCommandLine::answer(usageText());
    if (options.version)
        return ProgramCommandLine::version(kProgram);

    signals::install();
    RegisterImage image = startImage(options);
    ReplyEngine engine(image);
    if (!engine.ok())
        return fail(engine.error());

    std::string error;
    std::unique_ptr<Line> line;
    PtyLink* pty = nullptr;
    if (!options.linkPath.empty()) {
        auto opened = PtyLink::open(&error);
        pty = opened.get();
        line = std::move(opened);
    } else {
        line = SerialDevice::open(options, &error);
    }
    if (!line)
        return fail(error);

    if (!options.linkFile.empty()) {
        std::ofstream file(options.linkFile, std::ios::trunc);
        file << line->deviceName() << '\n';
        if (!file)
            return fail("cannot write " + options.linkFile);
    }
    if (pty && !pty->createLink(options.linkPath, &error))
        return fail(error);

    std::cout << "tq5800-sim: serving " << line->deviceName();
    if (pty)
        std::cout << " via " << options.linkPath;
    std::cout << std::endl;

    Server server(options, image, engine, *line);
    server.run();
    return 0;
}
