#pragma once
// Dialog templates as data: size in dialog units, font, and each control's kind, id, text
// and rectangle (x, y, width, height in dialog units).
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
};

inline constexpr int kNoControlId = -1;

struct DialogControlResource {
    ControlKind kind;
    int id;            // kNoControlId for controls nobody addresses
    const char *text;
    int x, y, width, height;
    std::uint32_t style;
};

struct DialogResource {
    ResourceId id;
    const char *caption;
    int width, height;   // dialog units
    const char *fontFace;
    int fontPointSize;
    std::span<const DialogControlResource> controls;
};

// The template with that id; nullptr for an unknown id.
const DialogResource *FindDialogResource(ResourceId id);

} // namespace sifter
