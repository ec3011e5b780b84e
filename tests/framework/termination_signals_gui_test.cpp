// SIGTERM and SIGHUP: delivered as a Qt signal, handlers given back, ignored signals left
// alone; and the frame closed by one as Exit would, without the save question.
#include "framework/termination_signals.h"
#include "framework_fixture.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <csignal>

namespace sifter::test {
namespace {

void (*HandlerOf(int signalNumber))(int)
{
    struct sigaction current {};
    sigaction(signalNumber, nullptr, &current);
    return current.sa_handler;
}

TEST(TerminationSignals, ArriveAsAQtSignalAndTheDefaultsComeBack)
{
    {
        TerminationSignals watcher;
        ASSERT_TRUE(watcher.IsWatching());
        EXPECT_NE(HandlerOf(SIGTERM), SIG_DFL);
        // Only one watcher at a time owns the handlers.
        TerminationSignals second;
        EXPECT_FALSE(second.IsWatching());

        QSignalSpy received(&watcher, &TerminationSignals::Received);
        std::raise(SIGHUP);
        ASSERT_TRUE(received.wait(2000));
        EXPECT_EQ(received.at(0).at(0).toInt(), SIGHUP);
        // The handler that ran is gone: a second SIGHUP would end the program.
        EXPECT_EQ(HandlerOf(SIGHUP), SIG_DFL);
        EXPECT_NE(HandlerOf(SIGTERM), SIG_DFL);
    }
    EXPECT_EQ(HandlerOf(SIGTERM), SIG_DFL);
    EXPECT_EQ(HandlerOf(SIGHUP), SIG_DFL);

    // A new watcher works again once the old one has gone.
    TerminationSignals again;
    QSignalSpy received(&again, &TerminationSignals::Received);
    std::raise(SIGTERM);
    ASSERT_TRUE(received.wait(2000));
    EXPECT_EQ(received.at(0).at(0).toInt(), SIGTERM);
}

TEST(TerminationSignals, ASignalIgnoredByWhoeverStartedUsStaysIgnored)
{
    std::signal(SIGHUP, SIG_IGN);
    {
        TerminationSignals watcher;
        EXPECT_TRUE(watcher.IsWatching());
        EXPECT_EQ(HandlerOf(SIGHUP), SIG_IGN);
        QSignalSpy received(&watcher, &TerminationSignals::Received);
        std::raise(SIGHUP);
        EXPECT_FALSE(received.wait(100));
    }
    EXPECT_EQ(HandlerOf(SIGHUP), SIG_IGN);
    std::signal(SIGHUP, SIG_DFL);
}

class SignalCloseTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QApplication::setQuitOnLastWindowClosed(false);
        ASSERT_TRUE(app.InitInstance());
        app.WatchTerminationSignals();
        app.Frame().show();
    }

    TempTree tree;
    TestApp app{tree.Path("config")};
};

TEST_F(SignalCloseTest, ClosesWithoutTheSaveQuestion)
{
    app.Doc().SetModifiedFlag(true);
    app.prompts->saveAnswer = UserPrompts::SaveChoice::kCancel;
    std::raise(SIGTERM);
    EXPECT_TRUE(QTest::qWaitFor([this] { return !app.Frame().isVisible(); }, 2000));
    EXPECT_TRUE(app.prompts->questions.isEmpty());
    EXPECT_EQ(app.Frame().closings, 1);
}

TEST_F(SignalCloseTest, ABusyDocumentIsToldToStopAndTheWindowClosesOnceItHas)
{
    app.Doc().busy = true;
    std::raise(SIGHUP);
    EXPECT_TRUE(QTest::qWaitFor([this] { return app.Frame().busyCloses > 0; }, 2000));
    QTest::qWait(60);
    EXPECT_TRUE(app.Frame().isVisible());
    app.Doc().busy = false;
    EXPECT_TRUE(QTest::qWaitFor([this] { return !app.Frame().isVisible(); }, 2000));
    EXPECT_EQ(app.Frame().closings, 1);
}

} // namespace
} // namespace sifter::test
