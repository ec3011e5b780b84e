// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Dialog templates as data: size in dialog units, font, and each control's kind, id, text,
// rectangle (x, y, width, height in dialog units) and, for drop-down lists, entries.
#include "resource_ids.h"

#include <cstdint>
#include <span>

namespace sifter {

enum class ControlKind : std::uint8_t {
    kIcon,           // text names nothing; shows the program's icon
    kStatic,
    kEdit,
    kPushButton,
    kDefPushButton,  // the default button
    kLinkButton,     // self-drawn link-style button (CLinkButton)
    kComboBox,       // drop-down combo box with an edit field
    kEtchedLine,     // etched horizontal line
    kRadioButton,    // automatic radio button; kStyleGroup on the first of its group
    kCheckBox,       // automatic check box
    kDropDownList,   // combo box without typing; its entries come with the template
    kNumberEdit,     // one-line edit box taking digits only, scrolling horizontally
    kDatePicker,     // date in the locale's short format, with a calendar pop-up
    kTimePicker,     // hours and minutes, with spin buttons
    kGroupBox,       // a frame with its text as title, drawn under the controls it groups
};

// Style bits that change how a control is made.
enum ControlStyle : std::uint32_t {
    kStyleNone = 0,
    kStyleMultiLine = 1u << 0,
    kStyleReadOnly = 1u << 1,
    kStyleVScroll = 1u << 2,
    kStyleBorder = 1u << 3,
    kStyleNoMnemonic = 1u << 4,
    kStyleCenterVertical = 1u << 5,
    kStyleGroup = 1u << 6,      // starts a new group (ends the radio group before it)
    kStyleDisabled = 1u << 7,
    kStyleHidden = 1u << 8,     // never shown
    kStyleWordWrap = 1u << 9,   // static text broken into lines at its template width
};

// Style bits of a whole dialog.
enum DialogStyle : std::uint32_t {
    kDialogStyleNone = 0,
    kDialogStyleBorder = 1u << 0,  // a thin border around the client area
};

inline constexpr int kNoControlId = -1;

struct DialogControlResource {
    ControlKind kind;
    int id;            // kNoControlId for controls nobody addresses
    const char *text;
    int x, y, width, height;
    std::uint32_t style;
    std::span<const char *const> entries = {};  // a drop-down list's entries, in order
    // What a screen reader says that the template does not show: for an input control with
    // no label right before it, its name; for a button, its description. Null: nothing.
    const char *spoken = nullptr;
};

struct DialogResource {
    ResourceId id;
    const char *caption;
    int width, height;   // of the client area, in dialog units
    const char *fontFace;
    int fontPointSize;
    std::span<const DialogControlResource> controls;
    std::uint32_t style = kDialogStyleNone;
};

// The template with that id; nullptr for an unknown id.
const DialogResource *FindDialogResource(ResourceId id);

} // namespace sifter
