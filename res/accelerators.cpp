// SPDX-License-Identifier: GPL-3.0-or-later
#include "accelerators.h"

#include <array>

namespace sifter {
namespace {

constexpr std::array kAccelerators = {
    AcceleratorResource{"Ctrl+A", cmd::kEditSelectAll},
    AcceleratorResource{"Ctrl+C", cmd::kEditCopy},
    AcceleratorResource{"Ctrl+Ins", cmd::kEditCopy},
    AcceleratorResource{"Ctrl+X", cmd::kEditCut},
    AcceleratorResource{"Shift+Del", cmd::kEditCut},
    AcceleratorResource{"Ctrl+D", cmd::kDelete},
    AcceleratorResource{"Ctrl+N", cmd::kFileNew},
    AcceleratorResource{"Ctrl+O", cmd::kOpen},
    AcceleratorResource{"Ctrl+S", cmd::kFileSave},
    AcceleratorResource{"F1", cmd::kHelpIndex},
    AcceleratorResource{"F3", cmd::kViewPreviewPane},
    AcceleratorResource{"F6", cmd::kNextPane},
    AcceleratorResource{"Shift+F6", cmd::kPrevPane},
    // Every Linux desktop program quits with Ctrl+Q.
    AcceleratorResource{"Ctrl+Q", cmd::kAppExit},
    // The keys desktop programs give Properties, reloading, find and the location bar.
    AcceleratorResource{"Alt+Return", cmd::kProperties},
    AcceleratorResource{"F5", cmd::kSearchAgain},
    AcceleratorResource{"Ctrl+F", cmd::kFocusNameBox},
    AcceleratorResource{"Ctrl+L", cmd::kFocusFolderBox},
};

} // namespace

std::span<const AcceleratorResource> MainAccelerators()
{
    return kAccelerators;
}

} // namespace sifter
