#include "dialogs.h"

#include <array>

namespace sifter {
namespace {

using C = DialogControlResource;

constexpr std::array kAboutControls = {
    C{ControlKind::kIcon, kNoControlId, "", 5, 5, 20, 20, kStyleNone},
    C{ControlKind::kStatic, kNoControlId, "Sifter [Norvane Search]", 40, 5, 105, 14,
      kStyleNoMnemonic | kStyleCenterVertical},
    C{ControlKind::kEdit, ctl::kAboutText, "", 5, 27, 189, 63,
      kStyleMultiLine | kStyleReadOnly | kStyleBorder | kStyleVScroll},
    C{ControlKind::kStatic, kNoControlId, "Online help:", 5, 94, 52, 8, kStyleNone},
    C{ControlKind::kStatic, kNoControlId, "Web site:", 5, 104, 52, 8, kStyleNone},
    C{ControlKind::kLinkButton, ctl::kOnlineHelpLink, "", 64, 92, 130, 11, kStyleNone},
    C{ControlKind::kLinkButton, ctl::kWebSiteLink, "", 64, 104, 130, 11, kStyleNone},
    C{ControlKind::kEtchedLine, kNoControlId, "", 4, 116, 191, 1, kStyleNone},
    C{ControlKind::kDefPushButton, ctl::kIdOk, "&OK", 144, 119, 50, 14, kStyleNone},
};

constexpr DialogResource kAboutDialog{res::kDialogAbout, "About Sifter", 199, 138, "Tahoma", 8, kAboutControls};

constexpr std::array kCriteriaControls = {
    C{ControlKind::kStatic, ctl::kNameLabel, "All or part of the file name:", 5, 5, 102, 8, kStyleNone},
    C{ControlKind::kComboBox, ctl::kNameBox, "", 5, 16, 102, 107, kStyleNone},
    C{ControlKind::kStatic, kNoControlId, "One or more words in the file:", 5, 34, 102, 8, kStyleNone},
    C{ControlKind::kComboBox, ctl::kWordsBox, "", 5, 44, 102, 120, kStyleNone},
    C{ControlKind::kLinkButton, ctl::kWordOptionsButton, "&Word Options", 5, 60, 102, 14, kStyleNone},
    C{ControlKind::kStatic, ctl::kFolderLabel, "Search in:", 5, 78, 102, 8, kStyleNone},
    C{ControlKind::kComboBox, ctl::kFolderBox, "", 5, 89, 102, 109, kStyleNone},
    C{ControlKind::kPushButton, ctl::kBrowseButton, "&Browse...", 57, 106, 50, 14, kStyleNone},
    C{ControlKind::kLinkButton, ctl::kFileSizeButton, "File S&ize", 5, 122, 102, 14, kStyleNone},
    C{ControlKind::kLinkButton, ctl::kDateTimeButton, "&Date Time", 5, 138, 102, 14, kStyleNone},
    C{ControlKind::kLinkButton, ctl::kAttributesButton, "&Attributes", 5, 154, 102, 14, kStyleNone},
    C{ControlKind::kDefPushButton, ctl::kSearchButton, "&Search", 57, 170, 50, 14, kStyleNone},
};

constexpr DialogResource kCriteriaDialog{res::kDialogCriteria, "", 112, 189, "Tahoma", 8, kCriteriaControls};

constexpr std::array kDialogs = {&kAboutDialog, &kCriteriaDialog};

} // namespace

const DialogResource *FindDialogResource(ResourceId id)
{
    for (const DialogResource *dialog : kDialogs) {
        if (dialog->id == id)
            return dialog;
    }
    return nullptr;
}

} // namespace sifter
