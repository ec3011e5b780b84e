// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Numeric ids of the program's resources: commands (menu, toolbar and accelerator entries
// share them), strings, menus, dialogs, controls and icons. Ids keep the values the
// program has always used, so that stored settings and tables stay valid.
#include <cstdint>

namespace sifter {

using CommandId = std::uint32_t;
using StringId = std::uint32_t;
using ResourceId = std::uint32_t;

namespace cmd {
// File menu
inline constexpr CommandId kFileNew = 57600;            // "&New Search"
inline constexpr CommandId kFileOpen = 57601;           // "O&pen Result File..."
inline constexpr CommandId kFileSave = 57603;           // "&Save Result"
inline constexpr CommandId kFileSaveAs = 57604;         // "Save Result &As..."
inline constexpr CommandId kFileMruFirst = 57616;       // first recent result file
inline constexpr CommandId kFileMruLast = 57619;        // fourth recent result file
inline constexpr CommandId kOpenContainingFolder = 32792;
inline constexpr CommandId kOpen = 32799;
inline constexpr CommandId kHexView = 32791;
inline constexpr CommandId kRename = 32796;
inline constexpr CommandId kDelete = 32797;
inline constexpr CommandId kProperties = 32798;
inline constexpr CommandId kExcludeFolder = 32810;      // "E&xclude This Folder"
inline constexpr CommandId kAppExit = 57665;
// Edit menu
inline constexpr CommandId kEditCopy = 57634;
inline constexpr CommandId kEditCut = 57635;
inline constexpr CommandId kCopyToFolder = 32794;
inline constexpr CommandId kMoveToFolder = 32795;
inline constexpr CommandId kEditSelectAll = 57642;
inline constexpr CommandId kInvertSelection = 32793;
// View menu
inline constexpr CommandId kViewToolbar = 59392;
inline constexpr CommandId kViewStatusBar = 59393;
inline constexpr CommandId kWindowSplit = 57653;
inline constexpr CommandId kViewPreviewPane = 32806;    // "Pre&view Pane", F3
inline constexpr CommandId kViewSmallIcons = 59408;
inline constexpr CommandId kViewLargeIcons = 59409;
inline constexpr CommandId kViewList = 59410;
inline constexpr CommandId kViewDetails = 59411;
inline constexpr CommandId kViewModeRangeLast = 59413;  // the view-mode range ends here
// View > Arrange Icons By: the column ids (32779 names no column)
inline constexpr CommandId kArrangeByName = 32771;
inline constexpr CommandId kArrangeByFolder = 32772;
inline constexpr CommandId kArrangeBySize = 32773;
inline constexpr CommandId kArrangeByType = 32774;
inline constexpr CommandId kArrangeByModified = 32775;
inline constexpr CommandId kArrangeByCreated = 32776;
inline constexpr CommandId kArrangeByVisited = 32777;
inline constexpr CommandId kArrangeByAttributes = 32778;
inline constexpr CommandId kArrangeUnused = 32779;
inline constexpr CommandId kArrangeByShortName = 32780;
// Header menu: show or hide a column
inline constexpr CommandId kToggleName = 32781;
inline constexpr CommandId kToggleFolder = 32782;
inline constexpr CommandId kToggleSize = 32783;
inline constexpr CommandId kToggleType = 32784;
inline constexpr CommandId kToggleModified = 32785;
inline constexpr CommandId kToggleCreated = 32786;
inline constexpr CommandId kToggleVisited = 32787;
inline constexpr CommandId kToggleAttributes = 32788;
inline constexpr CommandId kToggleShortName = 32789;
// Tools menu
inline constexpr CommandId kClearHistories = 32801;
inline constexpr CommandId kOptions = 32804;
// Help menu
inline constexpr CommandId kHelpIndex = 57666;          // "&Online Help", F1
inline constexpr CommandId kWebSite = 32805;
inline constexpr CommandId kAppAbout = 57664;
// Keyboard only
inline constexpr CommandId kNextPane = 57680;
inline constexpr CommandId kPrevPane = 57681;
inline constexpr CommandId kSearchAgain = 32807;       // the Search button's run, F5
inline constexpr CommandId kFocusNameBox = 32808;      // Ctrl+F
inline constexpr CommandId kFocusFolderBox = 32809;    // Ctrl+L
} // namespace cmd

namespace str {
inline constexpr StringId kDocString = 128;             // the document template's fields
inline constexpr StringId kObjects = 130;               // "%1 objects"
inline constexpr StringId kObjectsSelected = 131;       // "%1 objects selected"
inline constexpr StringId kTipType = 132;
inline constexpr StringId kStop = 133;                  // "&Stop"
inline constexpr StringId kSearch = 134;                // "&Search"
inline constexpr StringId kBannerTitle = 135;           // "Norvane Search"
inline constexpr StringId kChooseSearchFolder = 136;
inline constexpr StringId kChooseCopyFolder = 137;
inline constexpr StringId kChooseMoveFolder = 138;
inline constexpr StringId kTipDateModified = 139;
inline constexpr StringId kTipFolder = 140;
inline constexpr StringId kTipDescription = 141;
inline constexpr StringId kTipCompany = 142;
inline constexpr StringId kTipDateCreated = 143;
inline constexpr StringId kTipSize = 144;
inline constexpr StringId kTipFileVersion = 145;
inline constexpr StringId kTitleFormat = 146;           // "%s %s In %s"
inline constexpr StringId kNoMoreMatches = 147;
inline constexpr StringId kAskClearHistories = 148;
inline constexpr StringId kVerbKeyFormat = 150;         // "%1\Shell\Sifter\command"
inline constexpr StringId kOperationDone = 151;
inline constexpr StringId kAboutText = 152;
inline constexpr StringId kAppName = 57344;             // "Sifter"
inline constexpr StringId kIdleMessage = 57345;         // "Ready"
// Messages of the document commands.
inline constexpr StringId kAskToSave = 61442;           // "Save changes to %1?"
inline constexpr StringId kFailedToSave = 61443;
inline constexpr StringId kAllFilesFilter = 61444;
inline constexpr StringId kSaveAsTitle = 61445;
inline constexpr StringId kOpenTitle = 61446;
inline constexpr StringId kNoProgramForAddress = 61447;  // "No program could open %1."
inline constexpr StringId kParseUnsigned = 61448;        // a number box that holds no unsigned number
inline constexpr StringId kResultFileTooLarge = 61449;   // "%1" a result file, "%2" the memory its rows need, "%3" the limit
inline constexpr StringId kSettingsSetAside = 61450;     // settings files the store set aside ("%1")
// Rows of a result file that file commands leave alone ("%1": one line per row).
inline constexpr StringId kRowsSkipped = 61451;
// One line per skipped row: "%1" its number, "%2" its name.
inline constexpr StringId kSkippedEmptyName = 61452;
inline constexpr StringId kSkippedNameWithSeparator = 61453;
inline constexpr StringId kSkippedDotName = 61454;
inline constexpr StringId kSkippedRelativeFolder = 61455;
inline constexpr StringId kSkippedDotInFolder = 61478;
inline constexpr StringId kSkippedOutsideSearch = 61479;
// The properties dialog shown when no file manager answers: its title ("%1" the name),
// its field labels, the size ("%1" the short size, "%2" the bytes), and its failure.
inline constexpr StringId kPropertiesTitle = 61456;
inline constexpr StringId kPropertyPath = 61457;
inline constexpr StringId kPropertyType = 61458;
inline constexpr StringId kPropertySize = 61459;
inline constexpr StringId kPropertyModified = 61460;
inline constexpr StringId kPropertyCreated = 61461;
inline constexpr StringId kPropertyAccessed = 61462;
inline constexpr StringId kPropertyPermissions = 61463;
inline constexpr StringId kPropertyLinkTarget = 61464;
inline constexpr StringId kPropertySizeText = 61465;
inline constexpr StringId kPropertiesUnreadable = 61466;
// A refused rename: the new name's faults, an existing name ("%1" old, "%2" new name), and
// the system's refusal ("%1" the name, "%2" the reason).
inline constexpr StringId kRenameEmptyName = 61467;
inline constexpr StringId kRenameNameWithSeparator = 61468;
inline constexpr StringId kRenameDotName = 61469;
inline constexpr StringId kRenameExists = 61470;
inline constexpr StringId kRenameFailed = 61471;
// Delete's questions ("%1" the name or the count) and failures ("%1" the path, "%2" the reason).
inline constexpr StringId kAskTrashOne = 61472;
inline constexpr StringId kAskTrashMany = 61473;
inline constexpr StringId kAskEraseOne = 61474;
inline constexpr StringId kAskEraseMany = 61475;
inline constexpr StringId kAskEraseUntrashable = 61476;
inline constexpr StringId kEraseFailed = 61477;
// What is at a found file's path now that it is not what the search found: the kinds ("a
// file"), what is there ("a file of %1" the size, "a folder of %1 items"), the sentence that
// says so ("%1" the name, "%2" what was found, "%3" what is there; for a changed file "%2"
// what is there and "%3" its modification time), and the questions that offer to act on it
// anyway ("%1" that sentence).
inline constexpr StringId kEntryKindFile = 61480;
inline constexpr StringId kEntryKindFolder = 61481;
inline constexpr StringId kEntryKindLink = 61482;
inline constexpr StringId kEntryKindSpecial = 61483;
inline constexpr StringId kEntryFileOfSize = 61484;
inline constexpr StringId kEntryEmptyFolder = 61485;
inline constexpr StringId kEntryFolderOneItem = 61486;
inline constexpr StringId kEntryFolderItems = 61487;
inline constexpr StringId kEntryKindChanged = 61488;
inline constexpr StringId kEntryContentChanged = 61489;
inline constexpr StringId kEntryUnreadable = 61490;       // "%1" the path, "%2" the reason
inline constexpr StringId kAskTrashAnyway = 61491;
inline constexpr StringId kAskEraseAnyway = 61492;
inline constexpr StringId kAskRenameAnyway = 61493;
inline constexpr StringId kAskMoveAnyway = 61494;
// Erasing folders: one ("%1" the name, "%2" what it is), several items of which some are
// folders ("%1" the count, "%2" the folders, "%3" a line for each: "%1" its name, "%2" what
// it is), a folder the Trash refuses ("%1" the path, "%2" the reason, "%3" what it is); the
// check box that gives the same answer to the questions of the same kind that follow.
inline constexpr StringId kAskEraseFolder = 61495;
inline constexpr StringId kAskEraseManyWithFolders = 61496;
inline constexpr StringId kAskEraseUntrashableFolder = 61497;
inline constexpr StringId kApplyToAllSuch = 61498;
inline constexpr StringId kEraseFolderLine = 61499;
// Copy to Folder and Move To Folder: the progress window's titles and lines ("%1" the
// destination folder; the file count), the failures ("%1" one line per item, each "%1: %2",
// the path and the reason), and the name-conflict question ("%1" the name, "%2" the folder).
inline constexpr StringId kCopyingTitle = 61500;
inline constexpr StringId kMovingTitle = 61501;
inline constexpr StringId kCopyingTo = 61502;
inline constexpr StringId kMovingTo = 61503;
inline constexpr StringId kTransferFileCount = 61504;
inline constexpr StringId kCopyFailures = 61505;
inline constexpr StringId kMoveFailures = 61506;
inline constexpr StringId kTransferFailureLine = 61507;
inline constexpr StringId kConflictTitle = 61508;
inline constexpr StringId kConflictFileExists = 61509;
inline constexpr StringId kConflictFolderExists = 61510;
inline constexpr StringId kConflictReplace = 61511;
inline constexpr StringId kConflictMerge = 61512;
inline constexpr StringId kConflictSkip = 61513;
inline constexpr StringId kConflictRename = 61514;
inline constexpr StringId kConflictRenameTip = 61515;
inline constexpr StringId kTransferCancel = 61516;
inline constexpr StringId kConflictApplyToAll = 61517;
// Why a command typed for "Other program..." in the chooser is refused: one reason for each
// way its quoting or field codes are malformed, and a program that is not there ("%1").
inline constexpr StringId kCommandUnclosedQuote = 61540;
inline constexpr StringId kCommandQuoteInsideArgument = 61541;
inline constexpr StringId kCommandStrayBackslash = 61542;
inline constexpr StringId kCommandCodeInQuotes = 61543;
inline constexpr StringId kCommandUnknownCode = 61544;
inline constexpr StringId kCommandCodeNotAlone = 61545;
inline constexpr StringId kCommandTwoFileCodes = 61546;
inline constexpr StringId kCommandNoProgram = 61547;
inline constexpr StringId kCommandRelativeProgram = 61548;
inline constexpr StringId kCommandProgramMissing = 61549;
// The chooser of the program that opens a file without a default one: its title, its
// question ("%1" the file's name), and a program that did not start ("%1" the program's
// name, "%2" the file, "%3" the reason).
inline constexpr StringId kOpenWithTitle = 61550;
inline constexpr StringId kOpenWithPrompt = 61551;
inline constexpr StringId kOpenWithStartFailed = 61552;
inline constexpr StringId kOpenWithBadExec = 61553;       // the reason when its command line is malformed
// Its search field's hint, the heading above the applications that do not declare the type,
// the row that takes a command, the command field's label and hint, the box that keeps the
// choice ("%1" the type's description, "%2" its MIME name), and a choice that could not be
// kept ("%1" the program, "%2" the MIME type, "%3" the reason).
inline constexpr StringId kOpenWithSearchHint = 61554;
inline constexpr StringId kOpenWithOtherApplications = 61555;
inline constexpr StringId kOpenWithOtherProgram = 61556;
inline constexpr StringId kOpenWithCommandLabel = 61557;
inline constexpr StringId kOpenWithCommandHint = 61558;
inline constexpr StringId kOpenWithAlwaysUse = 61559;
inline constexpr StringId kOpenWithRememberFailed = 61560;
// The Options dialog's lines of what is in place: the result-file type ("%1" another default
// application), the folder actions ("%1" the file managers), and a failure ("%1" the reasons).
inline constexpr StringId kOptionsTypeRegistered = 61570;
inline constexpr StringId kOptionsTypeOtherDefault = 61571;
inline constexpr StringId kOptionsTypeNotRegistered = 61572;
inline constexpr StringId kOptionsActionsInstalled = 61573;
inline constexpr StringId kOptionsActionsNotInstalled = 61574;
inline constexpr StringId kOptionsFailure = 61575;
inline constexpr StringId kOptionsReasonSeparator = 61576;  // between two reasons of one line
// A file the window does not open ("%1" its path): one that cannot be read ("%2" the
// system's reason), one that is not a result file, one cut short inside its header.
inline constexpr StringId kResultFileUnreadable = 61590;
inline constexpr StringId kNotAResultFile = 61591;
inline constexpr StringId kResultFileHeaderCut = 61592;
// Settings files too large to be one, left as they are ("%1" one a line).
inline constexpr StringId kSettingsTooLarge = 61593;
// The preview pane: its header ("%1" the count of matches, "%2" how much was read), the
// line after the shown ones, the forms a match was found in, and what it says instead of
// lines ("%1" the file's name or the reason).
inline constexpr StringId kPreviewMatches = 61600;
inline constexpr StringId kPreviewMatchesPartly = 61601;
inline constexpr StringId kPreviewMore = 61602;
inline constexpr StringId kPreviewFolder = 61603;
inline constexpr StringId kPreviewUnreadable = 61604;
inline constexpr StringId kPreviewRefused = 61605;
inline constexpr StringId kPreviewUtf16 = 61606;
inline constexpr StringId kPreviewUtf8 = 61607;
inline constexpr StringId kPreviewBinary = 61608;
inline constexpr StringId kPreviewFileFacts = 61609;   // "%1" type, "%2" size, "%3" modified, "%4" created
inline constexpr StringId kPreviewNoLongerMatches = 61610;
inline constexpr StringId kPreviewOffsets = 61611;
inline constexpr StringId kPreviewChanged = 61612;
inline constexpr StringId kPreviewReading = 61613;
inline constexpr StringId kPreviewFirstLines = 61614;
// The header for a single match, in full, partly read and in a binary file.
inline constexpr StringId kPreviewOneMatch = 61615;
inline constexpr StringId kPreviewOneMatchPartly = 61616;
inline constexpr StringId kPreviewOneBinaryMatch = 61617;
// What a screen reader says of the Hex View's place ("%1" the top line's offset, "%2" the size).
inline constexpr StringId kHexViewSpokenOffset = 61618;
// What a screen reader says of a dialog's buttons that have no tooltip: those that accept or
// reject the dialog, and the Name Conflict's choices.
inline constexpr StringId kSpokenAccept = 61619;
inline constexpr StringId kSpokenReject = 61620;
inline constexpr StringId kConflictReplaceTip = 61621;
inline constexpr StringId kConflictMergeTip = 61622;
inline constexpr StringId kConflictSkipTip = 61623;
} // namespace str

namespace res {
inline constexpr ResourceId kMainResource = 128;        // main menu, toolbar, accelerators, icon, template
inline constexpr ResourceId kMenuMain = 128;
inline constexpr ResourceId kMenuColumns = 137;         // "POPCOLUMN"
inline constexpr ResourceId kMenuItems = 141;           // "POPMAIN"
inline constexpr ResourceId kToolbarMain = 128;
inline constexpr ResourceId kAcceleratorsMain = 128;
inline constexpr ResourceId kIconMain = 128;
inline constexpr ResourceId kIconCollapsed = 132;
inline constexpr ResourceId kIconExpanded = 133;
inline constexpr ResourceId kStatusPaneMessage = 128;   // indicator id of status pane 0
inline constexpr ResourceId kStatusPaneBanner = 135;    // indicator id of status pane 1
inline constexpr ResourceId kDialogAbout = 100;
inline constexpr ResourceId kDialogCriteria = 130;
// The criteria panels (the pane's section bodies).
inline constexpr ResourceId kDialogFileSize = 131;
inline constexpr ResourceId kDialogWordOptions = 132;
inline constexpr ResourceId kDialogDateTime = 133;
inline constexpr ResourceId kDialogAttributes = 134;
inline constexpr ResourceId kDialogExclude = 136;
// The Hex View window and its viewing area.
inline constexpr ResourceId kDialogHexPane = 139;
inline constexpr ResourceId kDialogHexView = 140;
inline constexpr ResourceId kDialogOptions = 142;
inline constexpr int kRecentFileCount = 4;
inline constexpr int kRecentFileMenuWidth = 30;         // characters shown of a recent file's path
} // namespace res

namespace ctl {
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kAboutText = 1048;
inline constexpr int kOnlineHelpLink = 57666;
inline constexpr int kWebSiteLink = 32805;
// Criteria pane (dialog 130)
inline constexpr int kNameLabel = 1020;
inline constexpr int kNameBox = 1002;
inline constexpr int kWordsBox = 1003;
inline constexpr int kFolderBox = 1004;
inline constexpr int kWordOptionsButton = 1005;
inline constexpr int kBrowseButton = 1006;
inline constexpr int kFileSizeButton = 1007;
inline constexpr int kDateTimeButton = 1008;
inline constexpr int kAttributesButton = 1009;
inline constexpr int kSearchButton = 1010;
inline constexpr int kFolderLabel = 1015;
inline constexpr int kExcludeButton = 1016;
inline constexpr int kNameExpression = 1017;

// Controls of the criteria panels; each panel numbers its own, so ids repeat across them.
namespace wordopt {  // Word Options (dialog 132)
inline constexpr int kAnyWords = 1005;      // first of the word-mode radio group
inline constexpr int kAllWords = 1017;
inline constexpr int kExactPhrase = 1018;
inline constexpr int kWithoutWords = 1020;
inline constexpr int kHexadecimal = 1021;
inline constexpr int kUnicodeUtf8 = 1022;
inline constexpr int kExpression = 1023;
} // namespace wordopt

namespace filesize {  // File Size (dialog 131)
inline constexpr int kUnit = 1011;
inline constexpr int kCompare1 = 1012;
inline constexpr int kCompare2 = 1013;
inline constexpr int kValue1 = 1014;
inline constexpr int kValue2 = 1015;
} // namespace filesize

namespace datetime {  // Date Time (dialog 133)
inline constexpr int kKind = 1022;
inline constexpr int kPart = 1023;
inline constexpr int kCompare1 = 1028;
inline constexpr int kDate1 = 1024;
inline constexpr int kTime1 = 1025;
inline constexpr int kCompare2 = 1014;
inline constexpr int kDate2 = 1026;
inline constexpr int kTime2 = 1027;
inline constexpr int kRelative1 = 1031; // "As picked", or counted back from the run's start
inline constexpr int kCount1 = 1032;
inline constexpr int kRelative2 = 1033;
inline constexpr int kCount2 = 1034;
} // namespace datetime

namespace exclude {  // Exclude (dialog 136)
inline constexpr int kLabel = 1029;
inline constexpr int kBox = 1030;
} // namespace exclude

namespace hexview {  // Hex View (dialog 140)
inline constexpr int kSearchText = 1034;
inline constexpr int kHexadecimal = 1021;
inline constexpr int kSearch = 1010;
inline constexpr int kPaneTop = 1037;       // the etched line the pane starts at
} // namespace hexview

namespace options {  // Options (dialog 142)
inline constexpr int kRegister = 1039;
inline constexpr int kUnregister = 1040;
inline constexpr int kAddVerb = 1041;
inline constexpr int kRemoveVerb = 1042;
inline constexpr int kFileTypeState = 1043;    // the line under each group of what is in place
inline constexpr int kFolderActionState = 1044;
} // namespace options

namespace attrib {  // Attributes (dialog 134)
inline constexpr int kReadOnly = 1019;
inline constexpr int kHidden = 1020;
inline constexpr int kSystem = 1021;
inline constexpr int kSubfolders = 1022;
inline constexpr int kCaseSensitive = 1024;
inline constexpr int kShortNames = 1025;    // never shown
} // namespace attrib
} // namespace ctl

} // namespace sifter
