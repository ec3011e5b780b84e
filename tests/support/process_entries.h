// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the process has running and open, as /proc shows it: for checks that a run leaves
// no thread or descriptor behind.
#include <dirent.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <thread>

namespace sifter::test {

// Entries of a /proc folder such as /proc/self/task or /proc/self/fd ("." and ".." not
// counted), or -1 when it cannot be listed.
inline int CountProcEntries(const char *folder)
{
    DIR *dir = opendir(folder);
    if (!dir)
        return -1;
    int count = 0;
    while (const dirent *entry = readdir(dir)) {
        if (entry->d_name[0] != '.')
            ++count;
    }
    closedir(dir);
    return count;
}

// The threads of this process once those already joined are gone: the kernel drops a thread's
// /proc entry a moment after a join returns, so the count may stay one too high briefly.
// Waits up to a second for it to fall to expected; returns the last count.
inline int SettledThreadCount(int expected)
{
    int count = CountProcEntries("/proc/self/task");
    for (int i = 0; i < 100 && count > expected; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        count = CountProcEntries("/proc/self/task");
    }
    return count;
}

// Starts and joins a thread, and returns once its /proc entry is gone: a sanitizer starts a
// thread of its own when the process makes its first one, so that the threads counted
// afterwards are those a run leaves, not the sanitizer's or the one just joined.
inline void StartFirstThread()
{
    pid_t tid = 0;
    std::thread([&tid] { tid = gettid(); }).join();
    const std::string entry = "/proc/self/task/" + std::to_string(tid);
    struct stat status {};
    for (int i = 0; i < 100 && stat(entry.c_str(), &status) == 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
}

} // namespace sifter::test
