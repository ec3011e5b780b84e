// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The state an update handler gives a command before its menu item or button is shown.
#include "res/resource_ids.h"

#include <QString>

#include <optional>

namespace sifter {

class CommandUi {
public:
    explicit CommandUi(CommandId id) : id_(id) {}

    CommandId Id() const { return id_; }

    void Enable(bool enabled = true) { enabled_ = enabled; }
    // A check mark (a pressed toolbar button).
    void SetCheck(bool checked) { checked_ = checked; radio_.reset(); }
    // A radio mark (a pressed toolbar button).
    void SetRadio(bool marked) { radio_ = marked; checked_.reset(); }

    // A new text for the item (the recent-file entries change theirs).
    void SetText(const QString &text) { text_ = text; }
    // Shows or hides the item.
    void SetVisible(bool visible) { visible_ = visible; }

    bool Enabled() const { return enabled_; }
    // Set only when a handler gave the item a check or radio mark state.
    const std::optional<bool> &Checked() const { return checked_; }
    const std::optional<bool> &Radio() const { return radio_; }
    const std::optional<QString> &Text() const { return text_; }
    const std::optional<bool> &Visible() const { return visible_; }

private:
    CommandId id_;
    bool enabled_ = false;
    std::optional<bool> checked_;
    std::optional<bool> radio_;
    std::optional<QString> text_;
    std::optional<bool> visible_;
};

} // namespace sifter
