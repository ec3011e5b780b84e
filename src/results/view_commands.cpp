// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/view_commands.h"

#include <array>
#include <utility>

namespace sifter {

bool ViewModeOfCommand(CommandId id, ViewMode &mode)
{
    switch (id) {
    case cmd::kViewSmallIcons:
        mode = ViewMode::SmallIcons;
        return true;
    case cmd::kViewLargeIcons:
        mode = ViewMode::LargeIcons;
        return true;
    case cmd::kViewList:
        mode = ViewMode::List;
        return true;
    case cmd::kViewDetails:
        mode = ViewMode::Details;
        return true;
    default:
        return false;
    }
}

CommandId ColumnOfToggleCommand(CommandId id)
{
    // The Name column's command (32781) is not here: Name cannot be hidden.
    static constexpr std::array<std::pair<CommandId, CommandId>, 8> kPairs = {{
        {cmd::kToggleFolder, cmd::kArrangeByFolder},
        {cmd::kToggleSize, cmd::kArrangeBySize},
        {cmd::kToggleType, cmd::kArrangeByType},
        {cmd::kToggleModified, cmd::kArrangeByModified},
        {cmd::kToggleCreated, cmd::kArrangeByCreated},
        {cmd::kToggleVisited, cmd::kArrangeByVisited},
        {cmd::kToggleAttributes, cmd::kArrangeByAttributes},
        {cmd::kToggleShortName, cmd::kArrangeByShortName},
    }};
    for (const auto &[toggle, column] : kPairs) {
        if (toggle == id)
            return column;
    }
    return 0;
}

} // namespace sifter
