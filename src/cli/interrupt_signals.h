// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Ctrl-C (SIGINT), SIGTERM and SIGHUP ask a run to wind down instead of ending the program,
// so that what was found can still be saved. A second such signal ends it at once.
#include "search/search_sinks.h"

namespace sifter {

class FileSearch;

// Installs the handlers; false when the system refuses them.
bool InstallInterruptHandlers();
// The number of the first signal received, 0 while none was.
int InterruptSignal();

// The run's pump: clears the running flag of search once a signal was received.
class InterruptPump final : public EventPump {
public:
    explicit InterruptPump(FileSearch &search) : search_(search) {}
    void DispatchPendingEvents() override;

private:
    FileSearch &search_;
};

} // namespace sifter
