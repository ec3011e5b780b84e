// SPDX-License-Identifier: GPL-3.0-or-later
#include "menus.h"

#include <QtGlobal>

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
    Popup(QT_TRANSLATE_NOOP("Menus", "Arrange &Icons By")),
        Item(cmd::kArrangeByName, QT_TRANSLATE_NOOP("Menus", "&Name")),
        Item(cmd::kArrangeByFolder, QT_TRANSLATE_NOOP("Menus", "In &Folder")),
        Item(cmd::kArrangeBySize, QT_TRANSLATE_NOOP("Menus", "&Size")),
        Item(cmd::kArrangeByType, QT_TRANSLATE_NOOP("Menus", "&Type")),
        Item(cmd::kArrangeByModified, QT_TRANSLATE_NOOP("Menus", "Date &Modified")),
        Item(cmd::kArrangeByCreated, QT_TRANSLATE_NOOP("Menus", "Date &Created")),
        Item(cmd::kArrangeByVisited, QT_TRANSLATE_NOOP("Menus", "Date Last &Visited")),
        Item(cmd::kArrangeByAttributes, QT_TRANSLATE_NOOP("Menus", "&Attributes")),
        Item(cmd::kArrangeByShortName, QT_TRANSLATE_NOOP("Menus", "S&hort Name")),
    End(),
};

constexpr auto kMainMenu = Join(std::array{
    Popup(QT_TRANSLATE_NOOP("Menus", "&File")),
        Item(cmd::kFileNew, QT_TRANSLATE_NOOP("Menus", "&New Search\tCtrl+N")),
        Item(cmd::kFileOpen, QT_TRANSLATE_NOOP("Menus", "O&pen Result File...")),
        Item(cmd::kFileSave, QT_TRANSLATE_NOOP("Menus", "&Save Result\tCtrl+S")),
        Item(cmd::kFileSaveAs, QT_TRANSLATE_NOOP("Menus", "Save Result &As...")),
        Separator(),
        Item(cmd::kOpenContainingFolder, QT_TRANSLATE_NOOP("Menus", "Open Conta&ining Folder")),
        Item(cmd::kOpen, QT_TRANSLATE_NOOP("Menus", "&Open\tCtrl+O")),
        Item(cmd::kHexView, QT_TRANSLATE_NOOP("Menus", "Hex &View...")),
        Item(cmd::kRename, QT_TRANSLATE_NOOP("Menus", "Rena&me")),
        Item(cmd::kDelete, QT_TRANSLATE_NOOP("Menus", "&Delete")),
        Item(cmd::kProperties, QT_TRANSLATE_NOOP("Menus", "Prope&rties\tAlt+Return")),
        Separator(),
        Item(cmd::kFileMruFirst, QT_TRANSLATE_NOOP("Menus", "Recent File"), true),
        Separator(),
        Item(cmd::kAppExit, QT_TRANSLATE_NOOP("Menus", "E&xit\tCtrl+Q")),
    End(),
    Popup(QT_TRANSLATE_NOOP("Menus", "&Edit")),
        Item(cmd::kEditCut, QT_TRANSLATE_NOOP("Menus", "Cu&t\tCtrl+X")),
        Item(cmd::kEditCopy, QT_TRANSLATE_NOOP("Menus", "&Copy\tCtrl+C")),
        Separator(),
        Item(cmd::kCopyToFolder, QT_TRANSLATE_NOOP("Menus", "Copy to &Folder...")),
        Item(cmd::kMoveToFolder, QT_TRANSLATE_NOOP("Menus", "Mo&ve To Folder...")),
        Separator(),
        Item(cmd::kEditSelectAll, QT_TRANSLATE_NOOP("Menus", "Select &All\tCtrl+A")),
        Item(cmd::kInvertSelection, QT_TRANSLATE_NOOP("Menus", "&Invert Selection")),
    End(),
    Popup(QT_TRANSLATE_NOOP("Menus", "&View")),
        Item(cmd::kViewToolbar, QT_TRANSLATE_NOOP("Menus", "&Toolbar")),
        Item(cmd::kViewStatusBar, QT_TRANSLATE_NOOP("Menus", "&Status Bar")),
        Item(cmd::kViewPreviewPane, QT_TRANSLATE_NOOP("Menus", "Pre&view Pane\tF3")),
        Item(cmd::kWindowSplit, QT_TRANSLATE_NOOP("Menus", "S&plit")),
        Separator(),
        Item(cmd::kViewLargeIcons, QT_TRANSLATE_NOOP("Menus", "Lar&ge Icons")),
        Item(cmd::kViewSmallIcons, QT_TRANSLATE_NOOP("Menus", "S&mall Icons")),
        Item(cmd::kViewList, QT_TRANSLATE_NOOP("Menus", "&List")),
        Item(cmd::kViewDetails, QT_TRANSLATE_NOOP("Menus", "&Details")),
        Separator()},
    kArrangeIconsBy,
    std::array{
    End(),
    Popup(QT_TRANSLATE_NOOP("Menus", "&Tools")),
        Item(cmd::kClearHistories, QT_TRANSLATE_NOOP("Menus", "&Clear Search Histories...")),
        Separator(),
        Item(cmd::kOptions, QT_TRANSLATE_NOOP("Menus", "&Options...")),
    End(),
    Popup(QT_TRANSLATE_NOOP("Menus", "&Help")),
        Item(cmd::kHelpIndex, QT_TRANSLATE_NOOP("Menus", "&Online Help")),
        Separator(),
        Item(cmd::kWebSite, QT_TRANSLATE_NOOP("Menus", "&Web Site")),
        Item(cmd::kAppAbout, QT_TRANSLATE_NOOP("Menus", "&About Sifter...")),
    End()});

constexpr std::array kColumnMenu = {
    Popup("POPCOLUMN"),
        Item(cmd::kToggleName, QT_TRANSLATE_NOOP("Menus", "&Name"), true),
        Item(cmd::kToggleFolder, QT_TRANSLATE_NOOP("Menus", "In &Folder")),
        Item(cmd::kToggleSize, QT_TRANSLATE_NOOP("Menus", "&Size")),
        Item(cmd::kToggleType, QT_TRANSLATE_NOOP("Menus", "&Type")),
        Item(cmd::kToggleModified, QT_TRANSLATE_NOOP("Menus", "Date &Modified")),
        Item(cmd::kToggleCreated, QT_TRANSLATE_NOOP("Menus", "Date &Created")),
        Item(cmd::kToggleVisited, QT_TRANSLATE_NOOP("Menus", "Date Last &Visited")),
        Item(cmd::kToggleAttributes, QT_TRANSLATE_NOOP("Menus", "&Attributes")),
        Item(cmd::kToggleShortName, QT_TRANSLATE_NOOP("Menus", "S&hort Name")),
    End(),
};

constexpr auto kItemMenu = Join(std::array{
    Popup("POPMAIN"),
        Item(cmd::kOpenContainingFolder, QT_TRANSLATE_NOOP("Menus", "Open Conta&ining Folder")),
        Item(cmd::kExcludeFolder, QT_TRANSLATE_NOOP("Menus", "E&xclude This Folder")),
        Item(cmd::kOpen, QT_TRANSLATE_NOOP("Menus", "&Open\tCtrl+O")),
        Item(cmd::kHexView, QT_TRANSLATE_NOOP("Menus", "Hex &View...")),
        Item(cmd::kRename, QT_TRANSLATE_NOOP("Menus", "Rena&me")),
        Item(cmd::kDelete, QT_TRANSLATE_NOOP("Menus", "&Delete")),
        Item(cmd::kProperties, QT_TRANSLATE_NOOP("Menus", "Prope&rties\tAlt+Return")),
        Separator(),
        Item(cmd::kEditCut, QT_TRANSLATE_NOOP("Menus", "Cu&t\tCtrl+X")),
        Item(cmd::kEditCopy, QT_TRANSLATE_NOOP("Menus", "&Copy\tCtrl+C")),
        Separator(),
        Item(cmd::kCopyToFolder, QT_TRANSLATE_NOOP("Menus", "Copy to &Folder...")),
        Item(cmd::kMoveToFolder, QT_TRANSLATE_NOOP("Menus", "Mo&ve To Folder...")),
        Separator(),
        Item(cmd::kEditSelectAll, QT_TRANSLATE_NOOP("Menus", "Select &All\tCtrl+A")),
        Item(cmd::kInvertSelection, QT_TRANSLATE_NOOP("Menus", "I&nvert Selection")),
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
