// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/command_actions.h"

#include "framework/command_icons.h"
#include "framework/resource_text.h"
#include "framework/string_resources.h"
#include "res/accelerators.h"
#include "res/menus.h"
#include "res/toolbar.h"

#include <QActionGroup>
#include <QKeySequence>

namespace sifter {
namespace {

constexpr const char *kCommandIdProperty = "sifterCommandId";

// The text shown when no menu names the command: the tooltip half of its string.
QString FallbackText(CommandId id)
{
    const PromptAndTip parts = SplitPromptAndTip(LoadResString(id));
    return parts.tip.isEmpty() ? parts.prompt : parts.tip;
}

} // namespace

CommandActions::CommandActions(CommandRouter &router, QObject *parent) : QObject(parent), router_(router)
{
    // Menu texts first, main menu before the popups, so that each action carries the text
    // of the first menu that names it.
    for (const ResourceId menu : {res::kMenuMain, res::kMenuColumns, res::kMenuItems}) {
        for (const MenuEntryResource &entry : FindMenuResource(menu)) {
            if (entry.kind == MenuEntryKind::kCommand && !Action(entry.id))
                Create(entry.id, MenuText(entry.text));
        }
    }
    for (CommandId id = cmd::kFileMruFirst; id <= cmd::kFileMruLast; ++id) {
        if (!Action(id))
            Create(id, FallbackText(id));
    }
    for (const CommandId id : MainToolbar().buttons) {
        if (id != kToolbarSeparator && !Action(id))
            Create(id, FallbackText(id));
    }
    std::map<CommandId, QList<QKeySequence>> shortcuts;
    for (const AcceleratorResource &accelerator : MainAccelerators()) {
        if (!Action(accelerator.command))
            Create(accelerator.command, FallbackText(accelerator.command));
        shortcuts[accelerator.command].append(QKeySequence(QString::fromLatin1(accelerator.keys)));
    }
    for (const auto &[id, keys] : shortcuts)
        actions_[id]->setShortcuts(keys);
    for (const CommandId id : MainToolbar().buttons) {
        if (id != kToolbarSeparator)
            actions_[id]->setIcon(CommandIcon(id));
    }
}

QAction *CommandActions::Create(CommandId id, const QString &text)
{
    auto *action = new QAction(text, this);
    action->setProperty(kCommandIdProperty, id);
    const PromptAndTip parts = SplitPromptAndTip(LoadResString(id));
    action->setStatusTip(parts.prompt);
    if (!parts.tip.isEmpty())
        action->setToolTip(parts.tip);
    connect(action, &QAction::triggered, this, [this, id] { Trigger(id); });
    actions_[id] = action;
    return action;
}

QAction *CommandActions::Action(CommandId id) const
{
    const auto it = actions_.find(id);
    return it == actions_.end() ? nullptr : it->second;
}

QList<QAction *> CommandActions::AllActions() const
{
    QList<QAction *> all;
    for (const auto &entry : actions_)
        all.append(entry.second);
    return all;
}

CommandId CommandActions::IdOf(const QAction *action)
{
    if (!action)
        return 0;
    bool ok = false;
    const CommandId id = action->property(kCommandIdProperty).toUInt(&ok);
    return ok ? id : 0;
}

QAction *CommandActions::CreateItemAction(CommandId id, const QString &text, QObject *parent)
{
    auto *action = new QAction(text, parent);
    action->setProperty(kCommandIdProperty, id);
    if (const QAction *shared = Action(id))
        action->setStatusTip(shared->statusTip());
    connect(action, &QAction::triggered, this, [this, id] { Trigger(id); });
    return action;
}

bool CommandActions::Trigger(CommandId id)
{
    const bool ran = router_.Execute(id);
    if (ran)
        emit CommandExecuted(id);
    // A checkable action toggled itself when clicked; give it back the state the handlers decide.
    if (QAction *action = Action(id))
        Update({action});
    return ran;
}

void CommandActions::Update(const QList<QAction *> &actions)
{
    for (QAction *action : actions) {
        const CommandId id = IdOf(action);
        if (id != 0)
            Apply(action, router_.QueryState(id));
    }
}

void CommandActions::UpdateAll()
{
    for (const auto &entry : actions_)
        Apply(entry.second, router_.QueryState(entry.first));
}

void CommandActions::Apply(QAction *action, const CommandUi &ui)
{
    action->setEnabled(ui.Enabled());
    if (ui.Text())
        action->setText(*ui.Text());
    if (ui.Visible())
        action->setVisible(*ui.Visible());
    if (ui.Radio()) {
        // Qt draws a radio mark for members of an exclusive group; a group of its own
        // (optional, so the mark can also be taken away) gives the action that look.
        if (!action->actionGroup()) {
            auto *group = new QActionGroup(action);
            group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
            group->addAction(action);
        }
        action->setCheckable(true);
        action->setChecked(*ui.Radio());
    } else if (ui.Checked()) {
        action->setCheckable(true);
        action->setChecked(*ui.Checked());
    }
}

} // namespace sifter
