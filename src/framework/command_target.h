// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Something that handles commands: it registers a handler and, where the state depends on
// it, an update handler per command id or id range.
#include "framework/command_ui.h"

#include <functional>
#include <vector>

namespace sifter {

class CommandTarget {
public:
    virtual ~CommandTarget() = default;

    // True when this target has a handler for the id.
    bool HasCommandHandler(CommandId id) const;
    // True when this target has an update handler for the id.
    bool HasUpdateHandler(CommandId id) const;
    // Runs the handler for the id; false when this target has none.
    bool ExecuteCommand(CommandId id);
    // Runs the update handler for ui's id; false when this target has none.
    bool UpdateCommand(CommandUi &ui);

protected:
    CommandTarget() = default;

    void OnCommand(CommandId id, std::function<void()> handler);
    // One handler for first..last (inclusive), told which id ran.
    void OnCommandRange(CommandId first, CommandId last, std::function<void(CommandId)> handler);
    void OnUpdateCommand(CommandId id, std::function<void(CommandUi &)> handler);
    void OnUpdateCommandRange(CommandId first, CommandId last, std::function<void(CommandUi &)> handler);

private:
    struct Handler {
        CommandId first;
        CommandId last;
        std::function<void(CommandId)> run;
    };
    struct UpdateHandler {
        CommandId first;
        CommandId last;
        std::function<void(CommandUi &)> update;
    };

    const Handler *FindHandler(CommandId id) const;
    const UpdateHandler *FindUpdateHandler(CommandId id) const;

    std::vector<Handler> handlers_;
    std::vector<UpdateHandler> updateHandlers_;
};

} // namespace sifter
