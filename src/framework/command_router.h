// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Routes a command along a chain of targets (active view, document, frame, application):
// the first target with a handler runs it. The state of a command is decided the same way:
// the first target with an update handler sets it; a target with only a handler enables
// it; a command nobody handles is disabled.
#include "framework/command_target.h"

#include <functional>
#include <vector>

namespace sifter {

class CommandRouter {
public:
    // Gives the chain in routing order at the moment of asking; null entries are skipped.
    using Chain = std::function<std::vector<CommandTarget *>()>;

    explicit CommandRouter(Chain chain) : chain_(std::move(chain)) {}

    // The command's state now.
    CommandUi QueryState(CommandId id) const;
    // Runs the command unless it is disabled now; false when nothing ran.
    bool Execute(CommandId id);

private:
    Chain chain_;
};

} // namespace sifter
