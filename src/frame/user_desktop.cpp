// SPDX-License-Identifier: GPL-3.0-or-later
#include "frame/user_desktop.h"

namespace sifter {

UserDesktop::UserDesktop() : folders_(CurrentDesktopFolders()) {}

std::string UserDesktop::ProgramPath()
{
    return folders_.programPath;
}

bool UserDesktop::RegisterFileType(std::string &error)
{
    return RegisterDesktopFileType(folders_, error);
}

bool UserDesktop::UnregisterFileType(std::string &error)
{
    return UnregisterDesktopFileType(folders_, error);
}

FileTypeState UserDesktop::ReadFileTypeState()
{
    return ReadDesktopFileTypeState(folders_);
}

bool UserDesktop::AddFolderActions(std::vector<std::string> &errors)
{
    return sifter::AddFolderActions(folders_, errors);
}

bool UserDesktop::RemoveFolderActions(std::vector<std::string> &errors)
{
    return sifter::RemoveFolderActions(folders_, errors);
}

FolderActionState UserDesktop::ReadFolderActionState()
{
    return sifter::ReadFolderActionState(folders_);
}

std::string UserDesktop::FileManagerName(FileManagerKind kind)
{
    return sifter::FileManagerName(kind);
}

} // namespace sifter
