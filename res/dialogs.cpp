// SPDX-License-Identifier: GPL-3.0-or-later
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
      kStyleMultiLine | kStyleReadOnly | kStyleBorder | kStyleVScroll, {}, "About Sifter"},
    C{ControlKind::kStatic, kNoControlId, "Online help:", 5, 94, 52, 8, kStyleNone},
    C{ControlKind::kStatic, kNoControlId, "Web site:", 5, 104, 52, 8, kStyleNone},
    C{ControlKind::kLinkButton, ctl::kOnlineHelpLink, "", 64, 92, 130, 11, kStyleNone},
    C{ControlKind::kLinkButton, ctl::kWebSiteLink, "", 64, 104, 130, 11, kStyleNone},
    C{ControlKind::kEtchedLine, kNoControlId, "", 4, 116, 191, 1, kStyleNone},
    C{ControlKind::kDefPushButton, ctl::kIdOk, "&OK", 144, 119, 50, 14, kStyleNone, {}, "Closes the About box"},
};

constexpr DialogResource kAboutDialog{res::kDialogAbout, "About Sifter", 199, 138, "Tahoma", 8, kAboutControls};

constexpr std::array kCriteriaControls = {
    C{ControlKind::kStatic, ctl::kNameLabel, "All or part of the file name:", 5, 5, 102, 8, kStyleNone},
    C{ControlKind::kComboBox, ctl::kNameBox, "", 5, 16, 102, 107, kStyleNone},
    C{ControlKind::kCheckBox, ctl::kNameExpression, "Re&gular expression.", 5, 31, 102, 10, kStyleNone},
    C{ControlKind::kStatic, kNoControlId, "One or more words in the file:", 5, 46, 102, 8, kStyleNone},
    C{ControlKind::kComboBox, ctl::kWordsBox, "", 5, 56, 102, 120, kStyleNone},
    C{ControlKind::kLinkButton, ctl::kWordOptionsButton, "&Word Options", 5, 72, 102, 14, kStyleNone, {},
      "Shows or hides how the words are matched"},
    C{ControlKind::kStatic, ctl::kFolderLabel, "Search in:", 5, 90, 102, 8, kStyleNone},
    C{ControlKind::kComboBox, ctl::kFolderBox, "", 5, 101, 102, 109, kStyleNone},
    C{ControlKind::kPushButton, ctl::kBrowseButton, "&Browse...", 57, 118, 50, 14, kStyleNone, {},
      "Picks the folder to search in"},
    C{ControlKind::kLinkButton, ctl::kFileSizeButton, "File S&ize", 5, 134, 102, 14, kStyleNone, {},
      "Shows or hides the file size limits"},
    C{ControlKind::kLinkButton, ctl::kDateTimeButton, "&Date Time", 5, 150, 102, 14, kStyleNone, {},
      "Shows or hides the date and time limits"},
    C{ControlKind::kLinkButton, ctl::kAttributesButton, "&Attributes", 5, 166, 102, 14, kStyleNone, {},
      "Shows or hides which kinds of files are searched"},
    C{ControlKind::kLinkButton, ctl::kExcludeButton, "E&xclude", 5, 182, 102, 14, kStyleNone, {},
      "Shows or hides the folders and names to skip"},
    C{ControlKind::kDefPushButton, ctl::kSearchButton, "&Search", 57, 198, 50, 14, kStyleNone, {},
      "Starts the search, or stops a running one"},
};

constexpr DialogResource kCriteriaDialog{res::kDialogCriteria, "", 112, 217, "Tahoma", 8, kCriteriaControls};

// Entries of the panels' drop-down lists; a choice is stored as its entry's position.
constexpr const char *kSizeUnits[] = {"Don't care", "Bytes", "KB", "MB", "GB"};
constexpr const char *kComparisons[] = {"Don't care", "=", ">=", "<="};
constexpr const char *kDateKinds[] = {"Don't care", "Modified", "Created", "Last Visited"};
constexpr const char *kDateParts[] = {"Date", "Time", "Date & Time"};
// Positions are the kRelative* codes of the search's extra criteria.
constexpr const char *kRelativeDates[] = {"As picked",  "Minutes ago", "Hours ago", "Days ago",
                                          "Weeks ago",  "Months ago",  "Today",     "Yesterday"};

constexpr std::array kFileSizeControls = {
    C{ControlKind::kDropDownList, ctl::filesize::kUnit, "", 5, 5, 107, 64, kStyleNone, kSizeUnits, "Size unit"},
    C{ControlKind::kDropDownList, ctl::filesize::kCompare1, "", 5, 25, 107, 68, kStyleDisabled, kComparisons,
      "First size comparison"},
    C{ControlKind::kNumberEdit, ctl::filesize::kValue1, "", 5, 41, 107, 12, kStyleDisabled, {}, "First size"},
    C{ControlKind::kStatic, kNoControlId, "And", 5, 59, 107, 8, kStyleNone},
    C{ControlKind::kDropDownList, ctl::filesize::kCompare2, "", 5, 73, 107, 72, kStyleDisabled, kComparisons,
      "Second size comparison"},
    C{ControlKind::kNumberEdit, ctl::filesize::kValue2, "", 5, 89, 107, 12, kStyleDisabled, {}, "Second size"},
};

constexpr DialogResource kFileSizeDialog{res::kDialogFileSize, "", 112, 106, "Tahoma", 8, kFileSizeControls};

constexpr std::array kWordOptionsControls = {
    C{ControlKind::kRadioButton, ctl::wordopt::kAnyWords, "Any of the words.", 5, 5, 106, 10, kStyleGroup},
    C{ControlKind::kRadioButton, ctl::wordopt::kAllWords, "All of the words.", 5, 19, 106, 10, kStyleNone},
    C{ControlKind::kRadioButton, ctl::wordopt::kExactPhrase, "Exact phrase.", 5, 33, 106, 10, kStyleNone},
    C{ControlKind::kRadioButton, ctl::wordopt::kWithoutWords, "Without the words.", 5, 47, 106, 10, kStyleNone},
    C{ControlKind::kCheckBox, ctl::wordopt::kHexadecimal, "Hexadecimal.", 5, 60, 106, 10, kStyleGroup},
    C{ControlKind::kCheckBox, ctl::wordopt::kUnicodeUtf8, "Enable Unicode && UTF8.", 5, 74, 106, 10, kStyleNone},
    C{ControlKind::kCheckBox, ctl::wordopt::kExpression, "Regular ex&pression (UTF-8 text).", 5, 88, 106, 10,
      kStyleNone},
};

constexpr DialogResource kWordOptionsDialog{res::kDialogWordOptions, "", 112, 103, "Tahoma", 8,
                                            kWordOptionsControls, kDialogStyleBorder};

constexpr std::array kDateTimeControls = {
    C{ControlKind::kDropDownList, ctl::datetime::kKind, "", 5, 5, 107, 54, kStyleNone, kDateKinds, "Which date"},
    C{ControlKind::kDropDownList, ctl::datetime::kPart, "", 5, 20, 107, 54, kStyleDisabled, kDateParts, "Date or time"},
    C{ControlKind::kDropDownList, ctl::datetime::kCompare1, "", 5, 40, 107, 54, kStyleDisabled, kComparisons,
      "First date comparison"},
    C{ControlKind::kDatePicker, ctl::datetime::kDate1, "", 5, 55, 56, 15, kStyleDisabled, {}, "First date"},
    C{ControlKind::kTimePicker, ctl::datetime::kTime1, "", 61, 55, 50, 15, kStyleDisabled, {}, "First time"},
    C{ControlKind::kNumberEdit, ctl::datetime::kCount1, "", 5, 72, 30, 12, kStyleDisabled, {}, "First count"},
    C{ControlKind::kDropDownList, ctl::datetime::kRelative1, "", 37, 72, 75, 80, kStyleDisabled, kRelativeDates,
      "First relative date"},
    C{ControlKind::kStatic, kNoControlId, "And", 5, 89, 107, 8, kStyleNone},
    C{ControlKind::kDropDownList, ctl::datetime::kCompare2, "", 5, 102, 107, 54, kStyleDisabled, kComparisons,
      "Second date comparison"},
    C{ControlKind::kDatePicker, ctl::datetime::kDate2, "", 5, 117, 56, 15, kStyleDisabled, {}, "Second date"},
    C{ControlKind::kTimePicker, ctl::datetime::kTime2, "", 61, 117, 50, 15, kStyleDisabled, {}, "Second time"},
    C{ControlKind::kNumberEdit, ctl::datetime::kCount2, "", 5, 134, 30, 12, kStyleDisabled, {}, "Second count"},
    C{ControlKind::kDropDownList, ctl::datetime::kRelative2, "", 37, 134, 75, 80, kStyleDisabled, kRelativeDates,
      "Second relative date"},
};

constexpr DialogResource kDateTimeDialog{res::kDialogDateTime, "", 112, 151, "Tahoma", 8, kDateTimeControls};

constexpr std::array kAttributesControls = {
    C{ControlKind::kCheckBox, ctl::attrib::kReadOnly, "Search &read-only files.", 5, 5, 106, 10, kStyleNone},
    C{ControlKind::kCheckBox, ctl::attrib::kHidden, "Search &hidden files.", 5, 19, 106, 10, kStyleNone},
    C{ControlKind::kCheckBox, ctl::attrib::kSystem, "Search s&ystem files.", 5, 33, 106, 10, kStyleNone},
    C{ControlKind::kCheckBox, ctl::attrib::kSubfolders, "Search &subfolders.", 5, 47, 106, 10, kStyleNone},
    C{ControlKind::kCheckBox, ctl::attrib::kCaseSensitive, "&Case sensitive.", 5, 61, 106, 10, kStyleNone},
    C{ControlKind::kCheckBox, ctl::attrib::kShortNames, "Search short (&8.3) names.", 5, 75, 106, 10, kStyleHidden},
};

constexpr DialogResource kAttributesDialog{res::kDialogAttributes, "", 112, 90, "Tahoma", 8, kAttributesControls};

constexpr std::array kExcludeControls = {
    C{ControlKind::kStatic, ctl::exclude::kLabel, "Folders and names to skip:", 5, 5, 106, 8,
      kStyleNone},
    C{ControlKind::kComboBox, ctl::exclude::kBox, "", 5, 16, 106, 107, kStyleNone},
};

constexpr DialogResource kExcludeDialog{res::kDialogExclude, "", 112, 33, "Tahoma", 8, kExcludeControls};

constexpr std::array kHexViewControls = {
    C{ControlKind::kEdit, ctl::hexview::kSearchText, "", 0, 0, 361, 12, kStyleBorder, {}, "Text to find"},
    C{ControlKind::kCheckBox, ctl::hexview::kHexadecimal, "Hexadecimal.", 0, 16, 165, 8, kStyleNone},
    C{ControlKind::kDefPushButton, ctl::hexview::kSearch, "&Search", 311, 13, 50, 14, kStyleNone, {},
      "Goes to the next place the text is found"},
    C{ControlKind::kEtchedLine, ctl::hexview::kPaneTop, "", 0, 31, 361, 1, kStyleNone},
};

constexpr DialogResource kHexViewDialog{res::kDialogHexView, "Hex View - ", 361, 217, "Tahoma", 8, kHexViewControls};
// The viewing area draws everything itself; only its font counts.
constexpr DialogResource kHexPaneDialog{res::kDialogHexPane, "", 0, 0, "Courier New", 10, {}};

// Below each group, a line of what is in place now; the second group and the buttons sit
// lower by the lines' height.
constexpr std::array kOptionsControls = {
    C{ControlKind::kGroupBox, kNoControlId, "File Type", 5, 5, 216, 43, kStyleNone},
    C{ControlKind::kStatic, kNoControlId,
      "Register the file type \".sifter\" to system, then you can open the search result by double-clicking at "
      "the files.",
      12, 15, 153, 25, kStyleWordWrap},
    C{ControlKind::kPushButton, ctl::options::kRegister, "&Register", 165, 15, 50, 14, kStyleNone, {},
      "Makes Sifter open result files"},
    C{ControlKind::kPushButton, ctl::options::kUnregister, "&Unregister", 165, 31, 50, 14, kStyleNone, {},
      "Removes Sifter as the program of result files"},
    C{ControlKind::kStatic, ctl::options::kFileTypeState, "", 7, 50, 214, 17, kStyleWordWrap | kStyleNoMnemonic},
    C{ControlKind::kGroupBox, kNoControlId, "Context Menu", 5, 69, 216, 43, kStyleNone},
    C{ControlKind::kStatic, kNoControlId,
      "Add context menu \"Sifter\" to folders and drives then you can launch the software directly.", 12, 79, 153,
      25, kStyleWordWrap},
    C{ControlKind::kPushButton, ctl::options::kAddVerb, "&Add", 165, 79, 50, 14, kStyleNone, {},
      "Adds Sifter to the folders' context menu"},
    C{ControlKind::kPushButton, ctl::options::kRemoveVerb, "Re&move", 165, 95, 50, 14, kStyleNone, {},
      "Removes Sifter from the folders' context menu"},
    C{ControlKind::kStatic, ctl::options::kFolderActionState, "", 7, 114, 214, 17,
      kStyleWordWrap | kStyleNoMnemonic},
    C{ControlKind::kPushButton, ctl::kIdOk, "&OK", 116, 145, 50, 14, kStyleHidden, {}, "Closes the Options"},
    C{ControlKind::kPushButton, ctl::kIdCancel, "&Close", 171, 145, 50, 14, kStyleNone, {}, "Closes the Options"},
};

constexpr DialogResource kOptionsDialog{res::kDialogOptions, "Options", 226, 164, "Tahoma", 8, kOptionsControls};

constexpr std::array kDialogs = {&kAboutDialog,    &kCriteriaDialog,   &kFileSizeDialog, &kWordOptionsDialog,
                                 &kDateTimeDialog, &kAttributesDialog, &kExcludeDialog,  &kHexViewDialog,
                                 &kHexPaneDialog,  &kOptionsDialog};

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
