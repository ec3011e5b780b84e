// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Open With" for a file no default application opens: the desktop portal's chooser where a
// portal runs, else our own dialog of the applications (those registered for the file's type
// first) or a command the user names.
#include <QWidget>

#include <string>

namespace sifter {

class Application;
class DesktopPortal;

// Lets the user choose the program that opens the file at path (bytes; a folder's ends in "/")
// and starts it; with "Always use" ticked in our dialog, the choice becomes the type's default
// in the user's mimeapps.list. A program that does not start, or a choice that cannot be kept,
// is reported to the user.
void OpenWithChosenProgram(Application &app, const DesktopPortal &portal, const std::string &path, bool isFolder,
                           QWidget *parent);

} // namespace sifter
