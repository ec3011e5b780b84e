// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the process has running and open, as /proc shows it: for checks that a run leaves
// no thread or descriptor behind.
#include <dirent.h>

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

} // namespace sifter::test
