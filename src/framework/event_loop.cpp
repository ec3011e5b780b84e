// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/event_loop.h"

#include <QCoreApplication>

namespace sifter {

void HandlePendingEvents(PendingEvents events)
{
    QCoreApplication::processEvents(events == PendingEvents::kAll ? QEventLoop::AllEvents
                                                                  : QEventLoop::ExcludeUserInputEvents);
}

} // namespace sifter
