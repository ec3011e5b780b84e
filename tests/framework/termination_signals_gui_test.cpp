// SPDX-License-Identifier: GPL-3.0-or-later
// SIGTERM and SIGHUP delivered as a Qt signal; the handlers given back, ignored signals
// left alone.
#include "framework/termination_signals.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

#include <csignal>

namespace sifter {
namespace {

void (*HandlerOf(int signalNumber))(int)
{
    struct sigaction current {};
    sigaction(signalNumber, nullptr, &current);
    return current.sa_handler;
}

TEST(TerminationSignals, ArriveAsAQtSignalOnceAndTheDefaultsComeBack)
{
    {
        TerminationSignals watcher;
        ASSERT_TRUE(watcher.IsWatching());
        EXPECT_FALSE(TerminationSignals().IsWatching()); // one watcher owns the handlers
        QSignalSpy received(&watcher, &TerminationSignals::Received);
        std::raise(SIGHUP);
        ASSERT_TRUE(received.wait(2000));
        EXPECT_EQ(received.at(0).at(0).toInt(), SIGHUP);
        // The handler that ran is gone, so a second SIGHUP would end the program at once.
        EXPECT_EQ(HandlerOf(SIGHUP), SIG_DFL);
        EXPECT_NE(HandlerOf(SIGTERM), SIG_DFL);
    }
    EXPECT_EQ(HandlerOf(SIGTERM), SIG_DFL);
}

TEST(TerminationSignals, ASignalIgnoredByWhoeverStartedUsStaysIgnored)
{
    std::signal(SIGHUP, SIG_IGN);
    {
        TerminationSignals watcher;
        QSignalSpy received(&watcher, &TerminationSignals::Received);
        std::raise(SIGHUP);
        EXPECT_FALSE(received.wait(100));
    }
    EXPECT_EQ(HandlerOf(SIGHUP), SIG_IGN);
}

} // namespace
} // namespace sifter
