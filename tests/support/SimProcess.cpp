#include "support/SimProcess.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::vector<char*> argvOf(const std::string& program, const std::vector<std::string>& args)
{
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const auto& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    return argv;
}

bool waitForExit(int pid, int timeoutMs, int* status)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (std::chrono::steady_clock::now() < deadline) {
        if (waitpid(pid, status, WNOHANG) == pid)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
}

} // namespace

SimProcess::SimProcess(std::vector<std::string> extraArgs)
    : args_(std::move(extraArgs))
{
    char pattern[] = "/tmp/tq5800-sim-XXXXXX";
    if (mkdtemp(pattern) == nullptr)
        return;
    dir_ = pattern;
    linkPath_ = dir_ + "/tty";
    launch();
}

SimProcess::~SimProcess()
{
    stop(false);
    std::error_code ignored;
    if (!dir_.empty())
        std::filesystem::remove_all(dir_, ignored);
}

bool SimProcess::launch()
{
    ready_ = false;
    std::vector<std::string> args{"--link", linkPath_};
    args.insert(args.end(), args_.begin(), args_.end());
    const std::string program = TQ5800_SIM_PATH;
    auto argv = argvOf(program, args);

    pid_ = fork();
    if (pid_ == 0) {
        const int devnull = open("/dev/null", O_WRONLY);
        if (devnull >= 0) {
            dup2(devnull, STDOUT_FILENO);
            close(devnull);
        }
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    if (pid_ < 0)
        return false;

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (std::chrono::steady_clock::now() < deadline) {
        std::error_code ec;
        if (std::filesystem::exists(linkPath_, ec)) {
            ready_ = true;
            return true;
        }
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
}

void SimProcess::stop(bool hard)
{
    if (pid_ <= 0)
        return;
    kill(pid_, hard ? SIGKILL : SIGTERM);
    int status = 0;
    if (!waitForExit(pid_, 3000, &status)) {
        kill(pid_, SIGKILL);
        waitpid(pid_, &status, 0);
    }
    pid_ = -1;
    ready_ = false;
    // A killed simulator leaves its link behind, pointing at a pseudo-terminal
    // number the next one opened anywhere on the machine may take: gone is
    // gone, as when it ends by itself.
    unlink(linkPath_.c_str());
}

bool SimProcess::restart()
{
    stop(false);
    return launch();
}

void SimProcess::signal(int sig) const
{
    if (pid_ > 0)
        kill(pid_, sig);
}

ProgramResult runProgram(const std::string& program, const std::vector<std::string>& args,
                         int timeoutMs)
{
    ProgramResult result;
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        return result;
    auto argv = argvOf(program, args);
    const auto started = std::chrono::steady_clock::now();
    const int pid = fork();
    if (pid == 0) {
        dup2(pipeFds[1], STDOUT_FILENO);
        close(pipeFds[0]);
        close(pipeFds[1]);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    close(pipeFds[1]);
    if (pid < 0) {
        close(pipeFds[0]);
        return result;
    }

    const auto deadline = started + std::chrono::milliseconds(timeoutMs);
    char buffer[4096];
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now()).count();
        if (left <= 0) {
            kill(pid, SIGKILL);
            break;
        }
        pollfd pfd{pipeFds[0], POLLIN, 0};
        if (poll(&pfd, 1, static_cast<int>(left)) <= 0)
            continue;
        const ssize_t n = read(pipeFds[0], buffer, sizeof buffer);
        if (n <= 0)
            break;
        result.output.append(buffer, static_cast<size_t>(n));
    }
    close(pipeFds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    result.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}
