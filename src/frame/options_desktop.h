// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The desktop's side of the Options dialog, behind an interface so that the dialog can be
// tested without touching the user's desktop: what each button does after the registry keys,
// and what is in place now. UserDesktop (user_desktop.h) is the real one.
#include "desktop/desktop_integration.h"

#include <string>
#include <vector>

namespace sifter {

class OptionsDesktop {
public:
    virtual ~OptionsDesktop() = default;

    // The running program's absolute path, which the registry keys name.
    virtual std::string ProgramPath() = 0;

    // Each as RegisterDesktopFileType and its relatives (desktop_integration.h): false with
    // the reasons when something failed.
    virtual bool RegisterFileType(std::string &error) = 0;
    virtual bool UnregisterFileType(std::string &error) = 0;
    virtual FileTypeState ReadFileTypeState() = 0;
    virtual bool AddFolderActions(std::vector<std::string> &errors) = 0;
    virtual bool RemoveFolderActions(std::vector<std::string> &errors) = 0;
    virtual FolderActionState ReadFolderActionState() = 0;
    // The file manager's name as users know it ("Dolphin").
    virtual std::string FileManagerName(FileManagerKind kind) = 0;
};

} // namespace sifter
