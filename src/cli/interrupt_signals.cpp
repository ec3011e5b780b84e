// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/interrupt_signals.h"

#include "search/file_search.h"

#include <csignal>

namespace sifter {
namespace {

// A signal handler can only reach state at namespace scope; this is the one such variable.
volatile std::sig_atomic_t receivedSignal = 0;

constexpr int kInterruptSignals[] = {SIGINT, SIGTERM, SIGHUP};

extern "C" void NoteSignal(int signalNumber)
{
    if (receivedSignal == 0)
        receivedSignal = signalNumber;
}

} // namespace

bool InstallInterruptHandlers()
{
    struct sigaction action {};
    action.sa_handler = NoteSignal;
    sigemptyset(&action.sa_mask);
    // The handler is removed when it runs: a second signal ends the program as usual.
    action.sa_flags = SA_RESETHAND | SA_RESTART;
    bool installed = true;
    for (int signalNumber : kInterruptSignals) {
        struct sigaction current {};
        // A signal ignored by whoever started us (nohup, a background job) stays ignored.
        if (sigaction(signalNumber, nullptr, &current) == 0 && current.sa_handler == SIG_IGN)
            continue;
        installed = sigaction(signalNumber, &action, nullptr) == 0 && installed;
    }
    return installed;
}

int InterruptSignal()
{
    return receivedSignal;
}

void InterruptPump::DispatchPendingEvents()
{
    if (receivedSignal != 0)
        search_.SetRunning(false);
}

} // namespace sifter
