// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An open folder shared by work that outlives the listing which opened it, such as the
// content tests of its files on other threads: a descriptor of its own, closed with the
// last holder.
#include <memory>

namespace sifter {

class SharedFolder {
public:
    // Takes folderFd over; null (and folderFd closed) when there is no memory for it.
    static std::shared_ptr<const SharedFolder> Adopt(int folderFd);
    ~SharedFolder();
    SharedFolder(const SharedFolder &) = delete;
    SharedFolder &operator=(const SharedFolder &) = delete;

    int Descriptor() const { return fd_; }

private:
    explicit SharedFolder(int fd) : fd_(fd) {}
    int fd_;
};

} // namespace sifter
