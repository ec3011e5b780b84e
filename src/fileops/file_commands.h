// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The File menu's commands on the results list's selected files that hand them to the
// desktop (Open, Open Containing Folder, Properties), and the guard every file command takes
// its records through.
#include <QWidget>

#include <string>
#include <vector>

namespace sifter {

class Application;
class ResultRows;
class DesktopFileManager;
class DesktopPortal;
struct FoundFile;

// The records of the list's selected rows, in row order, that file commands may act on;
// the rows left out (see file_command_guard.h) are named to the user in one message.
std::vector<FoundFile *> SelectedRecordsForFileCommand(const ResultRows &list, Application &app);
// The first selected row's record when file commands may act on it; null when none is
// selected or it was left out (then the user is told).
FoundFile *FirstSelectedRecordForFileCommand(const ResultRows &list, Application &app);

// The record's path, with a trailing "/" for a folder, as Open and Properties name it.
std::string FileCommandPath(const FoundFile &record);

// Opens each usable selected row with the desktop's default application, in row order; a
// folder row opens the folder. A file whose type has no application, or that the opener does
// not take, goes to "Open With" (the portal's chooser, else our own dialog owned by parent);
// the rows with nothing to choose from are named in one error.
void OpenSelectedFiles(const ResultRows &list, Application &app, const DesktopPortal &portal, QWidget *parent);

// Open Containing Folder: the file manager shows the usable selected files selected in their
// folders (one call for all); without one, each containing folder is opened once, in row order.
void RevealSelectedFiles(const ResultRows &list, Application &app, const DesktopFileManager &fileManager);

// Properties of the first selected row: the file manager's window; without one, a properties
// dialog of our own, owned by parent and deleted when closed. An entry that cannot be
// examined is reported.
void ShowSelectedProperties(const ResultRows &list, Application &app, const DesktopFileManager &fileManager,
                            QWidget *parent);

} // namespace sifter
