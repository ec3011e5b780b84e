// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Turning the event loop from inside work that runs on the window's thread, so that the
// windows paint and Cancel or Stop answers while the work goes on.

namespace sifter {

// Which of the pending events a turn handles.
enum class PendingEvents {
    kAll,               // clicks and keys too: what they reach must be safe while the work runs
    kWithoutUserInput,  // paint and timers, but no clicks or keys
};

// Handles the events pending now, as asked, and returns without waiting for more. Anything
// an event does happens within, even the destruction of the caller's window.
void HandlePendingEvents(PendingEvents events = PendingEvents::kAll);

} // namespace sifter
