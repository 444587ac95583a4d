#pragma once

#include <string>
#include <vector>

// A tq5800-sim child process serving a pseudo-terminal behind a symbolic
// link in a private temporary directory. The destructor ends it.
class SimProcess {
public:
    // Starts the simulator with `--link <dir>/tty` plus extraArgs and waits
    // (at most a few seconds) until the link exists. started() tells.
    explicit SimProcess(std::vector<std::string> extraArgs = {});
    ~SimProcess();

    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    bool started() const { return pid_ > 0 && ready_; }
    const std::string& devicePath() const { return linkPath_; }
    const std::string& directory() const { return dir_; }

    // Ends the simulator: SIGTERM, or SIGKILL when hard is true.
    void stop(bool hard = false);
    // Starts it again on the same link path with the same arguments.
    bool restart();
    // Sends a signal (for example SIGUSR1 to toggle the configured fault).
    void signal(int sig) const;

private:
    bool launch();

    std::vector<std::string> args_;
    std::string dir_;
    std::string linkPath_;
    int pid_ = -1;
    bool ready_ = false;
};

// Runs a program to completion and captures its standard output.
struct ProgramResult {
    int exitCode = -1;
    std::string output;
    double seconds = 0.0;
};
ProgramResult runProgram(const std::string& program, const std::vector<std::string>& args,
                         int timeoutMs = 20000);
