#pragma once
// What the process has running and open, as /proc shows it: for checks that a run leaves
// no thread or descriptor behind.
#include <dirent.h>

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

} // namespace sifter::test
