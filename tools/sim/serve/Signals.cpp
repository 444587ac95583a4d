#include "Signals.h"

#include <csignal>

namespace tqsim::signals {

namespace {

volatile std::sig_atomic_t g_stop = 0;
volatile std::sig_atomic_t g_faultOn = 1;

void onStop(int)
{
    g_stop = 1;
}

void onToggleFault(int)
{
    g_faultOn = g_faultOn ? 0 : 1;
}

void handle(int sig, void (*handler)(int))
{
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0; // no SA_RESTART: a signal must cut a wait short
    sigaction(sig, &action, nullptr);
}

} // namespace

void install()
{
    handle(SIGTERM, onStop);
    handle(SIGINT, onStop);
    handle(SIGUSR1, onToggleFault);
    std::signal(SIGPIPE, SIG_IGN);
}

bool stopRequested()
{
    return g_stop != 0;
}

bool faultSwitchedOn()
{
    return g_faultOn != 0;
}

} // namespace tqsim::signals
