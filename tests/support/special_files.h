// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Entries that are not plain files or folders, made for the platform tests.
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <string>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace sifter::test {

inline void MakeFifo(const std::string &path)
{
    if (mkfifo(path.c_str(), 0644) != 0)
        throw std::runtime_error("mkfifo failed: " + path);
}

inline void MakeLink(const std::string &target, const std::string &path)
{
    if (symlink(target.c_str(), path.c_str()) != 0)
        throw std::runtime_error("symlink failed: " + path);
}

// A bound Unix socket file; the descriptor is closed, the file stays.
inline void MakeSocketFile(const std::string &path)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof(address.sun_path))
        throw std::runtime_error("socket path too long: " + path);
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    if (fd < 0)
        throw std::runtime_error("socket failed");
    const int bound = bind(fd, reinterpret_cast<const sockaddr *>(&address), sizeof(address));
    close(fd);
    if (bound != 0)
        throw std::runtime_error("bind failed: " + path);
}

// True when permission bits do not stop this process (root, CAP_DAC_OVERRIDE):
// probed on the real folder rather than guessed from the user id.
inline bool PermissionsIgnored(const std::string &unreadableFolder)
{
    const int fd = open(unreadableFolder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    close(fd);
    return true;
}

// FileTime of a Unix time, computed here independently of the code under test.
inline std::uint64_t ExpectedFileTime(std::int64_t seconds, std::int64_t nanoseconds = 0)
{
    constexpr std::int64_t kEpoch = 116'444'736'000'000'000LL;
    return static_cast<std::uint64_t>(kEpoch + seconds * 10'000'000LL + nanoseconds / 100);
}

} // namespace sifter::test
