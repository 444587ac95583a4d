#include "core/TerminationSignals.h"

#include <csignal>

#include <QSocketNotifier>

#include <fcntl.h>
#include <pwd.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// What the handler passes on: one datagram per signal, so a record is never
// read in halves.
struct SignalRecord {
    int signalNumber;
    pid_t senderPid;  // 0 when the kernel raised it
    uid_t senderUid;
};

// The self-pipe: a signal handler may only write to a descriptor.
int signalPipe[2] = {-1, -1};

void onSignal(int signalNumber, siginfo_t* info, void*)
{
    // si_code <= 0 says a process sent it (kill, sigqueue, tgkill); only
    // then are the sender's fields filled.
    const bool fromProcess = info != nullptr && info->si_code <= 0;
    const SignalRecord record{signalNumber, fromProcess ? info->si_pid : 0, fromProcess ? info->si_uid : 0};
    [[maybe_unused]] const auto written = ::write(signalPipe[1], &record, sizeof record);
}

QString accountName(uid_t uid)
{
    if (const passwd* entry = getpwuid(uid))
        return QString::fromLocal8Bit(entry->pw_name);
    return QString::number(uid);
}

} // namespace

QString TerminationRequest::signalName() const
{
    switch (signalNumber) {
    case SIGTERM: return QStringLiteral("SIGTERM");
    case SIGINT: return QStringLiteral("SIGINT");
    default: return QString::number(signalNumber);
    }
}

TerminationSignals::TerminationSignals(QObject* parent)
    : QObject(parent)
{
    if (::socketpair(AF_UNIX, SOCK_DGRAM, 0, signalPipe) != 0)
        return;
    // A handler must never block: a signal beyond a full queue is dropped,
    // the ones queued already end the program.
    ::fcntl(signalPipe[1], F_SETFL, ::fcntl(signalPipe[1], F_GETFL) | O_NONBLOCK);
    notifier_ = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TerminationSignals::readSignal);

    struct sigaction action {};
    action.sa_sigaction = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART | SA_SIGINFO;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

TerminationSignals::~TerminationSignals()
{
    std::signal(SIGTERM, SIG_DFL);
    std::signal(SIGINT, SIG_DFL);
    if (signalPipe[0] >= 0) {
        ::close(signalPipe[0]);
        ::close(signalPipe[1]);
        signalPipe[0] = signalPipe[1] = -1;
    }
}

void TerminationSignals::readSignal()
{
    SignalRecord record{};
    if (::read(signalPipe[0], &record, sizeof record) != static_cast<ssize_t>(sizeof record))
        return;
    TerminationRequest request;
    request.signalNumber = record.signalNumber;
    request.senderPid = record.senderPid;
    if (record.senderPid != 0)
        request.senderUser = accountName(record.senderUid);
    emit terminationRequested(request);
}
