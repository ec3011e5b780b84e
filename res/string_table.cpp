// SPDX-License-Identifier: GPL-3.0-or-later
#include "string_table.h"

#include "text/program_notice.h"

#include <QtGlobal>

#include <algorithm>
#include <array>

#ifndef SIFTER_VERSION
#error "SIFTER_VERSION must be defined by the build"
#endif

namespace sifter {
namespace {

// Sorted by id (a test holds it to that).
constexpr std::array kStrings = {
    StringResource{str::kDocString,
                   QT_TRANSLATE_NOOP("Strings", "Sifter\nNewSearch\nSifter\nSifter Result (*.sifter)\n.sifter\nSifter.Document\n"
                   "Sifter Result Document")},
    StringResource{str::kObjects, QT_TRANSLATE_NOOP("Strings", "%1 objects")},
    StringResource{str::kObjectsSelected, QT_TRANSLATE_NOOP("Strings", "%1 objects selected")},
    StringResource{str::kTipType, QT_TRANSLATE_NOOP("Strings", "Type: %1")},
    StringResource{str::kStop, QT_TRANSLATE_NOOP("Strings", "&Stop")},
    StringResource{str::kSearch, QT_TRANSLATE_NOOP("Strings", "&Search")},
    StringResource{str::kBannerTitle, QT_TRANSLATE_NOOP("Strings", "Norvane Search")},
    StringResource{str::kChooseSearchFolder, QT_TRANSLATE_NOOP("Strings", "Choose directory to search")},
    StringResource{str::kChooseCopyFolder,
                   QT_TRANSLATE_NOOP("Strings", "Select the folder to copy the selected item(s) to.")},
    StringResource{str::kChooseMoveFolder,
                   QT_TRANSLATE_NOOP("Strings", "Select the folder to move the selected item(s) to.")},
    StringResource{str::kTipDateModified, QT_TRANSLATE_NOOP("Strings", "Date Modified: %1")},
    StringResource{str::kTipFolder, QT_TRANSLATE_NOOP("Strings", "In Folder: %1")},
    StringResource{str::kTipDescription, QT_TRANSLATE_NOOP("Strings", "Description: %1")},
    StringResource{str::kTipCompany, QT_TRANSLATE_NOOP("Strings", "Company: %1")},
    StringResource{str::kTipDateCreated, QT_TRANSLATE_NOOP("Strings", "Date Created: %1")},
    StringResource{str::kTipSize, QT_TRANSLATE_NOOP("Strings", "Size: %1")},
    StringResource{str::kTipFileVersion, QT_TRANSLATE_NOOP("Strings", "File Version: %1")},
    StringResource{str::kTitleFormat, QT_TRANSLATE_NOOP("Strings", "%s %s In %s")},
    StringResource{str::kNoMoreMatches, QT_TRANSLATE_NOOP("Strings", "No more matched string.")},
    StringResource{str::kAskClearHistories,
                   QT_TRANSLATE_NOOP("Strings", "Do you want to clear all the search histories? The histories include the file "
                   "names, words and the folders you have searched for.")},
    StringResource{str::kVerbKeyFormat, "%1\\Shell\\Sifter\\command"},
    StringResource{str::kOperationDone,
                   QT_TRANSLATE_NOOP("Strings", "The selected operation has been performed, it should be successful. If there "
                   "is any problem, please report to us.")},
    // %1 the version, %2 the copyright line, %3 the licence (AboutTextValues).
    StringResource{str::kAboutText,
                   QT_TRANSLATE_NOOP("Strings", "Sifter version %1\n"
                   "%2\n"
                   "\n"
                   "Sifter finds files by name, by words in their contents, by size, by date and "
                   "by attributes, and keeps whole searches in result files.\n"
                   "\n"
                   "This program is free software: you can redistribute it and/or modify it under "
                   "the terms of the GNU General Public License as published by the Free Software "
                   "Foundation, either version 3 of the License, or (at your option) any later "
                   "version (%3).\n"
                   "\n"
                   "This program is distributed in the hope that it will be useful, but WITHOUT ANY "
                   "WARRANTY; without even the implied warranty of MERCHANTABILITY or FITNESS FOR A "
                   "PARTICULAR PURPOSE. See the GNU General Public License for more details: "
                   "https://www.gnu.org/licenses/gpl-3.0.html")},
    StringResource{cmd::kHexView, QT_TRANSLATE_NOOP("Strings", "Views selected file in hexadecimal\nHex View")},
    StringResource{cmd::kOpenContainingFolder,
                   QT_TRANSLATE_NOOP("Strings", "Opens containing folder\nOpen Containing Folder")},
    StringResource{cmd::kInvertSelection,
                   QT_TRANSLATE_NOOP("Strings", "Reverses which items are selected and which are not/Invert Selection")},
    StringResource{cmd::kCopyToFolder,
                   QT_TRANSLATE_NOOP("Strings", "Copies the selected items to another location\nCopy To Folder")},
    StringResource{cmd::kMoveToFolder,
                   QT_TRANSLATE_NOOP("Strings", "Moves the selected items to another location\nMove To Folder")},
    StringResource{cmd::kRename, QT_TRANSLATE_NOOP("Strings", "Renames the selected item\nRename")},
    StringResource{cmd::kDelete, QT_TRANSLATE_NOOP("Strings", "Deletes the selected items\nDelete")},
    StringResource{cmd::kProperties,
                   QT_TRANSLATE_NOOP("Strings", "Displays the properties of the selected items\nProperties")},
    StringResource{cmd::kOpen, QT_TRANSLATE_NOOP("Strings", "Opens the selected items\nOpen")},
    StringResource{cmd::kClearHistories,
                   QT_TRANSLATE_NOOP("Strings", "Clears the histories of names, words and folders\nClear Search Histories")},
    StringResource{cmd::kOptions,
                   QT_TRANSLATE_NOOP("Strings", "Registers result files and the folder menu entry with the desktop\nOptions")},
    StringResource{cmd::kWebSite, QT_TRANSLATE_NOOP("Strings", "Opens the Norvane web site\nWeb Site")},
    StringResource{cmd::kViewPreviewPane,
                   QT_TRANSLATE_NOOP("Strings", "Shows or hides the lines of the selected file that hold its matches\nToggle Preview Pane")},
    StringResource{cmd::kSearchAgain,
                   QT_TRANSLATE_NOOP("Strings", "Searches with the criteria of the left pane\nSearch")},
    StringResource{cmd::kFocusNameBox, QT_TRANSLATE_NOOP("Strings", "Moves to the file name box\nFile Name")},
    StringResource{cmd::kFocusFolderBox, QT_TRANSLATE_NOOP("Strings", "Moves to the Search in box\nSearch In")},
    StringResource{str::kAppName, QT_TRANSLATE_NOOP("Strings", "Sifter")},
    StringResource{str::kIdleMessage, QT_TRANSLATE_NOOP("Strings", "Ready")},
    StringResource{cmd::kFileNew, QT_TRANSLATE_NOOP("Strings", "Starts a new search\nNew Search")},
    StringResource{cmd::kFileOpen, QT_TRANSLATE_NOOP("Strings", "Opens a saved result file\nOpen Result File")},
    StringResource{cmd::kFileSave, QT_TRANSLATE_NOOP("Strings", "Saves the search and its results\nSave Result")},
    StringResource{cmd::kFileSaveAs,
                   QT_TRANSLATE_NOOP("Strings", "Saves the search and its results under a new name\nSave Result As")},
    StringResource{cmd::kFileMruFirst, QT_TRANSLATE_NOOP("Strings", "Opens this result file\nRecent File")},
    StringResource{cmd::kFileMruFirst + 1, QT_TRANSLATE_NOOP("Strings", "Opens this result file\nRecent File")},
    StringResource{cmd::kFileMruFirst + 2, QT_TRANSLATE_NOOP("Strings", "Opens this result file\nRecent File")},
    StringResource{cmd::kFileMruLast, QT_TRANSLATE_NOOP("Strings", "Opens this result file\nRecent File")},
    StringResource{cmd::kEditCopy,
                   QT_TRANSLATE_NOOP("Strings", "Copies the selection and put it on the Clipboard\nCopy")},
    StringResource{cmd::kEditCut, QT_TRANSLATE_NOOP("Strings", "Cuts the selection and put it on the Clipboard\nCut")},
    StringResource{cmd::kEditSelectAll, QT_TRANSLATE_NOOP("Strings", "Selects all the items\nSelect All")},
    StringResource{cmd::kWindowSplit,
                   QT_TRANSLATE_NOOP("Strings", "Moves the bar between the two panes with the keyboard\nSplit")},
    StringResource{cmd::kAppAbout,
                   QT_TRANSLATE_NOOP("Strings", "Displays program information, version number and copyright\nAbout")},
    StringResource{cmd::kAppExit, QT_TRANSLATE_NOOP("Strings", "Quits Sifter; asks whether to save the result\nExit")},
    StringResource{cmd::kHelpIndex, QT_TRANSLATE_NOOP("Strings", "Opens the user guide\nOnline Help")},
    StringResource{cmd::kNextPane, QT_TRANSLATE_NOOP("Strings", "Switches to the next pane\nNext Pane")},
    StringResource{cmd::kPrevPane, QT_TRANSLATE_NOOP("Strings", "Switches back to the previous pane\nPrevious Pane")},
    StringResource{cmd::kViewToolbar, QT_TRANSLATE_NOOP("Strings", "Shows or hides the toolbar\nToggle Toolbar")},
    StringResource{cmd::kViewStatusBar,
                   QT_TRANSLATE_NOOP("Strings", "Shows or hides the status bar\nToggle Status Bar")},
    StringResource{cmd::kViewSmallIcons,
                   QT_TRANSLATE_NOOP("Strings", "Displays items by using small icons.\nSmall Icons")},
    StringResource{cmd::kViewLargeIcons,
                   QT_TRANSLATE_NOOP("Strings", "Displays items by using large icons.\nLarge Icons")},
    StringResource{cmd::kViewList, QT_TRANSLATE_NOOP("Strings", "Displays items in a list.\nList")},
    StringResource{cmd::kViewDetails,
                   QT_TRANSLATE_NOOP("Strings", "Displays detailed information about each item in the window.\nDetails")},
    StringResource{str::kAskToSave, QT_TRANSLATE_NOOP("Strings", "Save changes to %1?")},
    StringResource{str::kFailedToSave, QT_TRANSLATE_NOOP("Strings", "Could not save the result file %1.")},
    StringResource{str::kAllFilesFilter, QT_TRANSLATE_NOOP("Strings", "All Files (*)")},
    StringResource{str::kSaveAsTitle, QT_TRANSLATE_NOOP("Strings", "Save Result As")},
    StringResource{str::kOpenTitle, QT_TRANSLATE_NOOP("Strings", "Open Result File")},
    StringResource{str::kNoProgramForAddress, QT_TRANSLATE_NOOP("Strings", "No program could open %1.")},
    StringResource{str::kParseUnsigned, QT_TRANSLATE_NOOP("Strings", "Please enter a positive integer.")},
    StringResource{str::kResultFileTooLarge,
                   QT_TRANSLATE_NOOP("Strings", "Could not open the result file %1: its results would need %2 of memory, more than the "
                   "%3 Sifter may take for them (a quarter of the free memory, at most 4 GB).")},
    StringResource{str::kSettingsSetAside,
                   QT_TRANSLATE_NOOP("Strings", "Some of your settings could not be read, so Sifter started without them. The "
                   "settings file as it was is kept as:\n%1")},
    StringResource{str::kRowsSkipped,
                   QT_TRANSLATE_NOOP("Strings", "These rows were left alone: their records do not name a file in their folder, so "
                   "the result file may have been altered.\n%1")},
    StringResource{str::kSkippedEmptyName, QT_TRANSLATE_NOOP("Strings", "Row %1: the name is empty.")},
    StringResource{str::kSkippedNameWithSeparator,
                   QT_TRANSLATE_NOOP("Strings", "Row %1 (%2): the name contains \"/\".")},
    StringResource{str::kSkippedDotName, QT_TRANSLATE_NOOP("Strings", "Row %1 (%2): the name is \".\" or \"..\".")},
    StringResource{str::kSkippedRelativeFolder,
                   QT_TRANSLATE_NOOP("Strings", "Row %1 (%2): the folder is not an absolute path.")},
    StringResource{str::kPropertiesTitle, QT_TRANSLATE_NOOP("Strings", "%1 Properties")},
    StringResource{str::kPropertyPath, QT_TRANSLATE_NOOP("Strings", "Path:")},
    StringResource{str::kPropertyType, QT_TRANSLATE_NOOP("Strings", "Type:")},
    StringResource{str::kPropertySize, QT_TRANSLATE_NOOP("Strings", "Size:")},
    StringResource{str::kPropertyModified, QT_TRANSLATE_NOOP("Strings", "Modified:")},
    StringResource{str::kPropertyCreated, QT_TRANSLATE_NOOP("Strings", "Created:")},
    StringResource{str::kPropertyAccessed, QT_TRANSLATE_NOOP("Strings", "Accessed:")},
    StringResource{str::kPropertyPermissions, QT_TRANSLATE_NOOP("Strings", "Permissions:")},
    StringResource{str::kPropertyLinkTarget, QT_TRANSLATE_NOOP("Strings", "Link target:")},
    StringResource{str::kPropertySizeText, QT_TRANSLATE_NOOP("Strings", "%1 (%2 bytes)")},
    StringResource{str::kPropertiesUnreadable, QT_TRANSLATE_NOOP("Strings", "Could not read the properties of %1.")},
    StringResource{str::kRenameEmptyName, QT_TRANSLATE_NOOP("Strings", "A file name cannot be empty.")},
    StringResource{str::kRenameNameWithSeparator, QT_TRANSLATE_NOOP("Strings", "A file name cannot contain \"/\".")},
    StringResource{str::kRenameDotName, QT_TRANSLATE_NOOP("Strings", "A file name cannot be \".\" or \"..\".")},
    StringResource{str::kRenameExists,
                   QT_TRANSLATE_NOOP("Strings", "Cannot rename %1: an item named %2 already exists in its folder.")},
    StringResource{str::kRenameFailed, QT_TRANSLATE_NOOP("Strings", "Cannot rename %1: %2.")},
    StringResource{str::kAskTrashOne, QT_TRANSLATE_NOOP("Strings", "Move \"%1\" to the Trash?")},
    StringResource{str::kAskTrashMany, QT_TRANSLATE_NOOP("Strings", "Move these %1 items to the Trash?")},
    StringResource{str::kAskEraseOne,
                   QT_TRANSLATE_NOOP("Strings", "Permanently delete \"%1\"?\n\nIt cannot be restored.")},
    StringResource{str::kAskEraseMany,
                   QT_TRANSLATE_NOOP("Strings", "Permanently delete these %1 items?\n\nThey cannot be restored.")},
    StringResource{str::kAskEraseUntrashable,
                   QT_TRANSLATE_NOOP("Strings", "%1 cannot be moved to the Trash: %2.\n\nDelete it permanently? It cannot be restored.")},
    StringResource{str::kEraseFailed, QT_TRANSLATE_NOOP("Strings", "Cannot delete %1: %2.")},
    StringResource{str::kSkippedDotInFolder,
                   QT_TRANSLATE_NOOP("Strings", "Row %1 (%2): the folder has a \".\" or \"..\" component.")},
    StringResource{str::kSkippedOutsideSearch,
                   QT_TRANSLATE_NOOP("Strings", "Row %1 (%2): the folder is not one of the folders searched.")},
    StringResource{str::kEntryKindFile, QT_TRANSLATE_NOOP("Strings", "a file")},
    StringResource{str::kEntryKindFolder, QT_TRANSLATE_NOOP("Strings", "a folder")},
    StringResource{str::kEntryKindLink, QT_TRANSLATE_NOOP("Strings", "a symbolic link")},
    StringResource{str::kEntryKindSpecial, QT_TRANSLATE_NOOP("Strings", "a special file (a device, FIFO or socket)")},
    StringResource{str::kEntryFileOfSize, QT_TRANSLATE_NOOP("Strings", "a file of %1")},
    StringResource{str::kEntryEmptyFolder, QT_TRANSLATE_NOOP("Strings", "an empty folder")},
    StringResource{str::kEntryFolderOneItem, QT_TRANSLATE_NOOP("Strings", "a folder of 1 item")},
    StringResource{str::kEntryFolderItems, QT_TRANSLATE_NOOP("Strings", "a folder of %1 items")},
    StringResource{str::kEntryKindChanged,
                   QT_TRANSLATE_NOOP("Strings", "\"%1\" was %2 when it was found; it is now %3.")},
    StringResource{str::kEntryContentChanged,
                   QT_TRANSLATE_NOOP("Strings", "\"%1\" has changed since the search: it is now %2, modified %3.")},
    StringResource{str::kEntryUnreadable, QT_TRANSLATE_NOOP("Strings", "Cannot examine %1: %2.")},
    StringResource{str::kAskTrashAnyway, QT_TRANSLATE_NOOP("Strings", "%1\n\nMove it to the Trash anyway?")},
    StringResource{str::kAskEraseAnyway,
                   QT_TRANSLATE_NOOP("Strings", "%1\n\nDelete it permanently anyway? It cannot be restored.")},
    StringResource{str::kAskRenameAnyway, QT_TRANSLATE_NOOP("Strings", "%1\n\nRename it anyway?")},
    StringResource{str::kAskMoveAnyway, QT_TRANSLATE_NOOP("Strings", "%1\n\nMove it anyway?")},
    StringResource{str::kAskEraseFolder,
                   QT_TRANSLATE_NOOP("Strings", "Permanently delete \"%1\", %2, with everything in it?\n\nIt cannot be restored.")},
    StringResource{str::kAskEraseManyWithFolders,
                   QT_TRANSLATE_NOOP("Strings", "Permanently delete these %1 items?\n\n%2 of them are folders, deleted with everything in "
                   "them:\n%3\n\nThey cannot be restored.")},
    StringResource{str::kAskEraseUntrashableFolder,
                   QT_TRANSLATE_NOOP("Strings", "%1, %3, cannot be moved to the Trash: %2.\n\nDelete it permanently, with everything in "
                   "it? It cannot be restored.")},
    StringResource{str::kApplyToAllSuch, QT_TRANSLATE_NOOP("Strings", "Do the &same for the other items like this")},
    StringResource{str::kEraseFolderLine, QT_TRANSLATE_NOOP("Strings", "\"%1\", %2")},
    StringResource{str::kCopyingTitle, QT_TRANSLATE_NOOP("Strings", "Copying")},
    StringResource{str::kMovingTitle, QT_TRANSLATE_NOOP("Strings", "Moving")},
    StringResource{str::kCopyingTo, QT_TRANSLATE_NOOP("Strings", "Copying to %1")},
    StringResource{str::kMovingTo, QT_TRANSLATE_NOOP("Strings", "Moving to %1")},
    StringResource{str::kTransferFileCount, QT_TRANSLATE_NOOP("Strings", "File %1 of %2")},
    StringResource{str::kCopyFailures, QT_TRANSLATE_NOOP("Strings", "These items could not be copied:\n%1")},
    StringResource{str::kMoveFailures, QT_TRANSLATE_NOOP("Strings", "These items could not be moved:\n%1")},
    StringResource{str::kTransferFailureLine, QT_TRANSLATE_NOOP("Strings", "%1: %2")},
    StringResource{str::kConflictTitle, QT_TRANSLATE_NOOP("Strings", "Name Conflict")},
    StringResource{str::kConflictFileExists,
                   QT_TRANSLATE_NOOP("Strings", "A file named \"%1\" already exists in \"%2\".")},
    StringResource{str::kConflictFolderExists,
                   QT_TRANSLATE_NOOP("Strings", "A folder named \"%1\" already exists in \"%2\".\n\nMerge puts the items into it and "
                   "asks about each file that is in both.")},
    StringResource{str::kConflictReplace, QT_TRANSLATE_NOOP("Strings", "&Replace")},
    StringResource{str::kConflictMerge, QT_TRANSLATE_NOOP("Strings", "&Merge")},
    StringResource{str::kConflictSkip, QT_TRANSLATE_NOOP("Strings", "&Skip")},
    StringResource{str::kConflictRename, QT_TRANSLATE_NOOP("Strings", "Re&name")},
    StringResource{str::kConflictRenameTip, QT_TRANSLATE_NOOP("Strings", "Keep both: the new item gets a free name")},
    StringResource{str::kTransferCancel, QT_TRANSLATE_NOOP("Strings", "Cancel")},
    StringResource{str::kConflictApplyToAll, QT_TRANSLATE_NOOP("Strings", "&Apply to all conflicts")},
    StringResource{str::kCommandUnclosedQuote, QT_TRANSLATE_NOOP("Strings", "A quotation mark is not closed.")},
    StringResource{str::kCommandQuoteInsideArgument,
                   QT_TRANSLATE_NOOP("Strings", "Quotation marks must enclose a whole argument, with blanks around them.")},
    StringResource{str::kCommandStrayBackslash,
                   QT_TRANSLATE_NOOP("Strings", "A backslash may only stand inside quotation marks, before \", `, $ or another backslash.")},
    StringResource{str::kCommandCodeInQuotes,
                   QT_TRANSLATE_NOOP("Strings", "A field code such as %f cannot stand inside quotation marks.")},
    StringResource{str::kCommandUnknownCode,
                   QT_TRANSLATE_NOOP("Strings", "A % must begin a field code: %f or %F for the file, %u or %U for its address, %% for a "
                   "percent sign.")},
    StringResource{str::kCommandCodeNotAlone,
                   QT_TRANSLATE_NOOP("Strings", "%F, %U and %i must stand alone as a whole argument.")},
    StringResource{str::kCommandTwoFileCodes,
                   QT_TRANSLATE_NOOP("Strings", "Only one of %f, %F, %u and %U may stand in the command.")},
    StringResource{str::kCommandNoProgram,
                   QT_TRANSLATE_NOOP("Strings", "The command must begin with the program's name.")},
    StringResource{str::kCommandRelativeProgram,
                   QT_TRANSLATE_NOOP("Strings", "The program must be a name found in the search path or a path that begins with /.")},
    StringResource{str::kCommandProgramMissing, QT_TRANSLATE_NOOP("Strings", "No program \"%1\" was found.")},
    StringResource{str::kOpenWithTitle, QT_TRANSLATE_NOOP("Strings", "Open With")},
    StringResource{str::kOpenWithPrompt, QT_TRANSLATE_NOOP("Strings", "Choose the program to open \"%1\" with:")},
    StringResource{str::kOpenWithStartFailed, QT_TRANSLATE_NOOP("Strings", "%1 could not be started to open %2: %3.")},
    StringResource{str::kOpenWithBadExec,
                   QT_TRANSLATE_NOOP("Strings", "its command line in the desktop entry is malformed")},
    StringResource{str::kOpenWithSearchHint, QT_TRANSLATE_NOOP("Strings", "Search applications")},
    StringResource{str::kOpenWithOtherApplications, QT_TRANSLATE_NOOP("Strings", "Other applications")},
    StringResource{str::kOpenWithOtherProgram, QT_TRANSLATE_NOOP("Strings", "Other program...")},
    StringResource{str::kOpenWithCommandLabel, QT_TRANSLATE_NOOP("Strings", "&Command:")},
    StringResource{str::kOpenWithCommandHint,
                   QT_TRANSLATE_NOOP("Strings", "program and arguments; the file at %f, else last")},
    StringResource{str::kOpenWithAlwaysUse, QT_TRANSLATE_NOOP("Strings", "&Always use for this file type: %1 (%2)")},
    StringResource{str::kOpenWithRememberFailed,
                   QT_TRANSLATE_NOOP("Strings", "%1 was started, but could not be kept as the program for %2: %3.")},
    StringResource{str::kOptionsTypeRegistered, QT_TRANSLATE_NOOP("Strings", "Registered: .sifter opens in Sifter")},
    StringResource{str::kOptionsTypeOtherDefault,
                   QT_TRANSLATE_NOOP("Strings", "Registered: .sifter opens in %1, its default application")},
    StringResource{str::kOptionsTypeNotRegistered, QT_TRANSLATE_NOOP("Strings", "Not registered")},
    StringResource{str::kOptionsActionsInstalled, QT_TRANSLATE_NOOP("Strings", "Folder action installed for: %1")},
    StringResource{str::kOptionsActionsNotInstalled, QT_TRANSLATE_NOOP("Strings", "Folder action not installed")},
    StringResource{str::kOptionsFailure, QT_TRANSLATE_NOOP("Strings", "Failed: %1")},
    StringResource{str::kOptionsReasonSeparator, QT_TRANSLATE_NOOP("Strings", "; ")},
    StringResource{str::kResultFileUnreadable, QT_TRANSLATE_NOOP("Strings", "Could not open %1: %2.")},
    StringResource{str::kNotAResultFile,
                   QT_TRANSLATE_NOOP("Strings", "Could not open %1: it is not a Sifter result file.")},
    StringResource{str::kResultFileHeaderCut,
                   QT_TRANSLATE_NOOP("Strings", "Could not open the result file %1: it is damaged, cut short inside its header.")},
    StringResource{str::kSettingsTooLarge,
                   QT_TRANSLATE_NOOP("Strings", "Some of your settings are in a file larger than a settings file can be (64 MB), so "
                   "Sifter did not read it and leaves it as it is; settings changed now are not saved:\n%1")},
    StringResource{str::kPreviewMatches, QT_TRANSLATE_NOOP("Strings", "%1 matches")},
    StringResource{str::kPreviewMatchesPartly, QT_TRANSLATE_NOOP("Strings", "%1 matches in the first %2 read")},
    StringResource{str::kPreviewMore, QT_TRANSLATE_NOOP("Strings", "... %1 more")},
    StringResource{str::kPreviewFolder, QT_TRANSLATE_NOOP("Strings", "%1 is a folder.")},
    StringResource{str::kPreviewUnreadable,
                   QT_TRANSLATE_NOOP("Strings", "%1 cannot be read: it may have been moved or deleted.")},
    StringResource{str::kPreviewRefused,
                   QT_TRANSLATE_NOOP("Strings", "Not shown: this row does not name a file inside the folders searched.")},
    StringResource{str::kPreviewUtf16, QT_TRANSLATE_NOOP("Strings", "found as UTF-16LE")},
    StringResource{str::kPreviewUtf8, QT_TRANSLATE_NOOP("Strings", "found as UTF-8")},
    StringResource{str::kPreviewBinary, QT_TRANSLATE_NOOP("Strings", "Binary file: %1 matches")},
    StringResource{str::kPreviewFileFacts,
                   QT_TRANSLATE_NOOP("Strings", "Type: %1    Size: %2    Modified: %3    Created: %4")},
    StringResource{str::kPreviewNoLongerMatches,
                   QT_TRANSLATE_NOOP("Strings", "The file no longer holds the words it was found with.")},
    StringResource{str::kPreviewOffsets,
                   QT_TRANSLATE_NOOP("Strings", "lines are not counted this far into the file: byte offsets shown")},
    StringResource{str::kPreviewChanged, QT_TRANSLATE_NOOP("Strings", "the file changed since the search")},
    StringResource{str::kPreviewReading, QT_TRANSLATE_NOOP("Strings", "Reading...")},
    StringResource{str::kPreviewFirstLines, QT_TRANSLATE_NOOP("Strings", "First lines of %1")},
    StringResource{str::kPreviewOneMatch, QT_TRANSLATE_NOOP("Strings", "1 match")},
    StringResource{str::kPreviewOneMatchPartly, QT_TRANSLATE_NOOP("Strings", "1 match in the first %1 read")},
    StringResource{str::kPreviewOneBinaryMatch, QT_TRANSLATE_NOOP("Strings", "Binary file: 1 match")},
    StringResource{str::kHexViewSpokenOffset, QT_TRANSLATE_NOOP("Strings", "Offset %1 of %2 bytes")},
    StringResource{str::kSpokenAccept,
                   QT_TRANSLATE_NOOP("Strings", "Goes on with what the window shows and closes it")},
    StringResource{str::kSpokenReject, QT_TRANSLATE_NOOP("Strings", "Closes the window; nothing more is done")},
    StringResource{str::kConflictReplaceTip, QT_TRANSLATE_NOOP("Strings", "The item there is replaced by the new one")},
    StringResource{str::kConflictMergeTip,
                   QT_TRANSLATE_NOOP("Strings", "The new folder's contents go into the folder there")},
    StringResource{str::kConflictSkipTip, QT_TRANSLATE_NOOP("Strings", "This item is left out; the others go on")},
};

} // namespace

std::span<const StringResource> StringTable()
{
    return kStrings;
}

std::string_view FindStringResource(StringId id)
{
    const auto it = std::lower_bound(kStrings.begin(), kStrings.end(), id,
                                     [](const StringResource &entry, StringId key) { return entry.id < key; });
    if (it == kStrings.end() || it->id != id)
        return {};
    return it->text;
}

AboutValues AboutTextValues()
{
    return {SIFTER_VERSION, SIFTER_COPYRIGHT_LINE, SIFTER_LICENCE_ID};
}

} // namespace sifter
