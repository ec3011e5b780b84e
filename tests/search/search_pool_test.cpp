// SPDX-License-Identifier: GPL-3.0-or-later
// The pool's tasks: how many workers run them at once, and the calling thread running the
// next one while it would wait.
#include "search/search_pool.h"
#include "search/slow_steps.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <memory>
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
