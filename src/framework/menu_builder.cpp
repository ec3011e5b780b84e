// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/menu_builder.h"

#include "framework/resource_text.h"
#include "res/menus.h"

#include <vector>

namespace sifter {

MenuBuilder::MenuBuilder(CommandActions &actions, std::function<void(CommandId)> showPrompt)
    : actions_(actions), showPrompt_(std::move(showPrompt))
{
}

QMenu *MenuBuilder::NewMenu(const QString &title, QWidget *parent)
{
    auto *menu = new QMenu(title, parent);
    QObject::connect(menu, &QMenu::aboutToShow, menu, [this, menu] { actions_.Update(menu->actions()); });
    QObject::connect(menu, &QMenu::hovered, menu, [this](QAction *action) {
        const CommandId id = CommandActions::IdOf(action);
        if (id != 0 && showPrompt_)
            showPrompt_(id);
    });
    QObject::connect(menu, &QMenu::aboutToHide, menu, [this] {
        if (showPrompt_)
            showPrompt_(str::kIdleMessage);
    });
    return menu;
}

void MenuBuilder::AddCommand(QMenu &menu, CommandId id, const QString &text, bool grayed)
{
    QAction *shared = actions_.Action(id);
    // A menu would draw the shared action's keys after a text that names none ("&Delete"
    // has Ctrl+D): such an item gets an action of its own, without keys.
    const bool showsOnlyItsText = text.contains(QLatin1Char('\t')) || !shared || shared->shortcuts().isEmpty();
    if (shared && shared->text() == text && showsOnlyItsText) {
        menu.addAction(shared);
        return;
    }
    QAction *own = actions_.CreateItemAction(id, text, &menu);
    // A resource's greyed item stays grey until its update handler says otherwise.
    own->setEnabled(!grayed);
    menu.addAction(own);
}

void MenuBuilder::AddResourceItem(QMenu &menu, CommandId id, const QString &text, bool grayed)
{
    AddCommand(menu, id, text, grayed);
    if (id != cmd::kFileMruFirst)
        return;
    // The recent-file placeholder stands for every place of the list; the update handler
    // shows the places after the first only while they hold a file.
    for (CommandId place = cmd::kFileMruFirst + 1; place <= cmd::kFileMruLast; ++place) {
        if (const QAction *shared = actions_.Action(place))
            AddCommand(menu, place, shared->text(), false);
    }
}

namespace {

// Walks a flat menu resource; calls the builder's steps in order.
template <typename Begin, typename End, typename Command, typename Separator>
void WalkMenu(std::span<const MenuEntryResource> entries, Begin begin, End end, Command command, Separator separator)
{
    for (const MenuEntryResource &entry : entries) {
        switch (entry.kind) {
        case MenuEntryKind::kPopupBegin:
            begin(MenuText(entry.text));
            break;
        case MenuEntryKind::kPopupEnd:
            end();
            break;
        case MenuEntryKind::kCommand:
            command(entry.id, MenuText(entry.text), entry.grayed);
            break;
        case MenuEntryKind::kSeparator:
            separator();
            break;
        }
    }
}

} // namespace

void MenuBuilder::FillMenuBar(QMenuBar &bar, ResourceId menuId)
{
    std::vector<QMenu *> open;
    WalkMenu(
        FindMenuResource(menuId),
        [&](const QString &title) {
            QMenu *menu = NewMenu(title, open.empty() ? static_cast<QWidget *>(&bar) : open.back());
            if (open.empty())
                bar.addMenu(menu);
            else
                open.back()->addMenu(menu);
            open.push_back(menu);
        },
        [&] {
            if (!open.empty())
                open.pop_back();
        },
        [&](CommandId id, const QString &text, bool grayed) {
            if (!open.empty())
                AddResourceItem(*open.back(), id, text, grayed);
        },
        [&] {
            if (!open.empty())
                open.back()->addSeparator();
        });
}

QMenu *MenuBuilder::CreatePopupMenu(ResourceId menuId, QWidget *parent)
{
    QMenu *first = nullptr;
    std::vector<QMenu *> open;
    WalkMenu(
        FindMenuResource(menuId),
        [&](const QString &title) {
            if (open.empty() && first) {
                // Only the first top-level popup is wanted; skip the others.
                open.push_back(nullptr);
                return;
            }
            QMenu *parentMenu = open.empty() ? nullptr : open.back();
            if (!open.empty() && !parentMenu) {
                open.push_back(nullptr);
                return;
            }
            QMenu *menu = NewMenu(title, parentMenu ? static_cast<QWidget *>(parentMenu) : parent);
            if (parentMenu)
                parentMenu->addMenu(menu);
            else
                first = menu;
            open.push_back(menu);
        },
        [&] {
            if (!open.empty())
                open.pop_back();
        },
        [&](CommandId id, const QString &text, bool grayed) {
            if (!open.empty() && open.back())
                AddResourceItem(*open.back(), id, text, grayed);
        },
        [&] {
            if (!open.empty() && open.back())
                open.back()->addSeparator();
        });
    return first;
}

} // namespace sifter
