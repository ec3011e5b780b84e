// SPDX-License-Identifier: GPL-3.0-or-later
// Several processes on one store: forked writers that run at the same time, and a
// writer killed in the middle of its work.
#include "registry/registry_store.h"

#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace sifter {
namespace {

using test::ReadFileContent;
using test::TempTree;

constexpr RegistryRoot kUser = RegistryRoot::CurrentUser;
constexpr int kWritesPerProcess = 60;
constexpr int kValuesPerState = 200;

// Runs body in a child process; the child's exit code is 0 when body returned true.
pid_t Spawn(const std::function<bool()> &body)
{
    const pid_t pid = fork();
    if (pid == 0)
        _exit(body() ? 0 : 1);
    return pid;
}

int WaitFor(pid_t pid)
{
    int status = 0;
    if (waitpid(pid, &status, 0) != pid)
        return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

bool WriteOwnKeys(const std::string &folder, const std::string &writer)
{
    RegistryStore store(folder);
    for (int i = 0; i < kWritesPerProcess; ++i) {
        RegistryKey key;
        if (!store.CreateKey(kUser, "Writers\\" + writer + "\\Key" + std::to_string(i), key) ||
            !key.SetDword("n", static_cast<std::uint32_t>(i)) || !key.Close())
            return false;
        RegistryKey shared;
        if (!store.CreateKey(kUser, "Shared", shared) || !shared.SetString(writer + std::to_string(i), writer) ||
            !shared.Close())
            return false;
    }
    return true;
}

TEST(RegistryConcurrency, TwoProcessesWritingAtOnceKeepEachOthersKeys)
{
    TempTree tree;
    const std::string folder = tree.Path("store");
    const pid_t first = Spawn([&] { return WriteOwnKeys(folder, "a"); });
    const pid_t second = Spawn([&] { return WriteOwnKeys(folder, "b"); });
    ASSERT_EQ(WaitFor(first), 0);
    ASSERT_EQ(WaitFor(second), 0);

    RegistryStore store(folder);
    for (const std::string writer : {"a", "b"}) {
        for (int i = 0; i < kWritesPerProcess; ++i) {
            RegistryKey key;
            ASSERT_TRUE(store.OpenKey(kUser, "Writers\\" + writer + "\\Key" + std::to_string(i), key)) << writer << i;
            std::uint32_t n = 0xFFFFFFFF;
            std::uint32_t size = sizeof n;
            EXPECT_EQ(key.QueryValue("n", &n, size), QueryResult::Ok);
            EXPECT_EQ(n, static_cast<std::uint32_t>(i));
        }
    }
    RegistryKey shared;
    ASSERT_TRUE(store.OpenKey(kUser, "Shared", shared));
    EXPECT_EQ(shared.ValueCount(), static_cast<std::uint32_t>(2 * kWritesPerProcess));
}

// Writes states 1, 2, 3, ...: each replaces all values of "State" with its number.
[[noreturn]] void WriteStatesForever(const std::string &folder)
{
    RegistryStore store(folder);
    const std::string padding(100, 'p');
    for (std::uint32_t state = 1;; ++state) {
        RegistryKey key;
        if (!store.CreateKey(kUser, "State", key))
            _exit(1);
        for (int i = 0; i < kValuesPerState; ++i)
            key.SetString("v" + std::to_string(i), std::to_string(state) + padding);
        key.Close();
    }
}

TEST(RegistryConcurrency, WriterKilledMidWriteLeavesAWholeState)
{
    TempTree tree;
    const std::string folder = tree.Path("store");
    const std::string path = folder + "/HKEY_CURRENT_USER.reg";
    std::string lastState;
    for (int round = 0; round < 6; ++round) {
        const pid_t writer = fork();
        if (writer == 0)
            WriteStatesForever(folder);
        ASSERT_GT(writer, 0);
        std::this_thread::sleep_for(std::chrono::milliseconds(60 + 53 * round));
        kill(writer, SIGKILL);
        ASSERT_EQ(WaitFor(writer), 128 + SIGKILL);

        const std::string text = ReadFileContent(path);
        if (text.empty())
            continue; // killed before its first write
        RegistryNode root;
        const RegeditParseResult parsed = ParseRegeditText(text, "HKEY_CURRENT_USER", root);
        ASSERT_TRUE(parsed.recognised);
        EXPECT_FALSE(parsed.Lossy());
        const RegistryNode *state = root.FindSubkey("State");
        ASSERT_NE(state, nullptr);
        ASSERT_EQ(state->Values().size(), static_cast<std::size_t>(kValuesPerState));
        const std::string first = state->Values().front().data;
        for (const RegistryValue &value : state->Values())
            ASSERT_EQ(value.data, first) << "a mix of two states";
        lastState = first;
    }
    ASSERT_FALSE(lastState.empty()) << "no writer got to write";

    // The next writer finds the last whole state and tidies what the dead one left.
    RegistryStore store(folder);
    RegistryKey key;
    ASSERT_TRUE(store.CreateKey(kUser, "After", key));
    ASSERT_TRUE(key.Close());
    for (const auto &entry : std::filesystem::directory_iterator(folder))
        EXPECT_EQ(entry.path().filename().string().find(".tmp-"), std::string::npos) << entry.path();
    RegistryKey state;
    ASSERT_TRUE(store.OpenKey(kUser, "State", state));
    EXPECT_EQ(state.ValueCount(), static_cast<std::uint32_t>(kValuesPerState));
}

} // namespace
} // namespace sifter
