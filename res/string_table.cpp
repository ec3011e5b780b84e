// SPDX-License-Identifier: GPL-3.0-or-later
#include "string_table.h"

#include "text/program_notice.h"

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
                   "Sifter\nNewSearch\nSifter\nSifter Result (*.sifter)\n.sifter\nSifter.Document\n"
                   "Sifter Result Document"},
    StringResource{str::kObjects, "%1 objects"},
    StringResource{str::kObjectsSelected, "%1 objects selected"},
    StringResource{str::kTipType, "Type: %1"},
    StringResource{str::kStop, "&Stop"},
    StringResource{str::kSearch, "&Search"},
    StringResource{str::kBannerTitle, "Norvane Search"},
    StringResource{str::kChooseSearchFolder, "Choose directory to search"},
    StringResource{str::kChooseCopyFolder, "Select the folder to copy the selected item(s) to."},
    StringResource{str::kChooseMoveFolder, "Select the folder to move the selected item(s) to."},
    StringResource{str::kTipDateModified, "Date Modified: %1"},
    StringResource{str::kTipFolder, "In Folder: %1"},
    StringResource{str::kTipDescription, "Description: %1"},
    StringResource{str::kTipCompany, "Company: %1"},
    StringResource{str::kTipDateCreated, "Date Created: %1"},
    StringResource{str::kTipSize, "Size: %1"},
    StringResource{str::kTipFileVersion, "File Version: %1"},
    StringResource{str::kTitleFormat, "%s %s In %s"},
    StringResource{str::kNoMoreMatches, "No more matched string."},
    StringResource{str::kAskClearHistories,
                   "Do you want to clear all the search histories? The histories include the file "
                   "names, words and the folders you have searched for."},
    StringResource{str::kVerbKeyFormat, "%1\\Shell\\Sifter\\command"},
    StringResource{str::kOperationDone,
                   "The selected operation has been performed, it should be successful. If there "
                   "is any problem, please report to us."},
    StringResource{str::kAboutText,
                   "Sifter version " SIFTER_VERSION "\n"
                   SIFTER_COPYRIGHT_LINE "\n"
                   "\n"
                   "Sifter finds files by name, by words in their contents, by size, by date and "
                   "by attributes, and keeps whole searches in result files.\n"
                   "\n"
                   "This program is free software: you can redistribute it and/or modify it under "
                   "the terms of the GNU General Public License as published by the Free Software "
                   "Foundation, either version 3 of the License, or (at your option) any later "
                   "version (" SIFTER_LICENCE_ID ").\n"
                   "\n"
                   "This program is distributed in the hope that it will be useful, but WITHOUT ANY "
                   "WARRANTY; without even the implied warranty of MERCHANTABILITY or FITNESS FOR A "
                   "PARTICULAR PURPOSE. See the GNU General Public License for more details: "
                   "https://www.gnu.org/licenses/gpl-3.0.html"},
    StringResource{cmd::kHexView, "Views selected file in hexadecimal\nHex View"},
    StringResource{cmd::kOpenContainingFolder, "Opens containing folder\nOpen Containing Folder"},
    StringResource{cmd::kInvertSelection, "Reverses which items are selected and which are not/Invert Selection"},
    StringResource{cmd::kCopyToFolder, "Copies the selected items to another location\nCopy To Folder"},
    StringResource{cmd::kMoveToFolder, "Moves the selected items to another location\nMove To Folder"},
    StringResource{cmd::kRename, "Renames the selected item\nRename"},
    StringResource{cmd::kDelete, "Deletes the selected items\nDelete"},
    StringResource{cmd::kProperties, "Displays the properties of the selected items\nProperties"},
    StringResource{cmd::kOpen, "Opens the selected items\nOpen"},
    StringResource{cmd::kClearHistories, "Clears the histories of names, words and folders\nClear Search Histories"},
    StringResource{cmd::kOptions, "Registers result files and the folder menu entry with the desktop\nOptions"},
    StringResource{cmd::kWebSite, "Opens the Norvane web site\nWeb Site"},
    StringResource{cmd::kViewPreviewPane, "Shows or hides the lines of the selected file that hold its matches\nToggle Preview Pane"},
    StringResource{cmd::kSearchAgain, "Searches with the criteria of the left pane\nSearch"},
    StringResource{cmd::kFocusNameBox, "Moves to the file name box\nFile Name"},
    StringResource{cmd::kFocusFolderBox, "Moves to the Search in box\nSearch In"},
    StringResource{str::kAppName, "Sifter"},
    StringResource{str::kIdleMessage, "Ready"},
    StringResource{cmd::kFileNew, "Starts a new search\nNew Search"},
    StringResource{cmd::kFileOpen, "Opens a saved result file\nOpen Result File"},
    StringResource{cmd::kFileSave, "Saves the search and its results\nSave Result"},
    StringResource{cmd::kFileSaveAs, "Saves the search and its results under a new name\nSave Result As"},
    StringResource{cmd::kFileMruFirst, "Opens this result file\nRecent File"},
    StringResource{cmd::kFileMruFirst + 1, "Opens this result file\nRecent File"},
    StringResource{cmd::kFileMruFirst + 2, "Opens this result file\nRecent File"},
    StringResource{cmd::kFileMruLast, "Opens this result file\nRecent File"},
    StringResource{cmd::kEditCopy, "Copies the selection and put it on the Clipboard\nCopy"},
    StringResource{cmd::kEditCut, "Cuts the selection and put it on the Clipboard\nCut"},
    StringResource{cmd::kEditSelectAll, "Selects all the items\nSelect All"},
    StringResource{cmd::kWindowSplit, "Moves the bar between the two panes with the keyboard\nSplit"},
    StringResource{cmd::kAppAbout, "Displays program information, version number and copyright\nAbout"},
    StringResource{cmd::kAppExit, "Quits Sifter; asks whether to save the result\nExit"},
    StringResource{cmd::kHelpIndex, "Opens the user guide\nOnline Help"},
    StringResource{cmd::kNextPane, "Switches to the next pane\nNext Pane"},
    StringResource{cmd::kPrevPane, "Switches back to the previous pane\nPrevious Pane"},
    StringResource{cmd::kViewToolbar, "Shows or hides the toolbar\nToggle Toolbar"},
    StringResource{cmd::kViewStatusBar, "Shows or hides the status bar\nToggle Status Bar"},
    StringResource{cmd::kViewSmallIcons, "Displays items by using small icons.\nSmall Icons"},
    StringResource{cmd::kViewLargeIcons, "Displays items by using large icons.\nLarge Icons"},
    StringResource{cmd::kViewList, "Displays items in a list.\nList"},
    StringResource{cmd::kViewDetails, "Displays detailed information about each item in the window.\nDetails"},
    StringResource{str::kAskToSave, "Save changes to %1?"},
    StringResource{str::kFailedToSave, "Could not save the result file %1."},
    StringResource{str::kAllFilesFilter, "All Files (*)"},
    StringResource{str::kSaveAsTitle, "Save Result As"},
    StringResource{str::kOpenTitle, "Open Result File"},
    StringResource{str::kNoProgramForAddress, "No program could open %1."},
    StringResource{str::kParseUnsigned, "Please enter a positive integer."},
    StringResource{str::kResultFileTooLarge,
                   "Could not open the result file %1: its results would need %2 of memory, more than the "
                   "%3 Sifter may take for them (a quarter of the free memory, at most 4 GB)."},
    StringResource{str::kSettingsSetAside,
                   "Some of your settings could not be read, so Sifter started without them. The "
                   "settings file as it was is kept as:\n%1"},
    StringResource{str::kRowsSkipped,
                   "These rows were left alone: their records do not name a file in their folder, so "
                   "the result file may have been altered.\n%1"},
    StringResource{str::kSkippedEmptyName, "Row %1: the name is empty."},
    StringResource{str::kSkippedNameWithSeparator, "Row %1 (%2): the name contains \"/\"."},
    StringResource{str::kSkippedDotName, "Row %1 (%2): the name is \".\" or \"..\"."},
    StringResource{str::kSkippedRelativeFolder, "Row %1 (%2): the folder is not an absolute path."},
    StringResource{str::kPropertiesTitle, "%1 Properties"},
    StringResource{str::kPropertyPath, "Path:"},
    StringResource{str::kPropertyType, "Type:"},
    StringResource{str::kPropertySize, "Size:"},
    StringResource{str::kPropertyModified, "Modified:"},
    StringResource{str::kPropertyCreated, "Created:"},
    StringResource{str::kPropertyAccessed, "Accessed:"},
    StringResource{str::kPropertyPermissions, "Permissions:"},
    StringResource{str::kPropertyLinkTarget, "Link target:"},
    StringResource{str::kPropertySizeText, "%1 (%2 bytes)"},
    StringResource{str::kPropertiesUnreadable, "Could not read the properties of %1."},
    StringResource{str::kRenameEmptyName, "A file name cannot be empty."},
    StringResource{str::kRenameNameWithSeparator, "A file name cannot contain \"/\"."},
    StringResource{str::kRenameDotName, "A file name cannot be \".\" or \"..\"."},
    StringResource{str::kRenameExists, "Cannot rename %1: an item named %2 already exists in its folder."},
    StringResource{str::kRenameFailed, "Cannot rename %1: %2."},
    StringResource{str::kAskTrashOne, "Move \"%1\" to the Trash?"},
    StringResource{str::kAskTrashMany, "Move these %1 items to the Trash?"},
    StringResource{str::kAskEraseOne, "Permanently delete \"%1\"?\n\nIt cannot be restored."},
    StringResource{str::kAskEraseMany, "Permanently delete these %1 items?\n\nThey cannot be restored."},
    StringResource{str::kAskEraseUntrashable,
                   "%1 cannot be moved to the Trash: %2.\n\nDelete it permanently? It cannot be restored."},
    StringResource{str::kEraseFailed, "Cannot delete %1: %2."},
    StringResource{str::kSkippedDotInFolder, "Row %1 (%2): the folder has a \".\" or \"..\" component."},
    StringResource{str::kSkippedOutsideSearch, "Row %1 (%2): the folder is not one of the folders searched."},
    StringResource{str::kEntryKindFile, "a file"},
    StringResource{str::kEntryKindFolder, "a folder"},
    StringResource{str::kEntryKindLink, "a symbolic link"},
    StringResource{str::kEntryKindSpecial, "a special file (a device, FIFO or socket)"},
    StringResource{str::kEntryFileOfSize, "a file of %1"},
    StringResource{str::kEntryEmptyFolder, "an empty folder"},
    StringResource{str::kEntryFolderOneItem, "a folder of 1 item"},
    StringResource{str::kEntryFolderItems, "a folder of %1 items"},
    StringResource{str::kEntryKindChanged, "\"%1\" was %2 when it was found; it is now %3."},
    StringResource{str::kEntryContentChanged, "\"%1\" has changed since the search: it is now %2, modified %3."},
    StringResource{str::kEntryUnreadable, "Cannot examine %1: %2."},
    StringResource{str::kAskTrashAnyway, "%1\n\nMove it to the Trash anyway?"},
    StringResource{str::kAskEraseAnyway, "%1\n\nDelete it permanently anyway? It cannot be restored."},
    StringResource{str::kAskRenameAnyway, "%1\n\nRename it anyway?"},
    StringResource{str::kAskMoveAnyway, "%1\n\nMove it anyway?"},
    StringResource{str::kAskEraseFolder,
                   "Permanently delete \"%1\", %2, with everything in it?\n\nIt cannot be restored."},
    StringResource{str::kAskEraseManyWithFolders,
                   "Permanently delete these %1 items?\n\n%2 of them are folders, deleted with everything in "
                   "them:\n%3\n\nThey cannot be restored."},
    StringResource{str::kAskEraseUntrashableFolder,
                   "%1, %3, cannot be moved to the Trash: %2.\n\nDelete it permanently, with everything in "
                   "it? It cannot be restored."},
    StringResource{str::kApplyToAllSuch, "Do the &same for the other items like this"},
    StringResource{str::kEraseFolderLine, "\"%1\", %2"},
    StringResource{str::kCopyingTitle, "Copying"},
    StringResource{str::kMovingTitle, "Moving"},
    StringResource{str::kCopyingTo, "Copying to %1"},
    StringResource{str::kMovingTo, "Moving to %1"},
    StringResource{str::kTransferFileCount, "File %1 of %2"},
    StringResource{str::kCopyFailures, "These items could not be copied:\n%1"},
    StringResource{str::kMoveFailures, "These items could not be moved:\n%1"},
    StringResource{str::kTransferFailureLine, "%1: %2"},
    StringResource{str::kConflictTitle, "Name Conflict"},
    StringResource{str::kConflictFileExists, "A file named \"%1\" already exists in \"%2\"."},
    StringResource{str::kConflictFolderExists,
                   "A folder named \"%1\" already exists in \"%2\".\n\nMerge puts the items into it and "
                   "asks about each file that is in both."},
    StringResource{str::kConflictReplace, "&Replace"},
    StringResource{str::kConflictMerge, "&Merge"},
    StringResource{str::kConflictSkip, "&Skip"},
    StringResource{str::kConflictRename, "Re&name"},
    StringResource{str::kConflictRenameTip, "Keep both: the new item gets a free name"},
    StringResource{str::kTransferCancel, "Cancel"},
    StringResource{str::kConflictApplyToAll, "&Apply to all conflicts"},
    StringResource{str::kCommandUnclosedQuote, "A quotation mark is not closed."},
    StringResource{str::kCommandQuoteInsideArgument,
                   "Quotation marks must enclose a whole argument, with blanks around them."},
    StringResource{str::kCommandStrayBackslash,
                   "A backslash may only stand inside quotation marks, before \", `, $ or another backslash."},
    StringResource{str::kCommandCodeInQuotes, "A field code such as %f cannot stand inside quotation marks."},
    StringResource{str::kCommandUnknownCode,
                   "A % must begin a field code: %f or %F for the file, %u or %U for its address, %% for a "
                   "percent sign."},
    StringResource{str::kCommandCodeNotAlone, "%F, %U and %i must stand alone as a whole argument."},
    StringResource{str::kCommandTwoFileCodes, "Only one of %f, %F, %u and %U may stand in the command."},
    StringResource{str::kCommandNoProgram, "The command must begin with the program's name."},
    StringResource{str::kCommandRelativeProgram,
                   "The program must be a name found in the search path or a path that begins with /."},
    StringResource{str::kCommandProgramMissing, "No program \"%1\" was found."},
    StringResource{str::kOpenWithTitle, "Open With"},
    StringResource{str::kOpenWithPrompt, "Choose the program to open \"%1\" with:"},
    StringResource{str::kOpenWithStartFailed, "%1 could not be started to open %2: %3."},
    StringResource{str::kOpenWithBadExec, "its command line in the desktop entry is malformed"},
    StringResource{str::kOpenWithSearchHint, "Search applications"},
    StringResource{str::kOpenWithOtherApplications, "Other applications"},
    StringResource{str::kOpenWithOtherProgram, "Other program..."},
    StringResource{str::kOpenWithCommandLabel, "&Command:"},
    StringResource{str::kOpenWithCommandHint, "program and arguments; the file at %f, else last"},
    StringResource{str::kOpenWithAlwaysUse, "&Always use for this file type: %1 (%2)"},
    StringResource{str::kOpenWithRememberFailed, "%1 was started, but could not be kept as the program for %2: %3."},
    StringResource{str::kOptionsTypeRegistered, "Registered: .sifter opens in Sifter"},
    StringResource{str::kOptionsTypeOtherDefault, "Registered: .sifter opens in %1, its default application"},
    StringResource{str::kOptionsTypeNotRegistered, "Not registered"},
    StringResource{str::kOptionsActionsInstalled, "Folder action installed for: %1"},
    StringResource{str::kOptionsActionsNotInstalled, "Folder action not installed"},
    StringResource{str::kOptionsFailure, "Failed: %1"},
    StringResource{str::kOptionsReasonSeparator, "; "},
    StringResource{str::kResultFileUnreadable, "Could not open %1: %2."},
    StringResource{str::kNotAResultFile, "Could not open %1: it is not a Sifter result file."},
    StringResource{str::kResultFileHeaderCut,
                   "Could not open the result file %1: it is damaged, cut short inside its header."},
    StringResource{str::kSettingsTooLarge,
                   "Some of your settings are in a file larger than a settings file can be (64 MB), so "
                   "Sifter did not read it and leaves it as it is; settings changed now are not saved:\n%1"},
    StringResource{str::kPreviewMatches, "%1 matches"},
    StringResource{str::kPreviewMatchesPartly, "%1 matches in the first %2 read"},
    StringResource{str::kPreviewMore, "... %1 more"},
    StringResource{str::kPreviewFolder, "%1 is a folder."},
    StringResource{str::kPreviewUnreadable, "%1 cannot be read: it may have been moved or deleted."},
    StringResource{str::kPreviewRefused, "Not shown: this row does not name a file inside the folders searched."},
    StringResource{str::kPreviewUtf16, "found as UTF-16LE"},
    StringResource{str::kPreviewUtf8, "found as UTF-8"},
    StringResource{str::kPreviewBinary, "Binary file: %1 matches"},
    StringResource{str::kPreviewFileFacts, "Type: %1    Size: %2    Modified: %3    Created: %4"},
    StringResource{str::kPreviewNoLongerMatches, "The file no longer holds the words it was found with."},
    StringResource{str::kPreviewOffsets, "lines are not counted this far into the file: byte offsets shown"},
    StringResource{str::kPreviewChanged, "the file changed since the search"},
    StringResource{str::kPreviewReading, "Reading..."},
    StringResource{str::kPreviewFirstLines, "First lines of %1"},
    StringResource{str::kPreviewOneMatch, "1 match"},
    StringResource{str::kPreviewOneMatchPartly, "1 match in the first %1 read"},
    StringResource{str::kPreviewOneBinaryMatch, "Binary file: 1 match"},
    StringResource{str::kHexViewSpokenOffset, "Offset %1 of %2 bytes"},
    StringResource{str::kSpokenAccept, "Goes on with what the window shows and closes it"},
    StringResource{str::kSpokenReject, "Closes the window; nothing more is done"},
    StringResource{str::kConflictReplaceTip, "The item there is replaced by the new one"},
    StringResource{str::kConflictMergeTip, "The new folder's contents go into the folder there"},
    StringResource{str::kConflictSkipTip, "This item is left out; the others go on"},
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

} // namespace sifter
