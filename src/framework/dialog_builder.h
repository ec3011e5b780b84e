// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Widgets from a dialog template: each control of a DialogResource made as a child of a
// window, at its rectangle converted by the window's dialog units, and found again by id.
#include "framework/dialog_units.h"
#include "res/dialogs.h"

#include <QPoint>
#include <QWidget>

#include <utility>
#include <vector>

class QButtonGroup;

namespace sifter {

struct BuiltControl {
    const DialogControlResource *resource;  // its template entry: kind, id, rectangle
    QWidget *widget;
};

// The controls one build made, in template order. The widgets belong to their parent.
class DialogControls {
public:
    // The first control with that id, or null (also for kNoControlId).
    QWidget *Find(int id) const;
    template <typename T>
    T *Find(int id) const
    {
        return qobject_cast<T *>(Find(id));
    }
    // The exclusive group of radio buttons that starts with firstId (button ids are their
    // positions in the group), or null when firstId starts no radio group.
    QButtonGroup *RadioGroup(int firstId) const;
    const std::vector<BuiltControl> &All() const { return controls_; }

private:
    friend DialogControls BuildDialogControls(const DialogResource &, QWidget &, const DialogUnits &, QPoint);

    std::vector<BuiltControl> controls_;
    std::vector<std::pair<int, QButtonGroup *>> radioGroups_;  // first button's id, group
};

// Creates every control of resource as a child of parent, at its template rectangle in
// units, moved by origin (where the client area begins inside a border). Kinds:
//  - static: plain text, never cut: as wide as its whole text when that is wider, or with
//    kStyleWordWrap broken into lines at the template's width;
//  - group box: its frame and title, under the controls that follow it; its frame's line half
//    a text line below the template's top where the style allows (a title drawn above the
//    line raises the box);
//  - combo box (typing) and drop-down list (template entries): one line high, the
//    template's height being that of the opened list;
//  - number edit: digits only, at most the largest 32-bit unsigned value;
//  - date picker: the locale's short date and a calendar pop-up; time picker: the
//    locale's hours and minutes;
//  - radio buttons: one exclusive group from each kStyleGroup radio to the next group start;
//  - push buttons (the default one marked), link buttons, check boxes with the text as
//    their caption ("&&" shows one ampersand); the program's icon; etched lines;
//  - kStyleDisabled controls start disabled, kStyleHidden ones hidden;
//  - when parent runs right to left, each rectangle mirrored within the template's width
//    (x' = width - x - w, origin added on both sides);
//  - for screen readers, an input control right after a label is that label's buddy and is
//    named by it (without the '&'); else the template's spoken text names it; a button's
//    spoken text is its description.
// What a control does when used is the caller's to connect.
DialogControls BuildDialogControls(const DialogResource &resource, QWidget &parent, const DialogUnits &units,
                                   QPoint origin = {});

} // namespace sifter
