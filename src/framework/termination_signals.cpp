// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/termination_signals.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace sifter {
namespace {

constexpr int kWatchedSignals[] = {SIGTERM, SIGHUP};

// A signal handler can only reach state at namespace scope; this is the one such variable:
// the writing end of the working watcher's pipe, -1 while none works.
volatile std::sig_atomic_t signalPipe = -1;

extern "C" void WriteSignalToPipe(int signalNumber)
{
    const int savedErrno = errno;
    const auto byte = static_cast<unsigned char>(signalNumber);
    // A full pipe already holds a signal to act on: a failed write loses nothing.
    [[maybe_unused]] const ssize_t written = write(signalPipe, &byte, 1);
    errno = savedErrno;
}

} // namespace

TerminationSignals::TerminationSignals(QObject *parent) : QObject(parent)
{
    if (signalPipe != -1)
        return;
    int fds[2];
    if (pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    readFd_ = fds[0];
    writeFd_ = fds[1];
    signalPipe = writeFd_;

    struct sigaction action {};
    action.sa_handler = WriteSignalToPipe;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND | SA_RESTART;
    for (const int signalNumber : kWatchedSignals) {
        struct sigaction current {};
        if (sigaction(signalNumber, nullptr, &current) == 0 && current.sa_handler == SIG_IGN)
            continue;
        if (sigaction(signalNumber, &action, nullptr) == 0)
            watching_ = true;
    }
    if (!watching_) {
        signalPipe = -1;
        // An unused pipe: its closing cannot fail in a way that matters.
        close(readFd_);
        close(writeFd_);
        readFd_ = writeFd_ = -1;
        return;
    }
    notifier_ = new QSocketNotifier(readFd_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TerminationSignals::ReadPipe);
}

TerminationSignals::~TerminationSignals()
{
    if (!watching_)
        return;
    // Handlers first, so that none writes into the pipe once it is closed.
    RestoreDefaults();
    signalPipe = -1;
    delete notifier_;
    // Closing a pipe loses no data that matters here; its failure needs no answer.
    close(readFd_);
    close(writeFd_);
}

void TerminationSignals::ReadPipe()
{
    int first = 0;
    unsigned char buffer[16];
    for (;;) {
        const ssize_t count = read(readFd_, buffer, sizeof buffer);
        if (count > 0) {
            if (first == 0)
                first = buffer[0];
            continue;
        }
        if (count < 0 && errno == EINTR)
            continue;
        // Empty (EAGAIN): every signal written so far has been read.
        break;
    }
    if (first != 0)
        emit Received(first);
}

void TerminationSignals::RestoreDefaults()
{
    for (const int signalNumber : kWatchedSignals) {
        struct sigaction current {};
        // Only our own handler goes; one that ran already reset itself.
        if (sigaction(signalNumber, nullptr, &current) != 0 || current.sa_handler != WriteSignalToPipe)
            continue;
        struct sigaction defaults {};
        defaults.sa_handler = SIG_DFL;
        sigemptyset(&defaults.sa_mask);
        // Cannot fail for these signals; were it to, the handler would write into no pipe.
        sigaction(signalNumber, &defaults, nullptr);
    }
}

} // namespace sifter
