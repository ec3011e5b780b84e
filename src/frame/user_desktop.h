// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Options dialog's desktop side for the running user and program: the folders of
// CurrentDesktopFolders, read once, and the functions of desktop_integration.h.
#include "frame/options_desktop.h"

namespace sifter {

class UserDesktop final : public OptionsDesktop {
public:
    UserDesktop();

    std::string ProgramPath() override;
    bool RegisterFileType(std::string &error) override;
    bool UnregisterFileType(std::string &error) override;
    FileTypeState ReadFileTypeState() override;
    bool AddFolderActions(std::vector<std::string> &errors) override;
    bool RemoveFolderActions(std::vector<std::string> &errors) override;
    FolderActionState ReadFolderActionState() override;
    std::string FileManagerName(FileManagerKind kind) override;

private:
    DesktopFolders folders_;
};

} // namespace sifter
