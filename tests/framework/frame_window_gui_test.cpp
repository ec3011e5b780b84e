// SPDX-License-Identifier: GPL-3.0-or-later
// The frame of the framework: one action per command with texts, prompts and keys from
// the resources; menus and toolbar on those actions; states from the update handlers;
// prompts in the status bar; bars shown and hidden by View commands.
#include "framework_fixture.h"
#include "support/qt_printers.h"

#include "framework/command_actions.h"
#include "res/accelerators.h"
#include "res/menus.h"
#include "res/toolbar.h"

#include <QActionGroup>
#include <QApplication>
#include <QMenuBar>
#include <QStatusTipEvent>
#include <QToolButton>
#include <QWindow>
#include <gtest/gtest.h>

#include <map>
#include <set>

namespace sifter::test {
namespace {

class FrameWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QApplication::setQuitOnLastWindowClosed(false);
        ASSERT_TRUE(app.InitInstance());
    }

    QMenu *TopMenu(const QString &title)
    {
        for (QAction *action : app.Frame().menuBar()->actions()) {
            if (action->text() == title)
                return action->menu();
        }
        return nullptr;
    }

    std::vector<CommandId> Ids(const QMenu &menu)
    {
        std::vector<CommandId> ids;
        for (QAction *action : menu.actions())
            ids.push_back(action->isSeparator() ? 0 : CommandActions::IdOf(action));
        return ids;
    }

    TempTree tree;
    TestApp app{tree.Path("config")};
};

TEST_F(FrameWindowTest, EveryResourceCommandHasOneAction)
{
    std::set<CommandId> ids;
    for (const ResourceId menu : {res::kMenuMain, res::kMenuColumns, res::kMenuItems}) {
        for (const MenuEntryResource &entry : FindMenuResource(menu)) {
            if (entry.kind == MenuEntryKind::kCommand)
                ids.insert(entry.id);
        }
    }
    for (const CommandId id : MainToolbar().buttons) {
        if (id != kToolbarSeparator)
            ids.insert(id);
    }
    for (const AcceleratorResource &accelerator : MainAccelerators())
        ids.insert(accelerator.command);
    CommandActions &actions = app.Frame().Actions();
    for (const CommandId id : ids) {
        QAction *action = actions.Action(id);
        ASSERT_NE(action, nullptr) << "command " << id;
        EXPECT_EQ(CommandActions::IdOf(action), id);
    }
    EXPECT_EQ(actions.Action(cmd::kArrangeUnused), nullptr);
    EXPECT_GE(actions.AllActions().size(), static_cast<qsizetype>(ids.size()));
}

TEST_F(FrameWindowTest, ActionsCarryMenuTextPromptAndTooltip)
{
    CommandActions &actions = app.Frame().Actions();
    QAction *newSearch = actions.Action(cmd::kFileNew);
    EXPECT_EQ(newSearch->text(), QStringLiteral("&New Search\tCtrl+N"));
    EXPECT_EQ(newSearch->statusTip(), QStringLiteral("Starts a new search"));
    EXPECT_EQ(newSearch->toolTip(), QStringLiteral("New Search"));
    // The main menu's text wins over the item menu's.
    EXPECT_EQ(actions.Action(cmd::kInvertSelection)->text(), QStringLiteral("&Invert Selection"));
    // A string without a line break is all prompt.
    EXPECT_EQ(actions.Action(cmd::kInvertSelection)->statusTip(),
              QStringLiteral("Reverses which items are selected and which are not/Invert Selection"));
    EXPECT_EQ(actions.Action(cmd::kToggleName)->text(), QStringLiteral("&Name"));
    EXPECT_EQ(actions.Action(cmd::kNextPane)->text(), QStringLiteral("Next Pane"));
    EXPECT_FALSE(actions.Action(cmd::kFileNew)->icon().isNull());
}

TEST_F(FrameWindowTest, KeysComeFromTheAcceleratorTableAndAreUnique)
{
    CommandActions &actions = app.Frame().Actions();
    EXPECT_EQ(actions.Action(cmd::kEditCopy)->shortcuts(),
              (QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)}));
    EXPECT_EQ(actions.Action(cmd::kEditCut)->shortcuts(),
              (QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::SHIFT | Qt::Key_Delete)}));
    EXPECT_EQ(actions.Action(cmd::kHelpIndex)->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_EQ(actions.Action(cmd::kPrevPane)->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_F6));
    EXPECT_EQ(actions.Action(cmd::kAppExit)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
    std::map<QString, CommandId> owners;
    for (QAction *action : actions.AllActions()) {
        for (const QKeySequence &keys : action->shortcuts()) {
            const auto [it, inserted] = owners.emplace(keys.toString(), CommandActions::IdOf(action));
            EXPECT_TRUE(inserted) << keys.toString().toStdString() << " twice";
        }
    }
    EXPECT_EQ(owners.size(), MainAccelerators().size());
    // Every key works anywhere in the window.
    EXPECT_TRUE(app.Frame().actions().contains(actions.Action(cmd::kNextPane)));
}

TEST_F(FrameWindowTest, MenuBarFollowsTheMainMenuTable)
{
    QStringList titles;
    for (QAction *action : app.Frame().menuBar()->actions())
        titles.append(action->text());
    EXPECT_EQ(titles, (QStringList{"&File", "&Edit", "&View", "&Tools", "&Help"}));
    QMenu *file = TopMenu(QStringLiteral("&File"));
    ASSERT_NE(file, nullptr);
    // The recent-file placeholder brings the list's four places.
    const std::vector<CommandId> expected = {57600, 57601, 57603, 57604, 0,     32792, 32799, 32791, 32796,
                                             32797, 32798, 0,     57616, 57617, 57618, 57619, 0,     57665};
    EXPECT_EQ(Ids(*file), expected);
    QMenu *view = TopMenu(QStringLiteral("&View"));
    ASSERT_NE(view, nullptr);
    QMenu *arrange = view->actions().last()->menu();
    ASSERT_NE(arrange, nullptr);
    EXPECT_EQ(arrange->title(), QStringLiteral("Arrange &Icons By"));
    EXPECT_EQ(arrange->actions().size(), 9);
}

// A menu draws an action's keys after its text unless the text has its own tab part; an
// item whose resource text names no keys ("&Delete", "&Online Help") must show none.
void ExpectItemsShowOnlyTheirResourceText(const QMenu &menu)
{
    for (QAction *action : menu.actions()) {
        if (action->menu()) {
            ExpectItemsShowOnlyTheirResourceText(*action->menu());
            continue;
        }
        if (action->isSeparator() || action->text().contains(QLatin1Char('\t')))
            continue;
        EXPECT_TRUE(action->shortcuts().isEmpty())
            << action->text().toStdString() << " shows " << action->shortcut().toString().toStdString();
    }
}

TEST_F(FrameWindowTest, MenuItemsShowNoKeysTheirResourceTextDoesNotName)
{
    for (QAction *top : app.Frame().menuBar()->actions()) {
        ASSERT_NE(top->menu(), nullptr);
        ExpectItemsShowOnlyTheirResourceText(*top->menu());
    }
    for (const ResourceId id : {res::kMenuItems, res::kMenuColumns}) {
        QMenu *popup = app.Frame().Menus().CreatePopupMenu(id, &app.Frame());
        ASSERT_NE(popup, nullptr);
        ExpectItemsShowOnlyTheirResourceText(*popup);
    }
    // The keys still run the commands from anywhere in the window.
    EXPECT_EQ(app.Frame().Actions().Action(cmd::kDelete)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_D));
    EXPECT_EQ(app.Frame().Actions().Action(cmd::kHelpIndex)->shortcut(), QKeySequence(Qt::Key_F1));
    QMenu *help = TopMenu(QStringLiteral("&Help"));
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(CommandActions::IdOf(help->actions().front()), cmd::kHelpIndex);
}

TEST_F(FrameWindowTest, ToolbarHasTheResourceButtonsOnTheSharedActions)
{
    std::vector<CommandId> ids;
    for (QAction *action : app.Frame().toolBar->actions())
        ids.push_back(action->isSeparator() ? 0 : CommandActions::IdOf(action));
    const std::vector<CommandId> expected(MainToolbar().buttons.begin(), MainToolbar().buttons.end());
    EXPECT_EQ(ids, expected);
    EXPECT_EQ(app.Frame().toolBar->actions().front(), app.Frame().Actions().Action(cmd::kFileNew));
}

TEST_F(FrameWindowTest, MenuItemsGetTheirStateJustBeforeTheMenuOpens)
{
    bool deletable = false;
    app.Frame().OnCommand(cmd::kDelete, [] {});
    app.Frame().OnUpdateCommand(cmd::kDelete, [&deletable](CommandUi &ui) { ui.Enable(deletable); });
    QMenu *file = TopMenu(QStringLiteral("&File"));
    CommandActions &actions = app.Frame().Actions();
    // Delete's item is an action of its own: its text names no keys.
    QAction *deleteItem = nullptr;
    for (QAction *action : file->actions()) {
        if (CommandActions::IdOf(action) == cmd::kDelete)
            deleteItem = action;
    }
    ASSERT_NE(deleteItem, nullptr);

    emit file->aboutToShow();
    EXPECT_FALSE(deleteItem->isEnabled());
    EXPECT_TRUE(actions.Action(cmd::kFileNew)->isEnabled());   // the application's
    EXPECT_TRUE(actions.Action(cmd::kFileSave)->isEnabled());  // the document's
    EXPECT_TRUE(actions.Action(cmd::kAppExit)->isEnabled());
    EXPECT_FALSE(actions.Action(cmd::kHexView)->isEnabled());  // no handler in this frame

    deletable = true;
    emit file->aboutToShow();
    EXPECT_TRUE(deleteItem->isEnabled());
}

TEST_F(FrameWindowTest, TriggeringAnItemRoutesItsCommandAndADisabledOneDoesNothing)
{
    int runs = 0;
    bool enabled = true;
    app.Frame().OnCommand(cmd::kRename, [&runs] { ++runs; });
    app.Frame().OnUpdateCommand(cmd::kRename, [&enabled](CommandUi &ui) { ui.Enable(enabled); });
    // Until the next update the item still shows the state it had: nobody handled Rename.
    app.Frame().Actions().Action(cmd::kRename)->trigger();
    EXPECT_EQ(runs, 0);
    app.Frame().UpdateCommandUi();
    app.Frame().Actions().Action(cmd::kRename)->trigger();
    EXPECT_EQ(runs, 1);
    enabled = false;
    EXPECT_FALSE(app.Frame().SendCommand(cmd::kRename));
    EXPECT_EQ(runs, 1);
}

TEST_F(FrameWindowTest, ItemMenuKeepsItsOwnTextAndRoutesTheSameCommand)
{
    int inverts = 0;
    app.Frame().OnCommand(cmd::kInvertSelection, [&inverts] { ++inverts; });
    QMenu *popup = app.Frame().Menus().CreatePopupMenu(res::kMenuItems, &app.Frame());
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->title(), QStringLiteral("POPMAIN"));
    QAction *invert = nullptr;
    for (QAction *action : popup->actions()) {
        if (CommandActions::IdOf(action) == cmd::kInvertSelection)
            invert = action;
    }
    ASSERT_NE(invert, nullptr);
    EXPECT_EQ(invert->text(), QStringLiteral("I&nvert Selection"));
    EXPECT_NE(invert, app.Frame().Actions().Action(cmd::kInvertSelection));
    invert->trigger();
    EXPECT_EQ(inverts, 1);
    // Items with the same text share the frame's action.
    EXPECT_TRUE(popup->actions().contains(app.Frame().Actions().Action(cmd::kOpen)));

    QMenu *columns = app.Frame().Menus().CreatePopupMenu(res::kMenuColumns, &app.Frame());
    ASSERT_NE(columns, nullptr);
    EXPECT_EQ(columns->actions().size(), 9);
    EXPECT_EQ(app.Frame().Menus().CreatePopupMenu(999, &app.Frame()), nullptr);
}

TEST_F(FrameWindowTest, RadioAndCheckMarksReachMenusAndToolbarButtons)
{
    CommandId mode = cmd::kViewDetails;
    app.Frame().OnCommandRange(cmd::kViewSmallIcons, cmd::kViewModeRangeLast, [&mode](CommandId id) { mode = id; });
    app.Frame().OnUpdateCommandRange(cmd::kViewSmallIcons, cmd::kViewModeRangeLast, [&mode](CommandUi &ui) {
        ui.Enable(true);
        ui.SetRadio(ui.Id() == mode);
    });
    app.Frame().UpdateCommandUi();
    QAction *details = app.Frame().Actions().Action(cmd::kViewDetails);
    QAction *list = app.Frame().Actions().Action(cmd::kViewList);
    EXPECT_TRUE(details->isChecked());
    EXPECT_FALSE(list->isChecked());
    ASSERT_NE(details->actionGroup(), nullptr);
    EXPECT_TRUE(details->actionGroup()->isExclusive()); // drawn as a radio item

    auto *button = qobject_cast<QToolButton *>(app.Frame().toolBar->widgetForAction(list));
    ASSERT_NE(button, nullptr);
    button->click();
    EXPECT_EQ(mode, cmd::kViewList);
    app.Frame().UpdateCommandUi();
    EXPECT_TRUE(list->isChecked());
    EXPECT_TRUE(button->isChecked());
    EXPECT_FALSE(details->isChecked());
    // Clicking the marked button again keeps its mark (the handler decides, not the click).
    button->click();
    EXPECT_TRUE(list->isChecked());
}

TEST_F(FrameWindowTest, ViewCommandsShowAndHideTheBarsWithCheckMarks)
{
    TestFrame &frame = app.Frame();
    frame.show();
    QAction *toolbar = frame.Actions().Action(cmd::kViewToolbar);
    QAction *statusBar = frame.Actions().Action(cmd::kViewStatusBar);
    frame.UpdateCommandUi();
    EXPECT_TRUE(toolbar->isChecked());
    EXPECT_TRUE(statusBar->isChecked());
    toolbar->trigger();
    EXPECT_TRUE(frame.toolBar->isHidden());
    EXPECT_FALSE(toolbar->isChecked());
    statusBar->trigger();
    EXPECT_TRUE(frame.statusBar()->isHidden());
    EXPECT_FALSE(statusBar->isChecked());
    toolbar->trigger();
    EXPECT_FALSE(frame.toolBar->isHidden());
    EXPECT_TRUE(toolbar->isChecked());
    frame.hide();
}

TEST_F(FrameWindowTest, HighlightedItemsAndHoveredButtonsShowTheirPrompts)
{
    TestFrame &frame = app.Frame();
    QMenu *file = TopMenu(QStringLiteral("&File"));
    emit file->hovered(frame.Actions().Action(cmd::kDelete));
    EXPECT_EQ(frame.LastMessageId(), cmd::kDelete);
    EXPECT_EQ(frame.statusBar()->currentMessage(), QStringLiteral("Deletes the selected items"));
    emit file->aboutToHide();
    EXPECT_EQ(frame.LastMessageId(), str::kIdleMessage);
    EXPECT_EQ(frame.statusBar()->currentMessage(), QStringLiteral("Ready"));

    // A toolbar button tells its prompt the way every widget tells its status tip.
    QStatusTipEvent tip(QStringLiteral("Starts a new search"));
    QApplication::sendEvent(&frame, &tip);
    EXPECT_EQ(frame.statusBar()->currentMessage(), QStringLiteral("Starts a new search"));
    QStatusTipEvent none{QString()};
    QApplication::sendEvent(&frame, &none);
    EXPECT_EQ(frame.statusBar()->currentMessage(), QStringLiteral("Ready"));
}

TEST_F(FrameWindowTest, TitleIsDocumentThenProgramAndEscapesQtsPlaceholder)
{
    TestFrame &frame = app.Frame();
    frame.winId(); // the platform window shows the title as it appears on screen
    EXPECT_EQ(frame.windowHandle()->title(), QStringLiteral("NewSearch - Sifter"));
    app.Doc().SetTitle(QStringLiteral("a[*]b"));
    EXPECT_EQ(frame.windowHandle()->title(), QStringLiteral("a[*]b - Sifter"));
}

} // namespace
} // namespace sifter::test
