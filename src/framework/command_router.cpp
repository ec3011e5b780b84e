// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/command_router.h"

namespace sifter {

CommandUi CommandRouter::QueryState(CommandId id) const
{
    CommandUi ui(id);
    const std::vector<CommandTarget *> chain = chain_();
    for (CommandTarget *target : chain) {
        if (!target)
            continue;
        if (target->HasUpdateHandler(id)) {
            target->UpdateCommand(ui);
            return ui;
        }
        if (target->HasCommandHandler(id)) {
            ui.Enable(true);
            return ui;
        }
    }
    ui.Enable(false);
    return ui;
}

bool CommandRouter::Execute(CommandId id)
{
    // A key or a stale button must not run a command that has become disabled meanwhile.
    if (!QueryState(id).Enabled())
        return false;
    const std::vector<CommandTarget *> chain = chain_();
    for (CommandTarget *target : chain) {
        if (target && target->ExecuteCommand(id))
            return true;
    }
    return false;
}

} // namespace sifter
