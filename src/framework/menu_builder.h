// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Builds menus from menu resources on the shared command actions. Every menu updates its
// items' state just before it opens, and tells who asks which item is highlighted (the
// status prompt) and when it closes.
#include "framework/command_actions.h"

#include <QMenu>
#include <QMenuBar>

#include <functional>

namespace sifter {

class MenuBuilder {
public:
    // showPrompt(id) is called with a highlighted item's command id, and with
    // str::kIdleMessage when a menu closes; it may be empty.
    MenuBuilder(CommandActions &actions, std::function<void(CommandId)> showPrompt);

    // Adds the popups of the menu resource to the bar.
    void FillMenuBar(QMenuBar &bar, ResourceId menuId);
    // The first popup of the menu resource (a context menu), owned by parent; null for an
    // unknown or empty resource.
    QMenu *CreatePopupMenu(ResourceId menuId, QWidget *parent);

private:
    QMenu *NewMenu(const QString &title, QWidget *parent);
    void AddCommand(QMenu &menu, CommandId id, const QString &text, bool grayed);
    // A command of a menu resource; the recent-file placeholder brings every recent-file place.
    void AddResourceItem(QMenu &menu, CommandId id, const QString &text, bool grayed);

    CommandActions &actions_;
    std::function<void(CommandId)> showPrompt_;
};

} // namespace sifter
