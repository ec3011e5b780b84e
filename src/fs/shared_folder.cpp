// SPDX-License-Identifier: GPL-3.0-or-later
#include "fs/shared_folder.h"

#include <new>
#include <unistd.h>

namespace sifter {

std::shared_ptr<const SharedFolder> SharedFolder::Adopt(int folderFd)
{
    const SharedFolder *folder = new (std::nothrow) SharedFolder(folderFd);
    if (!folder) {
        close(folderFd); // only read through, so nothing is lost
        return nullptr;
    }
    try {
        return std::shared_ptr<const SharedFolder>(folder);
    } catch (const std::bad_alloc &) {
        return nullptr; // the folder was deleted, and its descriptor closed, by the failed pointer
    }
}

SharedFolder::~SharedFolder()
{
    close(fd_); // only read through, so a failing close loses nothing
}

} // namespace sifter
