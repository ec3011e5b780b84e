// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One QAction per command id of the resources (the main, column and item menus, the
// toolbar, the accelerators, the recent-file entries), with its text, status prompt,
// tooltip, shortcuts and toolbar image. Triggering an action routes its command; Update() gives
// actions the state the router decides (enabled, check mark, radio mark, text, shown).
#include "framework/command_router.h"

#include <QAction>
#include <QList>
#include <QObject>

#include <map>
#include <vector>

namespace sifter {

class CommandActions : public QObject {
    Q_OBJECT

public:
    CommandActions(CommandRouter &router, QObject *parent);

    // The action of the command; null for an id no resource names.
    QAction *Action(CommandId id) const;
    // Every action, in id order.
    QList<QAction *> AllActions() const;
    // The command id an action (or a menu's own item for a command) stands for; 0 if none.
    static CommandId IdOf(const QAction *action);

    // A menu item of its own for a command whose text differs from the shared action's
    // (the item menu's "I&nvert Selection"); it routes and updates like the shared one.
    QAction *CreateItemAction(CommandId id, const QString &text, QObject *parent);

    // Applies the router's current state to the actions.
    void Update(const QList<QAction *> &actions);
    void UpdateAll();

    // Routes the command as a click on its action would; false when nothing ran.
    bool Trigger(CommandId id);

signals:
    // A command ran through an action (after it ran).
    void CommandExecuted(CommandId id);

private:
    QAction *Create(CommandId id, const QString &text);
    void Apply(QAction *action, const CommandUi &ui);

    CommandRouter &router_;
    std::map<CommandId, QAction *> actions_;
};

} // namespace sifter
