#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>

#include <sys/wait.h>
#include <unistd.h>

#include "support/SimMaster.h"

namespace fs = std::filesystem;

namespace {

// A private directory, removed with everything in it.
struct TempDir {
    fs::path path;
    TempDir()
    {
        char pattern[] = "/tmp/tq5800-simtest-XXXXXX";
        if (mkdtemp(pattern) != nullptr)
            path = pattern;
    }
    ~TempDir()
    {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
};

// A simulator started by the test itself, so that the test sees how it ends.
class Child {
public:
    explicit Child(std::vector<std::string> args)
    {
        std::vector<char*> argv{const_cast<char*>(TQ5800_SIM_PATH)};
        for (auto& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        pid_ = fork();
        if (pid_ == 0) {
            execv(TQ5800_SIM_PATH, argv.data());
            _exit(127);
        }
    }
    ~Child()
    {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }
    void signal(int sig) const { kill(pid_, sig); }
    std::optional<int> exitCode()
    {
        int status = 0;
        if (pid_ <= 0 || waitpid(pid_, &status, WNOHANG) != pid_)
            return std::nullopt;
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    int pid_ = -1;
};

std::string linkTarget(const fs::path& link)
{
    std::error_code ec;
    return fs::read_symlink(link, ec).string();
}

} // namespace

class SimStopSignal : public testing::TestWithParam<int> {};

TEST_P(SimStopSignal, endsCleanlyAndRemovesTheLink)
{
    TempDir dir;
    const fs::path link = dir.path / "tty";
    Child sim({"--link", link.string()});
    ASSERT_TRUE(waitUntil([&] { return fs::exists(link); }));
    const auto signalled = std::chrono::steady_clock::now();
    sim.signal(GetParam());
    std::optional<int> code;
    ASSERT_TRUE(waitUntil([&] { return (code = sim.exitCode()).has_value(); }));
    // Aim: 100 ms; the bound leaves room for a loaded machine and sanitizers.
    EXPECT_LT(std::chrono::steady_clock::now() - signalled, std::chrono::milliseconds(2000));
    EXPECT_EQ(*code, 0);
    EXPECT_FALSE(fs::is_symlink(link));
}

INSTANTIATE_TEST_SUITE_P(Signals, SimStopSignal, testing::Values(SIGTERM, SIGINT),
                         [](const testing::TestParamInfo<int>& info) {
                             return std::string(info.param == SIGTERM ? "term" : "interrupt");
                         });

TEST(SimLifecycle, staleLinkIsReplacedAndTheLinkFileNamesTheDevice)
{
    TempDir dir;
    const fs::path link = dir.path / "tty";
    const fs::path file = dir.path / "device";
    fs::create_symlink("/dev/pts/no-such-terminal", link);
    Child sim({"--link", link.string(), "--link-file", file.string()});
    ASSERT_TRUE(waitUntil([&] { return fs::exists(link); }));
    std::string name;
    std::getline(std::ifstream(file), name);
    EXPECT_EQ(name, linkTarget(link));
    EXPECT_EQ(name.rfind("/dev/pts/", 0), 0u);
    SimMaster master(link.string());
    EXPECT_TRUE(master.read(SimMaster::Table::InputRegisters, 1, 1)) << master.why();
}

TEST(SimLifecycle, announcesWhatItServes)
{
    TempDir dir;
    const fs::path link = dir.path / "tty";
    // Runs until the time-out ends it; the announcement comes first.
    const auto result = runProgram(TQ5800_SIM_PATH, {"--link", link.string(), "--frozen"}, 2000);
    EXPECT_EQ(result.output, "tq5800-sim: serving " + linkTarget(link) + " via " + link.string() + "\n");
}

class SimBadCommandLine : public testing::TestWithParam<std::vector<std::string>> {};

TEST_P(SimBadCommandLine, exitsWithCodeTwo)
{
    const auto result = runProgram(TQ5800_SIM_PATH, GetParam(), 5000);
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_TRUE(result.output.empty());
}

INSTANTIATE_TEST_SUITE_P(CommandLines, SimBadCommandLine,
                         testing::Values(std::vector<std::string>{},
                                         std::vector<std::string>{"--link", "/tmp/x", "--set", "3x:1"},
                                         std::vector<std::string>{"--link", "/tmp/x", "--what"}));
