// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the file transfer tests share: a sink that answers from a list, views of a tree's
// entries, and folders on another file system.
#include "support/temp_tree.h"
#include "transfer/file_transfer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace sifter::test {

// Answers conflicts from a list (the last one repeats) and stops when told to.
class FakeSink : public TransferSink {
public:
    bool Progress(const TransferProgress &progress) override
    {
        ++progressCalls;
        last = progress;
        if (onProgress)
            onProgress(progressCalls);
        return stopAtCall == 0 || progressCalls < stopAtCall;
    }
    ConflictAnswer AskConflict(const std::string &source, const std::string &target, bool targetIsFolder,
                               bool &applyToAll) override
    {
        asked.push_back({source, target});
        askedFolder.push_back(targetIsFolder);
        applyToAll = answerForAll;
        const std::size_t index = std::min(asked.size(), answers.size()) - 1;
        return answers.empty() ? ConflictAnswer::kCancel : answers[index];
    }

    std::vector<ConflictAnswer> answers;
    bool answerForAll = false;
    int stopAtCall = 0;  // the Progress call that says stop; 0 never
    std::function<void(int)> onProgress;
    int progressCalls = 0;
    TransferProgress last;
    std::vector<std::pair<std::string, std::string>> asked;
    std::vector<bool> askedFolder;
};

inline mode_t ModeOf(const std::string &path)
{
    struct stat status {};
    return lstat(path.c_str(), &status) == 0 ? status.st_mode : 0;
}

inline ino_t InodeOf(const std::string &path)
{
    struct stat status {};
    return lstat(path.c_str(), &status) == 0 ? status.st_ino : 0;
}

inline std::int64_t MtimeOf(const std::string &path)
{
    struct stat status {};
    return lstat(path.c_str(), &status) == 0 ? status.st_mtim.tv_sec : -1;
}

inline std::string LinkTarget(const std::string &path)
{
    char buffer[4096];
    const ssize_t length = readlink(path.c_str(), buffer, sizeof buffer);
    return length < 0 ? std::string() : std::string(buffer, static_cast<std::size_t>(length));
}

// Relative paths below folder, with each file's content ("<folder>" for folders, "-> t" for links).
inline std::map<std::string, std::string> Snapshot(const std::string &folder)
{
    std::map<std::string, std::string> entries;
    for (const auto &entry : std::filesystem::recursive_directory_iterator(folder)) {
        const std::string path = entry.path().string();
        const std::string relative = path.substr(folder.size() + 1);
        if (entry.is_symlink())
            entries[relative] = "-> " + LinkTarget(path);
        else if (entry.is_directory())
            entries[relative] = "<folder>";
        else if (entry.is_fifo())
            entries[relative] = "<fifo>";  // opening it would wait for a writer
        else
            entries[relative] = ReadFileContent(path);
    }
    return entries;
}

inline std::string Bytes(std::size_t count, char seed)
{
    std::string text(count, '\0');
    for (std::size_t i = 0; i < count; ++i)
        text[i] = static_cast<char>(seed + static_cast<char>(i % 251));
    return text;
}

// A folder on /dev/shm, removed with everything in it. With otherThan, only when /dev/shm is
// another file system than that path's.
class ShmFolder {
public:
    explicit ShmFolder(const std::string &otherThan = {})
    {
        struct stat shm {};
        struct stat other {};
        std::string pattern = "/dev/shm/sifter-test-XXXXXX";
        if (stat("/dev/shm", &shm) != 0)
            return;
        if (!otherThan.empty() && (stat(otherThan.c_str(), &other) != 0 || shm.st_dev == other.st_dev))
            return;
        if (mkdtemp(pattern.data()))
            path_ = pattern;
    }
    ~ShmFolder()
    {
        std::error_code ignored;
        if (!path_.empty())
            std::filesystem::remove_all(path_, ignored);
    }
    const std::string &Path() const { return path_; }

private:
    std::string path_;
};

// Every file of the original tree is whole at its source or at its destination, and nothing
// else (a partial or temporary file) is at the destination.
inline void ExpectEveryFileAtOnePlace(const std::map<std::string, std::string> &original, const std::string &source,
                               const std::string &destination)
{
    for (const auto &[relative, content] : original) {
        if (content == "<folder>")
            continue;
        const bool atSource = EntryExists(source + "/" + relative);
        const bool atDestination = EntryExists(destination + "/" + relative);
        EXPECT_TRUE(atSource || atDestination) << relative;
        if (atSource) {
            EXPECT_EQ(ReadFileContent(source + "/" + relative), content) << relative;
        }
    }
    if (!EntryExists(destination))
        return;
    for (const auto &[relative, content] : Snapshot(destination)) {
        ASSERT_TRUE(original.count(relative)) << "unexpected " << relative;
        EXPECT_EQ(content, original.at(relative)) << relative;
    }
}

inline void MakeManyFiles(const std::string &folder, int count)
{
    for (int i = 0; i < count; ++i) {
        const std::string part = folder + "/part " + std::to_string(i % 3);
        std::filesystem::create_directories(part);
        std::ofstream(part + "/file " + std::to_string(i), std::ios::binary)
            << Bytes(static_cast<std::size_t>(i % 50 * 97), static_cast<char>('a' + i % 20));
    }
}

} // namespace sifter::test
