// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/command_target.h"

#include <utility>

namespace sifter {

bool CommandTarget::HasCommandHandler(CommandId id) const
{
    return FindHandler(id) != nullptr;
}

bool CommandTarget::HasUpdateHandler(CommandId id) const
{
    return FindUpdateHandler(id) != nullptr;
}

bool CommandTarget::ExecuteCommand(CommandId id)
{
    const Handler *handler = FindHandler(id);
    if (!handler)
        return false;
    // A copy: the handler may register or replace handlers of this target while it runs.
    const auto run = handler->run;
    run(id);
    return true;
}

bool CommandTarget::UpdateCommand(CommandUi &ui)
{
    const UpdateHandler *handler = FindUpdateHandler(ui.Id());
    if (!handler)
        return false;
    handler->update(ui);
    return true;
}

void CommandTarget::OnCommand(CommandId id, std::function<void()> handler)
{
    handlers_.push_back({id, id, [run = std::move(handler)](CommandId) { run(); }});
}

void CommandTarget::OnCommandRange(CommandId first, CommandId last, std::function<void(CommandId)> handler)
{
    handlers_.push_back({first, last, std::move(handler)});
}

void CommandTarget::OnUpdateCommand(CommandId id, std::function<void(CommandUi &)> handler)
{
    updateHandlers_.push_back({id, id, std::move(handler)});
}

void CommandTarget::OnUpdateCommandRange(CommandId first, CommandId last, std::function<void(CommandUi &)> handler)
{
    updateHandlers_.push_back({first, last, std::move(handler)});
}

const CommandTarget::Handler *CommandTarget::FindHandler(CommandId id) const
{
    // The latest registration wins, so a derived class can take over a base class's id.
    for (auto it = handlers_.rbegin(); it != handlers_.rend(); ++it) {
        if (id >= it->first && id <= it->last)
            return &*it;
    }
    return nullptr;
}

const CommandTarget::UpdateHandler *CommandTarget::FindUpdateHandler(CommandId id) const
{
    for (auto it = updateHandlers_.rbegin(); it != updateHandlers_.rend(); ++it) {
        if (id >= it->first && id <= it->last)
            return &*it;
    }
    return nullptr;
}

} // namespace sifter
