// SPDX-License-Identifier: GPL-3.0-or-later
#include "menus.h"

#include <algorithm>
#include <array>

namespace sifter {
namespace {

constexpr MenuEntryResource Popup(const char *text)
{
    return {MenuEntryKind::kPopupBegin, 0, text, false};
}
constexpr MenuEntryResource End()
{
    return {MenuEntryKind::kPopupEnd, 0, nullptr, false};
}
constexpr MenuEntryResource Separator()
{
    return {MenuEntryKind::kSeparator, 0, nullptr, false};
}
constexpr MenuEntryResource Item(CommandId id, const char *text, bool grayed = false)
{
    return {MenuEntryKind::kCommand, id, text, grayed};
}

// Joins menu fragments, so that a popup shared by two menus is written once.
template <std::size_t... N>
constexpr auto Join(const std::array<MenuEntryResource, N> &...parts)
{
    std::array<MenuEntryResource, (N + ...)> joined{};
    std::size_t at = 0;
    ((std::copy(parts.begin(), parts.end(), joined.begin() + at), at += N), ...);
    return joined;
}

constexpr std::array kArrangeIconsBy = {
    Popup("Arrange &Icons By"),
        Item(cmd::kArrangeByName, "&Name"),
        Item(cmd::kArrangeByFolder, "In &Folder"),
        Item(cmd::kArrangeBySize, "&Size"),
        Item(cmd::kArrangeByType, "&Type"),
        Item(cmd::kArrangeByModified, "Date &Modified"),
        Item(cmd::kArrangeByCreated, "Date &Created"),
        Item(cmd::kArrangeByVisited, "Date Last &Visited"),
        Item(cmd::kArrangeByAttributes, "&Attributes"),
        Item(cmd::kArrangeByShortName, "S&hort Name"),
    End(),
};

constexpr auto kMainMenu = Join(std::array{
    Popup("&File"),
        Item(cmd::kFileNew, "&New Search\tCtrl+N"),
        Item(cmd::kFileOpen, "O&pen Result File..."),
        Item(cmd::kFileSave, "&Save Result\tCtrl+S"),
        Item(cmd::kFileSaveAs, "Save Result &As..."),
        Separator(),
        Item(cmd::kOpenContainingFolder, "Open Conta&ining Folder"),
        Item(cmd::kOpen, "&Open\tCtrl+O"),
        Item(cmd::kHexView, "Hex &View..."),
        Item(cmd::kRename, "Rena&me"),
        Item(cmd::kDelete, "&Delete"),
        Item(cmd::kProperties, "Prope&rties\tAlt+Return"),
        Separator(),
        Item(cmd::kFileMruFirst, "Recent File", true),
        Separator(),
        Item(cmd::kAppExit, "E&xit\tCtrl+Q"),
    End(),
    Popup("&Edit"),
        Item(cmd::kEditCut, "Cu&t\tCtrl+X"),
        Item(cmd::kEditCopy, "&Copy\tCtrl+C"),
        Separator(),
        Item(cmd::kCopyToFolder, "Copy to &Folder..."),
        Item(cmd::kMoveToFolder, "Mo&ve To Folder..."),
        Separator(),
        Item(cmd::kEditSelectAll, "Select &All\tCtrl+A"),
        Item(cmd::kInvertSelection, "&Invert Selection"),
    End(),
    Popup("&View"),
        Item(cmd::kViewToolbar, "&Toolbar"),
        Item(cmd::kViewStatusBar, "&Status Bar"),
        Item(cmd::kViewPreviewPane, "Pre&view Pane\tF3"),
        Item(cmd::kWindowSplit, "S&plit"),
        Separator(),
        Item(cmd::kViewLargeIcons, "Lar&ge Icons"),
        Item(cmd::kViewSmallIcons, "S&mall Icons"),
        Item(cmd::kViewList, "&List"),
        Item(cmd::kViewDetails, "&Details"),
        Separator()},
    kArrangeIconsBy,
    std::array{
    End(),
    Popup("&Tools"),
        Item(cmd::kClearHistories, "&Clear Search Histories..."),
        Separator(),
        Item(cmd::kOptions, "&Options..."),
    End(),
    Popup("&Help"),
        Item(cmd::kHelpIndex, "&Online Help"),
        Separator(),
        Item(cmd::kWebSite, "&Web Site"),
        Item(cmd::kAppAbout, "&About Sifter..."),
    End()});

constexpr std::array kColumnMenu = {
    Popup("POPCOLUMN"),
        Item(cmd::kToggleName, "&Name", true),
        Item(cmd::kToggleFolder, "In &Folder"),
        Item(cmd::kToggleSize, "&Size"),
        Item(cmd::kToggleType, "&Type"),
        Item(cmd::kToggleModified, "Date &Modified"),
        Item(cmd::kToggleCreated, "Date &Created"),
        Item(cmd::kToggleVisited, "Date Last &Visited"),
        Item(cmd::kToggleAttributes, "&Attributes"),
        Item(cmd::kToggleShortName, "S&hort Name"),
    End(),
};

constexpr auto kItemMenu = Join(std::array{
    Popup("POPMAIN"),
        Item(cmd::kOpenContainingFolder, "Open Conta&ining Folder"),
        Item(cmd::kExcludeFolder, "E&xclude This Folder"),
        Item(cmd::kOpen, "&Open\tCtrl+O"),
        Item(cmd::kHexView, "Hex &View..."),
        Item(cmd::kRename, "Rena&me"),
        Item(cmd::kDelete, "&Delete"),
        Item(cmd::kProperties, "Prope&rties\tAlt+Return"),
        Separator(),
        Item(cmd::kEditCut, "Cu&t\tCtrl+X"),
        Item(cmd::kEditCopy, "&Copy\tCtrl+C"),
        Separator(),
        Item(cmd::kCopyToFolder, "Copy to &Folder..."),
        Item(cmd::kMoveToFolder, "Mo&ve To Folder..."),
        Separator(),
        Item(cmd::kEditSelectAll, "Select &All\tCtrl+A"),
        Item(cmd::kInvertSelection, "I&nvert Selection"),
        Separator()},
    kArrangeIconsBy,
    std::array{End()});

} // namespace

std::span<const MenuEntryResource> FindMenuResource(ResourceId id)
{
    switch (id) {
    case res::kMenuMain:
        return kMainMenu;
    case res::kMenuColumns:
        return kColumnMenu;
    case res::kMenuItems:
        return kItemMenu;
    default:
        return {};
    }
}

const char *FindMenuItemText(ResourceId menu, CommandId command)
{
    for (const MenuEntryResource &entry : FindMenuResource(menu)) {
        if (entry.kind == MenuEntryKind::kCommand && entry.id == command)
            return entry.text;
    }
    return nullptr;
}

} // namespace sifter
