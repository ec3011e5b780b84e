// SPDX-License-Identifier: GPL-3.0-or-later
// The pool's tasks: how many workers run them at once, and the calling thread running the
// next one while it would wait.
#include "search/search_pool.h"
#include "search/search_criteria.h"
#include "search/slow_steps.h"
#include "support/temp_tree.h"

#include <fcntl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace sifter {
namespace {

// Counts the tasks running at once; each stays until another runs beside it, or a while.
struct Overlap {
    std::atomic<int> running{0};
    std::atomic<int> most{0};
    std::atomic<int> ran{0};
};

class OverlapTask : public PoolTask {
public:
    explicit OverlapTask(Overlap &overlap) : overlap_(overlap) {}
    void Run(const std::atomic<bool> &) override
    {
        const int now = ++overlap_.running;
        int most = overlap_.most.load();
        while (now > most && !overlap_.most.compare_exchange_weak(most, now)) {
        }
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::milliseconds(20);
        while (overlap_.running.load() < 2 && std::chrono::steady_clock::now() < giveUp)
            std::this_thread::yield();
        ranOn = std::this_thread::get_id();
        --overlap_.running;
        ++overlap_.ran;
    }
    std::thread::id ranOn;

private:
    Overlap &overlap_;
};

std::vector<std::shared_ptr<OverlapTask>> QueueTasks(SearchPool &pool, Overlap &overlap, int count)
{
    std::vector<std::shared_ptr<OverlapTask>> tasks;
    for (int i = 0; i < count; ++i) {
        tasks.push_back(std::make_shared<OverlapTask>(overlap));
        pool.Queue(tasks.back());
    }
    pool.Wake();
    pool.Kick();
    return tasks;
}

void AwaitAll(const std::vector<std::shared_ptr<OverlapTask>> &tasks)
{
    for (const auto &task : tasks)
        task->WaitDone();
}

TEST(SearchPoolTasks, AtMostTheTaskWorkersRunTasksAtOnceAndARiseWakesTheOthers)
{
    SearchPool pool(4, 16, {}); // a run without a content test: three workers
    ASSERT_EQ(pool.Workers(), 3u);
    pool.SetTaskWorkers(1);
    Overlap one;
    AwaitAll(QueueTasks(pool, one, 12));
    EXPECT_EQ(one.ran.load(), 12);
    EXPECT_EQ(one.most.load(), 1);

    // Tasks queued while only one may run: raising the limit lets the sleeping ones in.
    Overlap all;
    const auto tasks = QueueTasks(pool, all, 12);
    pool.SetTaskWorkers(3);
    AwaitAll(tasks);
    EXPECT_EQ(all.ran.load(), 12);
    EXPECT_GE(all.most.load(), 2);
}

// Holds its worker until released.
class GateTask : public PoolTask {
public:
    void Run(const std::atomic<bool> &) override
    {
        started = true;
        while (!released)
            std::this_thread::yield();
    }
    std::atomic<bool> started{false};
    std::atomic<bool> released{false};
};

TEST(SearchPoolTasks, TheCallingThreadRunsTheNextWaitingTaskItself)
{
    SearchPool pool(2, 16, {}); // one worker, held by the gate
    auto gate = std::make_shared<GateTask>();
    pool.Queue(gate);
    pool.Wake();
    while (!gate->started)
        std::this_thread::yield();
    Overlap overlap;
    auto first = std::make_shared<OverlapTask>(overlap);
    auto second = std::make_shared<OverlapTask>(overlap);
    pool.Queue(first);
    pool.Queue(second);
    pool.Prioritize({second.get(), first.get()});
    ASSERT_TRUE(pool.RunNextHere());
    EXPECT_TRUE(second->Done());
    EXPECT_EQ(second->ranOn, std::this_thread::get_id());
    EXPECT_FALSE(first->Done());
    ASSERT_TRUE(pool.RunNextHere());
    EXPECT_EQ(first->ranOn, std::this_thread::get_id());
    EXPECT_FALSE(pool.RunNextHere());
    gate->released = true;
    gate->WaitDone();
}

TEST(SearchPoolWorkers, OnlyTheFirstWorkersStartUntilAllAreAskedFor)
{
    SearchPool pool(5, 16, {}, 1); // four workers for a run without a content test
    EXPECT_EQ(pool.Workers(), 1u);
    Overlap first;
    AwaitAll(QueueTasks(pool, first, 6));
    EXPECT_EQ(first.ran.load(), 6);
    EXPECT_EQ(first.most.load(), 1);
    pool.StartAllWorkers();
    EXPECT_EQ(pool.Workers(), 4u);
    Overlap all;
    AwaitAll(QueueTasks(pool, all, 12));
    EXPECT_EQ(all.ran.load(), 12);
    EXPECT_GE(all.most.load(), 2);
}

// The window bounds the jobs not yet done and, apart, all it holds: tested jobs behind an
// untested head leave room for more until the whole window is taken. No worker runs, so
// the calling thread decides which job is done when.
TEST(SearchPoolWindow, CountsUndoneJobsAndHeldOnesApart)
{
    test::TempTree tree;
    for (int i = 0; i < 8; ++i)
        tree.WriteFile("f" + std::to_string(i) + ".txt", i == 5 ? "a needle" : "hay");
    const std::shared_ptr<const SharedFolder> folder =
        SharedFolder::Adopt(open(tree.Root().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    ASSERT_TRUE(folder);
    ContentMatcher matcher("needle", {"needle"}, kWordModeAny, false, false);
    SearchPool pool(2, 6, [&matcher] { return matcher.ForAnotherThread(); }, 0);
    ASSERT_EQ(pool.Workers(), 0u);
    pool.LimitUndone(2);
    int next = 0;
    const auto submit = [&] {
        auto job = std::make_unique<ContentJob>();
        job->folder = folder;
        job->folderPath = std::make_shared<const std::string>(tree.Root());
        job->name = "f" + std::to_string(next++) + ".txt";
        pool.Submit(std::move(job));
    };
    submit();
    submit();
    EXPECT_TRUE(pool.Full()); // two undone
    ASSERT_TRUE(pool.TestOneHere(matcher));
    EXPECT_FALSE(pool.Full());
    submit();
    ASSERT_TRUE(pool.TestOneHere(matcher));
    ASSERT_TRUE(pool.TestOneHere(matcher));
    EXPECT_FALSE(pool.TestOneHere(matcher)); // every job taken
    submit();
    submit(); // five held, two of them undone
    EXPECT_TRUE(pool.Full());
    ASSERT_TRUE(pool.TestOneHere(matcher));
    EXPECT_FALSE(pool.Full());
    submit(); // six held: the window is taken though only one is undone
    EXPECT_TRUE(pool.Full());
    while (pool.TestOneHere(matcher)) {
    }
    std::vector<std::string> matched;
    while (pool.HeadDone()) {
        const std::unique_ptr<ContentJob> job = pool.TakeHead();
        if (job->matchOffset >= 0)
            matched.push_back(job->name);
        EXPECT_FALSE(pool.Full());
    }
    EXPECT_TRUE(pool.Empty());
    EXPECT_EQ(matched, std::vector<std::string>{"f5.txt"});
    submit();
    submit();
    EXPECT_TRUE(pool.Full()); // the count starts again from an empty window
}

TEST(SlowStepsTest, AFewSlowStepsCloseTogetherTurnItButScatteredOnesDoNot)
{
    SlowSteps scattered;
    for (int round = 0; round < 10; ++round) {
        EXPECT_FALSE(scattered.Note(true));
        for (int fast = 0; fast < SlowSteps::kFastBetween; ++fast)
            EXPECT_FALSE(scattered.Note(false));
    }
    SlowSteps close;
    for (int slow = 1; slow < SlowSteps::kSlowNeeded; ++slow) {
        EXPECT_FALSE(close.Note(true));
        for (int fast = 1; fast < SlowSteps::kFastBetween; ++fast)
            EXPECT_FALSE(close.Note(false));
    }
    EXPECT_TRUE(close.Note(true));
    EXPECT_TRUE(close.Note(false)); // for good
}

} // namespace
} // namespace sifter
