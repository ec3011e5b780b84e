#pragma once
// "Open With" for a file no default application opens: the desktop portal's chooser where a
// portal runs, else our own dialog of the applications registered for the file's type.
#include <QWidget>

#include <string>

namespace sifter {

class Application;
class DesktopPortal;

// Lets the user choose the program that opens the file at path (bytes; a folder's ends in "/")
// and starts it. False when there is nothing to choose from: no portal, and no application
// declares the file's type. A program that does not start is reported to the user.
bool OpenWithChosenProgram(Application &app, const DesktopPortal &portal, const std::string &path, bool isFolder,
                           QWidget *parent);

} // namespace sifter
