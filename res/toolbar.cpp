// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolbar.h"

#include <array>

namespace sifter {
namespace {

constexpr std::array kButtons = {
    cmd::kFileNew,       cmd::kFileOpen,        cmd::kFileSave, kToolbarSeparator,
    cmd::kEditCut,       cmd::kEditCopy,        kToolbarSeparator,
    cmd::kViewLargeIcons, cmd::kViewSmallIcons, cmd::kViewList, cmd::kViewDetails, kToolbarSeparator,
    cmd::kAppAbout,
};

constexpr std::array kImages = {
    ToolbarImageResource{cmd::kFileNew, "document-new", ":/sifter/icons/toolbar/new.png"},
    ToolbarImageResource{cmd::kFileOpen, "document-open", ":/sifter/icons/toolbar/open.png"},
    ToolbarImageResource{cmd::kFileSave, "document-save", ":/sifter/icons/toolbar/save.png"},
    ToolbarImageResource{cmd::kEditCut, "edit-cut", ":/sifter/icons/toolbar/cut.png"},
    ToolbarImageResource{cmd::kEditCopy, "edit-copy", ":/sifter/icons/toolbar/copy.png"},
    ToolbarImageResource{cmd::kViewLargeIcons, "view-list-icons", ":/sifter/icons/toolbar/large-icons.png"},
    ToolbarImageResource{cmd::kViewSmallIcons, "view-grid", ":/sifter/icons/toolbar/small-icons.png"},
    ToolbarImageResource{cmd::kViewList, "view-list-text", ":/sifter/icons/toolbar/list.png"},
    ToolbarImageResource{cmd::kViewDetails, "view-list-details", ":/sifter/icons/toolbar/details.png"},
    ToolbarImageResource{cmd::kAppAbout, "help-about", ":/sifter/icons/toolbar/about.png"},
};

} // namespace

const ToolbarImageResource *FindToolbarImage(CommandId id)
{
    for (const ToolbarImageResource &image : kImages) {
        if (image.id == id)
            return &image;
    }
    return nullptr;
}

ToolbarResource MainToolbar()
{
    return {16, 15, kButtons};
}

} // namespace sifter
