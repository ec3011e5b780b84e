// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs.h"

#include <QtGlobal>

#include <array>

namespace sifter {
namespace {

using C = DialogControlResource;

constexpr std::array kAboutControls = {
    C{ControlKind::kIcon, kNoControlId, "", 5, 5, 20, 20, kStyleNone},
    C{ControlKind::kStatic, kNoControlId, QT_TRANSLATE_NOOP("Dialogs", "Sifter [Norvane Search]"), 40, 5, 105, 14,
      kStyleNoMnemonic | kStyleCenterVertical},
    C{ControlKind::kEdit, ctl::kAboutText, "", 5, 27, 189, 63,
      kStyleMultiLine | kStyleReadOnly | kStyleBorder | kStyleVScroll, {},
      QT_TRANSLATE_NOOP("Dialogs", "About Sifter")},
    C{ControlKind::kStatic, kNoControlId, QT_TRANSLATE_NOOP("Dialogs", "Online help:"), 5, 94, 52, 8, kStyleNone},
    C{ControlKind::kStatic, kNoControlId, QT_TRANSLATE_NOOP("Dialogs", "Web site:"), 5, 104, 52, 8, kStyleNone},
    C{ControlKind::kLinkButton, ctl::kOnlineHelpLink, "", 64, 92, 130, 11, kStyleNone},
    C{ControlKind::kLinkButton, ctl::kWebSiteLink, "", 64, 104, 130, 11, kStyleNone},
    C{ControlKind::kEtchedLine, kNoControlId, "", 4, 116, 191, 1, kStyleNone},
    C{ControlKind::kDefPushButton, ctl::kIdOk, QT_TRANSLATE_NOOP("Dialogs", "&OK"), 144, 119, 50, 14, kStyleNone, {},
      QT_TRANSLATE_NOOP("Dialogs", "Closes the About box")},
};

constexpr DialogResource kAboutDialog{res::kDialogAbout, QT_TRANSLATE_NOOP("Dialogs", "About Sifter"),
                                      199, 138, "Tahoma", 8, kAboutControls};

constexpr std::array kCriteriaControls = {
    C{ControlKind::kStatic, ctl::kNameLabel,
      QT_TRANSLATE_NOOP("Dialogs", "All or part of the file name:"), 5, 5, 102, 8, kStyleNone},
    C{ControlKind::kComboBox, ctl::kNameBox, "", 5, 16, 102, 107, kStyleNone},
    C{ControlKind::kCheckBox, ctl::kNameExpression,
      QT_TRANSLATE_NOOP("Dialogs", "Re&gular expression."), 5, 31, 102, 10, kStyleNone},
    C{ControlKind::kStatic, kNoControlId,
      QT_TRANSLATE_NOOP("Dialogs", "One or more words in the file:"), 5, 46, 102, 8, kStyleNone},
    C{ControlKind::kComboBox, ctl::kWordsBox, "", 5, 56, 102, 120, kStyleNone},
    C{ControlKind::kLinkButton, ctl::kWordOptionsButton,
      QT_TRANSLATE_NOOP("Dialogs", "&Word Options"), 5, 72, 102, 14, kStyleNone, {},
      QT_TRANSLATE_NOOP("Dialogs", "Shows or hides how the words are matched")},
    C{ControlKind::kStatic, ctl::kFolderLabel, QT_TRANSLATE_NOOP("Dialogs", "Search in:"), 5, 90, 102, 8, kStyleNone},
    C{ControlKind::kComboBox, ctl::kFolderBox, "", 5, 101, 102, 109, kStyleNone},
    C{ControlKind::kPushButton, ctl::kBrowseButton,
      QT_TRANSLATE_NOOP("Dialogs", "&Browse..."), 47, 118, 60, 14, kStyleNone, {},
      QT_TRANSLATE_NOOP("Dialogs", "Picks the folder to search in")},
    C{ControlKind::kLinkButton, ctl::kFileSizeButton,
      QT_TRANSLATE_NOOP("Dialogs", "File S&ize"), 5, 134, 102, 14, kStyleNone, {},
      QT_TRANSLATE_NOOP("Dialogs", "Shows or hides the file size limits")},
    C{ControlKind::kLinkButton, ctl::kDateTimeButton,
      QT_TRANSLATE_NOOP("Dialogs", "&Date Time"), 5, 150, 102, 14, kStyleNone, {},
      QT_TRANSLATE_NOOP("Dialogs", "Shows or hides the date and time limits")},
    C{ControlKind::kLinkButton, ctl::kAttributesButton,
      QT_TRANSLATE_NOOP("Dialogs", "&Attributes"), 5, 166, 102, 14, kStyleNone, {},
      QT_TRANSLATE_NOOP("Dialogs", "Shows or hides which kinds of files are searched")},
    C{ControlKind::kLinkButton, ctl::kExcludeButton,
      QT_TRANSLATE_NOOP("Dialogs", "E&xclude"), 5, 182, 102, 14, kStyleNone, {},
      QT_TRANSLATE_NOOP("Dialogs", "Shows or hides the folders and names to skip")},
    C{ControlKind::kDefPushButton, ctl::kSearchButton,
      QT_TRANSLATE_NOOP("Dialogs", "&Search"), 57, 198, 50, 14, kStyleNone, {},
      QT_TRANSLATE_NOOP("Dialogs", "Starts the search, or stops a running one")},
};

constexpr DialogResource kCriteriaDialog{res::kDialogCriteria, "", 112, 217, "Tahoma", 8, kCriteriaControls};

// Entries of the panels' drop-down lists; a choice is stored as its entry's position.
constexpr const char *kSizeUnits[] = {
    QT_TRANSLATE_NOOP("Dialogs", "Don't care"),
    QT_TRANSLATE_NOOP("Dialogs", "Bytes"),
    "KB",
    "MB",
    "GB",
};
constexpr const char *kComparisons[] = {
    QT_TRANSLATE_NOOP("Dialogs", "Don't care"),
    "=",
    ">=",
    "<=",
};
constexpr const char *kDateKinds[] = {
    QT_TRANSLATE_NOOP("Dialogs", "Don't care"),
    QT_TRANSLATE_NOOP("Dialogs", "Modified"),
    QT_TRANSLATE_NOOP("Dialogs", "Created"),
    QT_TRANSLATE_NOOP("Dialogs", "Last Visited"),
};
constexpr const char *kDateParts[] = {
    QT_TRANSLATE_NOOP("Dialogs", "Date"),
    QT_TRANSLATE_NOOP("Dialogs", "Time"),
    QT_TRANSLATE_NOOP("Dialogs", "Date & Time"),
};
// Positions are the kRelative* codes of the search's extra criteria.
constexpr const char *kRelativeDates[] = {
    QT_TRANSLATE_NOOP("Dialogs", "As picked"),
    QT_TRANSLATE_NOOP("Dialogs", "Minutes ago"),
    QT_TRANSLATE_NOOP("Dialogs", "Hours ago"),
    QT_TRANSLATE_NOOP("Dialogs", "Days ago"),
    QT_TRANSLATE_NOOP("Dialogs", "Weeks ago"),
    QT_TRANSLATE_NOOP("Dialogs", "Months ago"),
    QT_TRANSLATE_NOOP("Dialogs", "Today"),
    QT_TRANSLATE_NOOP("Dialogs", "Yesterday"),
};

constexpr std::array kFileSizeControls = {
    C{ControlKind::kDropDownList, ctl::filesize::kUnit,
      "", 5, 5, 107, 64, kStyleNone, kSizeUnits, QT_TRANSLATE_NOOP("Dialogs", "Size unit")},
    C{ControlKind::kDropDownList, ctl::filesize::kCompare1, "", 5, 25, 107, 68, kStyleDisabled, kComparisons,
      QT_TRANSLATE_NOOP("Dialogs", "First size comparison")},
    C{ControlKind::kNumberEdit, ctl::filesize::kValue1, "", 5, 41, 107, 12, kStyleDisabled, {},
      QT_TRANSLATE_NOOP("Dialogs", "First size")},
    C{ControlKind::kStatic, kNoControlId, QT_TRANSLATE_NOOP("Dialogs", "And"), 5, 59, 107, 8, kStyleNone},
    C{ControlKind::kDropDownList, ctl::filesize::kCompare2, "", 5, 73, 107, 72, kStyleDisabled, kComparisons,
      QT_TRANSLATE_NOOP("Dialogs", "Second size comparison")},
    C{ControlKind::kNumberEdit, ctl::filesize::kValue2, "", 5, 89, 107, 12, kStyleDisabled, {},
      QT_TRANSLATE_NOOP("Dialogs", "Second size")},
};

constexpr DialogResource kFileSizeDialog{res::kDialogFileSize, "", 112, 106, "Tahoma", 8, kFileSizeControls};

constexpr std::array kWordOptionsControls = {
    C{ControlKind::kRadioButton, ctl::wordopt::kAnyWords,
      QT_TRANSLATE_NOOP("Dialogs", "Any of the words."), 5, 5, 106, 10, kStyleGroup},
    C{ControlKind::kRadioButton, ctl::wordopt::kAllWords,
      QT_TRANSLATE_NOOP("Dialogs", "All of the words."), 5, 19, 106, 10, kStyleNone},
    C{ControlKind::kRadioButton, ctl::wordopt::kExactPhrase,
      QT_TRANSLATE_NOOP("Dialogs", "Exact phrase."), 5, 33, 106, 10, kStyleNone},
    C{ControlKind::kRadioButton, ctl::wordopt::kWithoutWords,
      QT_TRANSLATE_NOOP("Dialogs", "Without the words."), 5, 47, 106, 10, kStyleNone},
    C{ControlKind::kCheckBox, ctl::wordopt::kHexadecimal,
      QT_TRANSLATE_NOOP("Dialogs", "Hexadecimal."), 5, 60, 106, 10, kStyleGroup},
    C{ControlKind::kCheckBox, ctl::wordopt::kUnicodeUtf8,
      QT_TRANSLATE_NOOP("Dialogs", "Enable Unicode && UTF8."), 5, 74, 106, 10, kStyleNone},
    C{ControlKind::kCheckBox, ctl::wordopt::kExpression,
      QT_TRANSLATE_NOOP("Dialogs", "Regular ex&pression."), 5, 88, 106, 10,
      kStyleNone},
};

constexpr DialogResource kWordOptionsDialog{res::kDialogWordOptions, "", 112, 103, "Tahoma", 8,
                                            kWordOptionsControls, kDialogStyleBorder};

constexpr std::array kDateTimeControls = {
    C{ControlKind::kDropDownList, ctl::datetime::kKind,
      "", 5, 5, 107, 54, kStyleNone, kDateKinds, QT_TRANSLATE_NOOP("Dialogs", "Which date")},
    C{ControlKind::kDropDownList, ctl::datetime::kPart,
      "", 5, 20, 107, 54, kStyleDisabled, kDateParts, QT_TRANSLATE_NOOP("Dialogs", "Date or time")},
    C{ControlKind::kDropDownList, ctl::datetime::kCompare1, "", 5, 40, 107, 54, kStyleDisabled, kComparisons,
      QT_TRANSLATE_NOOP("Dialogs", "First date comparison")},
    C{ControlKind::kDatePicker, ctl::datetime::kDate1, "", 5, 55, 56, 15, kStyleDisabled, {},
      QT_TRANSLATE_NOOP("Dialogs", "First date")},
    C{ControlKind::kTimePicker, ctl::datetime::kTime1, "", 61, 55, 50, 15, kStyleDisabled, {},
      QT_TRANSLATE_NOOP("Dialogs", "First time")},
    C{ControlKind::kNumberEdit, ctl::datetime::kCount1, "", 5, 72, 30, 12, kStyleDisabled, {},
      QT_TRANSLATE_NOOP("Dialogs", "First count")},
    C{ControlKind::kDropDownList, ctl::datetime::kRelative1, "", 37, 72, 75, 80, kStyleDisabled, kRelativeDates,
      QT_TRANSLATE_NOOP("Dialogs", "First relative date")},
    C{ControlKind::kStatic, kNoControlId, QT_TRANSLATE_NOOP("Dialogs", "And"), 5, 89, 107, 8, kStyleNone},
    C{ControlKind::kDropDownList, ctl::datetime::kCompare2, "", 5, 102, 107, 54, kStyleDisabled, kComparisons,
      QT_TRANSLATE_NOOP("Dialogs", "Second date comparison")},
    C{ControlKind::kDatePicker, ctl::datetime::kDate2, "", 5, 117, 56, 15, kStyleDisabled, {},
      QT_TRANSLATE_NOOP("Dialogs", "Second date")},
    C{ControlKind::kTimePicker, ctl::datetime::kTime2, "", 61, 117, 50, 15, kStyleDisabled, {},
      QT_TRANSLATE_NOOP("Dialogs", "Second time")},
    C{ControlKind::kNumberEdit, ctl::datetime::kCount2, "", 5, 134, 30, 12, kStyleDisabled, {},
      QT_TRANSLATE_NOOP("Dialogs", "Second count")},
    C{ControlKind::kDropDownList, ctl::datetime::kRelative2, "", 37, 134, 75, 80, kStyleDisabled, kRelativeDates,
      QT_TRANSLATE_NOOP("Dialogs", "Second relative date")},
};

constexpr DialogResource kDateTimeDialog{res::kDialogDateTime, "", 112, 151, "Tahoma", 8, kDateTimeControls};

constexpr std::array kAttributesControls = {
    C{ControlKind::kCheckBox, ctl::attrib::kReadOnly,
      QT_TRANSLATE_NOOP("Dialogs", "Search &read-only files."), 5, 5, 106, 10, kStyleNone},
    C{ControlKind::kCheckBox, ctl::attrib::kHidden,
      QT_TRANSLATE_NOOP("Dialogs", "Search &hidden files."), 5, 19, 106, 10, kStyleNone},
    C{ControlKind::kCheckBox, ctl::attrib::kSystem,
      QT_TRANSLATE_NOOP("Dialogs", "Search s&ystem files."), 5, 33, 106, 10, kStyleNone},
    C{ControlKind::kCheckBox, ctl::attrib::kSubfolders,
      QT_TRANSLATE_NOOP("Dialogs", "Search &subfolders."), 5, 47, 106, 10, kStyleNone},
    C{ControlKind::kCheckBox, ctl::attrib::kCaseSensitive,
      QT_TRANSLATE_NOOP("Dialogs", "&Case sensitive."), 5, 61, 106, 10, kStyleNone},
    C{ControlKind::kCheckBox, ctl::attrib::kShortNames,
      QT_TRANSLATE_NOOP("Dialogs", "Search short (&8.3) names."), 5, 75, 106, 10, kStyleHidden},
};

constexpr DialogResource kAttributesDialog{res::kDialogAttributes, "", 112, 90, "Tahoma", 8, kAttributesControls};

constexpr std::array kExcludeControls = {
    C{ControlKind::kStatic, ctl::exclude::kLabel,
      QT_TRANSLATE_NOOP("Dialogs", "Folders and names to skip:"), 5, 5, 106, 8,
      kStyleNone},
    C{ControlKind::kComboBox, ctl::exclude::kBox, "", 5, 16, 106, 107, kStyleNone},
};

constexpr DialogResource kExcludeDialog{res::kDialogExclude, "", 112, 33, "Tahoma", 8, kExcludeControls};

constexpr std::array kHexViewControls = {
    C{ControlKind::kEdit, ctl::hexview::kSearchText, "", 0, 0, 361, 12, kStyleBorder, {},
      QT_TRANSLATE_NOOP("Dialogs", "Text to find")},
    C{ControlKind::kCheckBox, ctl::hexview::kHexadecimal,
      QT_TRANSLATE_NOOP("Dialogs", "Hexadecimal."), 0, 16, 165, 8, kStyleNone},
    C{ControlKind::kDefPushButton, ctl::hexview::kSearch,
      QT_TRANSLATE_NOOP("Dialogs", "&Search"), 311, 13, 50, 14, kStyleNone, {},
      QT_TRANSLATE_NOOP("Dialogs", "Goes to the next place the text is found")},
    C{ControlKind::kEtchedLine, ctl::hexview::kPaneTop, "", 0, 31, 361, 1, kStyleNone},
};

constexpr DialogResource kHexViewDialog{res::kDialogHexView, QT_TRANSLATE_NOOP("Dialogs", "Hex View - "),
                                        361, 217, "Tahoma", 8, kHexViewControls};
// The viewing area draws everything itself; only its font counts.
constexpr DialogResource kHexPaneDialog{res::kDialogHexPane, "", 0, 0, "Courier New", 10, {}};

// Below each group, a line of what is in place now; the second group and the buttons sit
// lower by the lines' height.
constexpr std::array kOptionsControls = {
    C{ControlKind::kGroupBox, kNoControlId, QT_TRANSLATE_NOOP("Dialogs", "File Type"), 5, 5, 216, 43, kStyleNone},
    C{ControlKind::kStatic, kNoControlId,
      QT_TRANSLATE_NOOP("Dialogs", "Register the file type \".sifter\" to system, then you can open the search result by double-clicking at "
      "the files."),
      12, 15, 153, 25, kStyleWordWrap},
    C{ControlKind::kPushButton, ctl::options::kRegister,
      QT_TRANSLATE_NOOP("Dialogs", "&Register"), 165, 15, 50, 14, kStyleNone, {},
      QT_TRANSLATE_NOOP("Dialogs", "Makes Sifter open result files")},
    C{ControlKind::kPushButton, ctl::options::kUnregister,
      QT_TRANSLATE_NOOP("Dialogs", "&Unregister"), 165, 31, 50, 14, kStyleNone, {},
      QT_TRANSLATE_NOOP("Dialogs", "Removes Sifter as the program of result files")},
    C{ControlKind::kStatic, ctl::options::kFileTypeState, "", 7, 50, 214, 17, kStyleWordWrap | kStyleNoMnemonic},
    C{ControlKind::kGroupBox, kNoControlId, QT_TRANSLATE_NOOP("Dialogs", "Context Menu"), 5, 69, 216, 43, kStyleNone},
    C{ControlKind::kStatic, kNoControlId,
      QT_TRANSLATE_NOOP("Dialogs", "Add context menu \"Sifter\" to folders and drives then you can launch the software directly."), 12, 79, 153,
      25, kStyleWordWrap},
    C{ControlKind::kPushButton, ctl::options::kAddVerb,
      QT_TRANSLATE_NOOP("Dialogs", "&Add"), 165, 79, 50, 14, kStyleNone, {},
      QT_TRANSLATE_NOOP("Dialogs", "Adds Sifter to the folders' context menu")},
    C{ControlKind::kPushButton, ctl::options::kRemoveVerb,
      QT_TRANSLATE_NOOP("Dialogs", "Re&move"), 165, 95, 50, 14, kStyleNone, {},
      QT_TRANSLATE_NOOP("Dialogs", "Removes Sifter from the folders' context menu")},
    C{ControlKind::kStatic, ctl::options::kFolderActionState, "", 7, 114, 214, 17,
      kStyleWordWrap | kStyleNoMnemonic},
    C{ControlKind::kPushButton, ctl::kIdOk, QT_TRANSLATE_NOOP("Dialogs", "&OK"), 116, 145, 50, 14, kStyleHidden, {},
      QT_TRANSLATE_NOOP("Dialogs", "Closes the Options")},
    C{ControlKind::kPushButton, ctl::kIdCancel, QT_TRANSLATE_NOOP("Dialogs", "&Close"), 171, 145, 50, 14, kStyleNone, {},
      QT_TRANSLATE_NOOP("Dialogs", "Closes the Options")},
};

constexpr DialogResource kOptionsDialog{res::kDialogOptions, QT_TRANSLATE_NOOP("Dialogs", "Options"), 226, 164, "Tahoma", 8, kOptionsControls};

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
