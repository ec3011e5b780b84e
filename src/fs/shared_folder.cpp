#include "fs/shared_folder.h"

#include <fcntl.h>
#include <new>
#include <unistd.h>

namespace sifter {

std::shared_ptr<const SharedFolder> SharedFolder::Duplicate(int folderFd)
{
    if (folderFd < 0)
        return nullptr;
    const int fd = fcntl(folderFd, F_DUPFD_CLOEXEC, 0);
    if (fd < 0)
        return nullptr;
    std::shared_ptr<const SharedFolder> folder(new (std::nothrow) SharedFolder(fd));
    if (!folder)
        close(fd); // nothing was read through it
    return folder;
}

SharedFolder::~SharedFolder()
{
    close(fd_); // only read through, so a failing close loses nothing
}

} // namespace sifter
