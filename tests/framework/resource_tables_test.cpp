// SPDX-License-Identifier: GPL-3.0-or-later
// The resource tables: every string the program's texts rely on, under its id; menus,
// toolbar and accelerators as the main window shows them.
#include "res/accelerators.h"
#include "res/dialogs.h"
#include "res/menus.h"
#include "res/string_table.h"
#include "res/toolbar.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace sifter {
namespace {

TEST(StringTable, IsSortedWithUniqueIds)
{
    const auto table = StringTable();
    ASSERT_FALSE(table.empty());
    for (std::size_t i = 1; i < table.size(); ++i)
        EXPECT_LT(table[i - 1].id, table[i].id) << "entry " << i;
}

TEST(StringTable, CarriesEveryStringOfTheProgramExactly)
{
    const std::vector<std::pair<StringId, std::string>> expected = {
        {128, "Sifter\nNewSearch\nSifter\nSifter Result (*.sifter)\n.sifter\nSifter.Document\nSifter Result Document"},
        {130, "%1 objects"},
        {131, "%1 objects selected"},
        {132, "Type: %1"},
        {133, "&Stop"},
        {134, "&Search"},
        {135, "Norvane Search"},
        {136, "Choose directory to search"},
        {137, "Select the folder to copy the selected item(s) to."},
        {138, "Select the folder to move the selected item(s) to."},
        {139, "Date Modified: %1"},
        {140, "In Folder: %1"},
        {141, "Description: %1"},
        {142, "Company: %1"},
        {143, "Date Created: %1"},
        {144, "Size: %1"},
        {145, "File Version: %1"},
        {146, "%s %s In %s"},
        {147, "No more matched string."},
        {148, "Do you want to clear all the search histories? The histories include the file names, words and "
              "the folders you have searched for."},
        {150, "%1\\Shell\\Sifter\\command"},
        {151, "The selected operation has been performed, it should be successful. If there is any problem, "
              "please report to us."},
        {57344, "Sifter"},
        {57345, "Ready"},
        {57600, "Starts a new search\nNew Search"},
        {32791, "Views selected file in hexadecimal\nHex View"},
        {32792, "Opens containing folder\nOpen Containing Folder"},
        {32793, "Reverses which items are selected and which are not/Invert Selection"},
        {32794, "Copies the selected items to another location\nCopy To Folder"},
        {32795, "Moves the selected items to another location\nMove To Folder"},
        {32796, "Renames the selected item\nRename"},
        {32797, "Deletes the selected items\nDelete"},
        {32798, "Displays the properties of the selected items\nProperties"},
        {32799, "Opens the selected items\nOpen"},
        {57642, "Selects all the items\nSelect All"},
        {57634, "Copies the selection and put it on the Clipboard\nCopy"},
        {57635, "Cuts the selection and put it on the Clipboard\nCut"},
        {59408, "Displays items by using small icons.\nSmall Icons"},
        {59409, "Displays items by using large icons.\nLarge Icons"},
        {59410, "Displays items in a list.\nList"},
        {59411, "Displays detailed information about each item in the window.\nDetails"},
        {61442, "Save changes to %1?"},
        {61448, "Please enter a positive integer."},
    };
    for (const auto &[id, text] : expected)
        EXPECT_EQ(FindStringResource(id), text) << "string " << id;
}

TEST(StringTable, UnknownIdsGiveNothing)
{
    EXPECT_TRUE(FindStringResource(0).empty());
    EXPECT_TRUE(FindStringResource(129).empty());
    EXPECT_TRUE(FindStringResource(32771).empty()); // column commands have no strings
    EXPECT_TRUE(FindStringResource(0xFFFFFFFFu).empty());
}

TEST(StringTable, EveryToolbarButtonHasAPromptAndATooltip)
{
    for (const CommandId id : MainToolbar().buttons) {
        if (id == kToolbarSeparator)
            continue;
        const std::string_view text = FindStringResource(id);
        const auto cut = text.find('\n');
        ASSERT_NE(cut, std::string_view::npos) << "command " << id;
        EXPECT_GT(cut, 0u) << "command " << id;
        EXPECT_LT(cut + 1, text.size()) << "command " << id;
    }
}

// The flat menu as "title>item" paths, separators as "-".
std::vector<std::string> MenuPaths(ResourceId id)
{
    std::vector<std::string> paths;
    std::vector<std::string> open;
    for (const MenuEntryResource &entry : FindMenuResource(id)) {
        std::string prefix;
        for (const std::string &title : open)
            prefix += title + ">";
        switch (entry.kind) {
        case MenuEntryKind::kPopupBegin:
            open.emplace_back(entry.text);
            break;
        case MenuEntryKind::kPopupEnd:
            EXPECT_FALSE(open.empty());
            if (!open.empty())
                open.pop_back();
            break;
        case MenuEntryKind::kCommand:
            paths.push_back(prefix + entry.text + "=" + std::to_string(entry.id));
            break;
        case MenuEntryKind::kSeparator:
            paths.push_back(prefix + "-");
            break;
        }
    }
    EXPECT_TRUE(open.empty()) << "unbalanced popups in menu " << id;
    return paths;
}

TEST(Menus, MainMenuHasItsItemsInOrder)
{
    const std::vector<std::string> expected = {
        "&File>&New Search\tCtrl+N=57600", "&File>O&pen Result File...=57601", "&File>&Save Result\tCtrl+S=57603",
        "&File>Save Result &As...=57604", "&File>-", "&File>Open Conta&ining Folder=32792",
        "&File>&Open\tCtrl+O=32799", "&File>Hex &View...=32791", "&File>Rena&me=32796", "&File>&Delete=32797",
        "&File>Prope&rties\tAlt+Return=32798", "&File>-", "&File>Recent File=57616", "&File>-", "&File>E&xit\tCtrl+Q=57665",
        "&Edit>Cu&t\tCtrl+X=57635", "&Edit>&Copy\tCtrl+C=57634", "&Edit>-", "&Edit>Copy to &Folder...=32794",
        "&Edit>Mo&ve To Folder...=32795", "&Edit>-", "&Edit>Select &All\tCtrl+A=57642",
        "&Edit>&Invert Selection=32793", "&View>&Toolbar=59392", "&View>&Status Bar=59393",
        "&View>Pre&view Pane\tF3=32806", "&View>S&plit=57653",
        "&View>-", "&View>Lar&ge Icons=59409", "&View>S&mall Icons=59408", "&View>&List=59410",
        "&View>&Details=59411", "&View>-", "&View>Arrange &Icons By>&Name=32771",
        "&View>Arrange &Icons By>In &Folder=32772", "&View>Arrange &Icons By>&Size=32773",
        "&View>Arrange &Icons By>&Type=32774", "&View>Arrange &Icons By>Date &Modified=32775",
        "&View>Arrange &Icons By>Date &Created=32776", "&View>Arrange &Icons By>Date Last &Visited=32777",
        "&View>Arrange &Icons By>&Attributes=32778", "&View>Arrange &Icons By>S&hort Name=32780",
        "&Tools>&Clear Search Histories...=32801", "&Tools>-", "&Tools>&Options...=32804",
        "&Help>&Online Help=57666", "&Help>-", "&Help>&Web Site=32805", "&Help>&About Sifter...=57664",
    };
    EXPECT_EQ(MenuPaths(res::kMenuMain), expected);
}

TEST(Menus, ItemMenuAndColumnMenuAreSinglePopups)
{
    const std::vector<std::string> items = MenuPaths(res::kMenuItems);
    ASSERT_EQ(items.size(), 26u);
    EXPECT_EQ(items.front(), "POPMAIN>Open Conta&ining Folder=32792");
    EXPECT_EQ(items[1], "POPMAIN>E&xclude This Folder=32810");
    EXPECT_EQ(items[15], "POPMAIN>I&nvert Selection=32793");
    EXPECT_EQ(items.back(), "POPMAIN>Arrange &Icons By>S&hort Name=32780");

    const std::vector<std::string> columns = MenuPaths(res::kMenuColumns);
    const std::vector<std::string> expected = {
        "POPCOLUMN>&Name=32781",          "POPCOLUMN>In &Folder=32782",         "POPCOLUMN>&Size=32783",
        "POPCOLUMN>&Type=32784",          "POPCOLUMN>Date &Modified=32785",     "POPCOLUMN>Date &Created=32786",
        "POPCOLUMN>Date Last &Visited=32787", "POPCOLUMN>&Attributes=32788",    "POPCOLUMN>S&hort Name=32789",
    };
    EXPECT_EQ(columns, expected);
}

TEST(Menus, GreyedItemsAreTheRecentPlaceholderAndTheNameColumn)
{
    std::set<CommandId> greyed;
    for (const ResourceId menu : {res::kMenuMain, res::kMenuColumns, res::kMenuItems}) {
        for (const MenuEntryResource &entry : FindMenuResource(menu)) {
            if (entry.grayed)
                greyed.insert(entry.id);
        }
    }
    EXPECT_EQ(greyed, (std::set<CommandId>{cmd::kFileMruFirst, cmd::kToggleName}));
}

TEST(Menus, ItemTextsAreFoundInSubmenusByCommand)
{
    EXPECT_STREQ(FindMenuItemText(res::kMenuMain, cmd::kArrangeByModified), "Date &Modified");
    EXPECT_STREQ(FindMenuItemText(res::kMenuMain, cmd::kFileMruFirst), "Recent File");
    EXPECT_STREQ(FindMenuItemText(res::kMenuItems, cmd::kInvertSelection), "I&nvert Selection");
    EXPECT_EQ(FindMenuItemText(res::kMenuMain, cmd::kArrangeUnused), nullptr);
    EXPECT_EQ(FindMenuItemText(999, cmd::kFileNew), nullptr);
    EXPECT_TRUE(FindMenuResource(999).empty());
}

TEST(Toolbar, HasTenButtonsInOrderWithSeparators)
{
    const ToolbarResource toolbar = MainToolbar();
    EXPECT_EQ(toolbar.buttonWidth, 16);
    EXPECT_EQ(toolbar.buttonHeight, 15);
    const std::vector<CommandId> buttons(toolbar.buttons.begin(), toolbar.buttons.end());
    const std::vector<CommandId> expected = {57600, 57601, 57603, 0, 57635, 57634, 0, 59409, 59408, 59410, 59411, 0, 57664};
    EXPECT_EQ(buttons, expected);
    for (const CommandId id : buttons) {
        if (id != kToolbarSeparator) {
            EXPECT_NE(FindToolbarImage(id), nullptr) << "command " << id;
        }
    }
    EXPECT_EQ(FindToolbarImage(cmd::kFileSaveAs), nullptr);
}

TEST(Accelerators, MapTheKeysOfTheMainWindow)
{
    std::vector<std::pair<std::string, CommandId>> keys;
    for (const AcceleratorResource &accelerator : MainAccelerators())
        keys.emplace_back(accelerator.keys, accelerator.command);
    const std::vector<std::pair<std::string, CommandId>> expected = {
        {"Ctrl+A", 57642}, {"Ctrl+C", 57634}, {"Ctrl+Ins", 57634}, {"Ctrl+X", 57635},
        {"Shift+Del", 57635}, {"Ctrl+D", 32797}, {"Ctrl+N", 57600}, {"Ctrl+O", 32799},
        {"Ctrl+S", 57603}, {"F1", 57666}, {"F3", 32806}, {"F6", 57680}, {"Shift+F6", 57681}, {"Ctrl+Q", 57665},
        {"Alt+Return", 32798}, {"F5", 32807}, {"Ctrl+F", 32808}, {"Ctrl+L", 32809},
    };
    EXPECT_EQ(keys, expected);
}

TEST(Dialogs, AboutBoxTemplateHasItsControls)
{
    const DialogResource *about = FindDialogResource(res::kDialogAbout);
    ASSERT_NE(about, nullptr);
    EXPECT_STREQ(about->caption, "About Sifter");
    EXPECT_EQ(about->width, 199);
    EXPECT_EQ(about->height, 138);
    ASSERT_EQ(about->controls.size(), 9u);
    EXPECT_EQ(about->controls[2].id, ctl::kAboutText);
    EXPECT_EQ(about->controls[5].id, ctl::kOnlineHelpLink);
    EXPECT_EQ(about->controls[5].kind, ControlKind::kLinkButton);
    EXPECT_EQ(about->controls[6].id, ctl::kWebSiteLink);
    EXPECT_EQ(about->controls[8].kind, ControlKind::kDefPushButton);
    EXPECT_EQ(about->controls[8].x, 144);
    EXPECT_EQ(FindDialogResource(12345), nullptr);
}

} // namespace
} // namespace sifter
