#include "PtyLink.h"

#include <cerrno>
#include <cstring>
#include <climits>

#include <fcntl.h>
#include <pty.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace tqsim {

namespace {

std::string systemError(const std::string& what)
{
    return what + ": " + std::strerror(errno);
}

// Where a link points, or "" if it is no link.
std::string linkTarget(const std::string& path)
{
    char buffer[PATH_MAX];
    const ssize_t n = readlink(path.c_str(), buffer, sizeof buffer - 1);
    return n > 0 ? std::string(buffer, static_cast<size_t>(n)) : std::string();
}

} // namespace

std::unique_ptr<PtyLink> PtyLink::open(std::string* error)
{
    int master = -1;
    int slave = -1;
    char name[PATH_MAX] = {};
    if (openpty(&master, &slave, name, nullptr, nullptr) != 0) {
        *error = systemError("cannot create a pseudo-terminal");
        return nullptr;
    }
    // Raw, or the line discipline would echo answers back as requests and
    // turn 0x0A into 0x0D 0x0A. A master that opens the device sets its own
    // mode and restores this one when it closes.
    termios tio {};
    tcgetattr(slave, &tio);
    cfmakeraw(&tio);
    tcsetattr(slave, TCSANOW, &tio);
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
    fcntl(master, F_SETFD, FD_CLOEXEC);
    fcntl(slave, F_SETFD, FD_CLOEXEC);
    return std::unique_ptr<PtyLink>(new PtyLink(master, slave, name));
}

PtyLink::PtyLink(int master, int slave, std::string slaveName)
    : master_(master)
    , slave_(slave)
    , slaveName_(std::move(slaveName))
{
}

PtyLink::~PtyLink()
{
    // Only our own link: a newer simulator may already have taken the path.
    if (!linkPath_.empty() && linkTarget(linkPath_) == slaveName_)
        unlink(linkPath_.c_str());
    close(slave_);
    close(master_);
}

void PtyLink::dropUnreadAnswers()
{
    // The slave's input queue is what masters read; our own slave
    // descriptor reaches the same queue.
    tcflush(slave_, TCIFLUSH);
}

bool PtyLink::createLink(const std::string& linkPath, std::string* error)
{
    struct stat existing {};
    if (lstat(linkPath.c_str(), &existing) == 0 && !S_ISLNK(existing.st_mode)) {
        *error = linkPath + " exists and is not a symbolic link";
        return false;
    }
    // Made beside it and renamed over it, so the path never dangles.
    const std::string temporary = linkPath + ".new-" + std::to_string(getpid());
    unlink(temporary.c_str());
    if (symlink(slaveName_.c_str(), temporary.c_str()) != 0) {
        *error = systemError("cannot create " + temporary);
        return false;
    }
    if (rename(temporary.c_str(), linkPath.c_str()) != 0) {
        *error = systemError("cannot create " + linkPath);
        unlink(temporary.c_str());
        return false;
    }
    linkPath_ = linkPath;
    return true;
}

} // namespace tqsim
