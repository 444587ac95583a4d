#pragma once

namespace tqsim::signals {

// SIGTERM and SIGINT ask the serving loop to end; SIGUSR1 toggles the
// configured fault (it starts switched on). Handlers only flip flags.
void install();
bool stopRequested();
bool faultSwitchedOn();

} // namespace tqsim::signals
