// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli_process.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <spawn.h>
#include <string_view>
#include <sys/resource.h>
#include <sys/wait.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

extern char **environ;

namespace sifter::test {
namespace {

std::string &Program()
{
    static std::string program = SIFTER_CLI_BINARY;
    return program;
}

std::vector<char *> Arguments(const std::vector<std::string> &args)
{
    std::vector<char *> argv;
    argv.push_back(Program().data());
    for (const std::string &arg : args)
        argv.push_back(const_cast<char *>(arg.c_str()));
    argv.push_back(nullptr);
    return argv;
}

// Starts the program with its outputs on new pipes and standard input from inFd (or
// /dev/null when it is -1); with outTarget, standard output goes there instead (outFd -1).
pid_t Spawn(const std::vector<std::string> &args, const std::string &cwd, int &outFd, int &errFd, int inFd = -1,
            int outTarget = -1)
{
    std::vector<char *> argv = Arguments(args);

    int out[2];
    int err[2];
    if (pipe2(out, O_CLOEXEC) != 0)
        return -1;
    if (pipe2(err, O_CLOEXEC) != 0) {
        close(out[0]);
        close(out[1]);
        return -1;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, outTarget >= 0 ? outTarget : out[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, err[1], STDERR_FILENO);
    if (inFd >= 0)
        posix_spawn_file_actions_adddup2(&actions, inFd, STDIN_FILENO);
    else
        posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    if (!cwd.empty())
        posix_spawn_file_actions_addchdir_np(&actions, cwd.c_str());
    pid_t pid = -1;
    if (posix_spawn(&pid, Program().c_str(), &actions, nullptr, argv.data(), environ) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    close(err[1]);
    outFd = out[0];
    errFd = err[0];
    if (outTarget >= 0) {
        close(outFd);
        outFd = -1;
    }
    return pid;
}

int StatusOf(int raw)
{
    if (WIFEXITED(raw))
        return WEXITSTATUS(raw);
    return WIFSIGNALED(raw) ? 128 + WTERMSIG(raw) : -1;
}

// Appends what can be read now; false at the end of the output.
bool ReadSome(int fd, std::string &into)
{
    char buffer[65536];
    for (;;) {
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        into.append(buffer, static_cast<std::size_t>(got));
        return true;
    }
}

// Reads both outputs to their ends while writing input (if inFd is open) to the
// program's standard input, closing inFd when all of it is written or refused.
void ReadToEnd(int &outFd, std::string &out, int &errFd, std::string &err, int inFd = -1, std::string_view input = {})
{
    while (outFd >= 0 || errFd >= 0) {
        pollfd fds[3] = {{outFd, POLLIN, 0}, {errFd, POLLIN, 0}, {inFd, POLLOUT, 0}};
        if (poll(fds, 3, -1) < 0 && errno != EINTR)
            return;
        if (outFd >= 0 && fds[0].revents != 0 && !ReadSome(outFd, out)) {
            close(outFd);
            outFd = -1;
        }
        if (errFd >= 0 && fds[1].revents != 0 && !ReadSome(errFd, err)) {
            close(errFd);
            errFd = -1;
        }
        if (inFd >= 0 && fds[2].revents != 0) {
            const ssize_t written = write(inFd, input.data(), input.size());
            if (written > 0)
                input.remove_prefix(static_cast<std::size_t>(written));
            // A program that stops reading (EPIPE) is told of the end like one that read all.
            if (input.empty() || (written < 0 && errno != EAGAIN && errno != EINTR)) {
                close(inFd);
                inFd = -1;
            }
        }
    }
    if (inFd >= 0)
        close(inFd);
}

// Waits for the program's end; its status, and its peak memory into peakKilobytes.
int Reap(pid_t pid, long &peakKilobytes)
{
    int raw = 0;
    rusage usage {};
    while (wait4(pid, &raw, 0, &usage) < 0 && errno == EINTR) {
    }
    peakKilobytes = usage.ru_maxrss;
    return StatusOf(raw);
}

} // namespace

CliResult RunCli(const std::vector<std::string> &args, const std::string &cwd)
{
    CliResult result;
    int outFd = -1;
    int errFd = -1;
    const pid_t pid = Spawn(args, cwd, outFd, errFd);
    if (pid < 0)
        return result;
    ReadToEnd(outFd, result.out, errFd, result.err);
    result.status = Reap(pid, result.peakKilobytes);
    return result;
}

CliResult RunCliIntoFile(const std::vector<std::string> &args, const std::string &outputFile, const std::string &cwd)
{
    CliResult result;
    const int file = open(outputFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (file < 0)
        return result;
    int outFd = -1;
    int errFd = -1;
    const pid_t pid = Spawn(args, cwd, outFd, errFd, -1, file);
    close(file);
    if (pid < 0)
        return result;
    ReadToEnd(outFd, result.out, errFd, result.err);
    result.status = Reap(pid, result.peakKilobytes);
    const int done = open(outputFile.c_str(), O_RDONLY | O_CLOEXEC);
    if (done >= 0) {
        while (ReadSome(done, result.out)) {
        }
        close(done);
    }
    return result;
}

CliResult RunCliWithInput(const std::vector<std::string> &args, const std::string &input)
{
    // A program that stops reading must not end the test with SIGPIPE.
    std::signal(SIGPIPE, SIG_IGN);
    CliResult result;
    int in[2];
    if (pipe2(in, O_CLOEXEC) != 0)
        return result;
    int outFd = -1;
    int errFd = -1;
    const pid_t pid = Spawn(args, {}, outFd, errFd, in[0]);
    close(in[0]);
    if (pid < 0) {
        close(in[1]);
        return result;
    }
    fcntl(in[1], F_SETFL, O_NONBLOCK);
    ReadToEnd(outFd, result.out, errFd, result.err, in[1], input);
    result.status = Reap(pid, result.peakKilobytes);
    return result;
}

CliResult RunCliOnTerminal(const std::vector<std::string> &args)
{
    CliResult result;
    std::vector<char *> argv = Arguments(args);
    int err[2];
    if (pipe2(err, O_CLOEXEC) != 0)
        return result;
    termios raw {};
    cfmakeraw(&raw);
    winsize size {};
    size.ws_row = 24;
    size.ws_col = 80;
    int terminal = -1;
    const pid_t pid = forkpty(&terminal, nullptr, &raw, &size);
    if (pid == 0) {
        // Standard error apart, so that the terminal shows standard output alone.
        dup2(err[1], STDERR_FILENO);
        execve(Program().c_str(), argv.data(), environ);
        _exit(127);
    }
    close(err[1]);
    int errFd = err[0];
    if (pid < 0) {
        close(errFd);
        return result;
    }
    // The terminal's end reads EIO once the program and its output are gone.
    ReadToEnd(terminal, result.out, errFd, result.err);
    result.status = Reap(pid, result.peakKilobytes);
    return result;
}

RunningCli::RunningCli(const std::vector<std::string> &args)
{
    pid_ = Spawn(args, {}, outFd_, errFd_);
}

RunningCli::~RunningCli()
{
    if (pid_ > 0 && !reaped_) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    if (outFd_ >= 0)
        close(outFd_);
    if (errFd_ >= 0)
        close(errFd_);
}

std::optional<std::string> RunningCli::ReadLine(std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        const std::size_t newline = pending_.find('\n');
        if (newline != std::string::npos) {
            std::string line = pending_.substr(0, newline);
            pending_.erase(0, newline + 1);
            return line;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (outFd_ < 0 || left.count() <= 0)
            return std::nullopt;
        pollfd fd{outFd_, POLLIN, 0};
        if (poll(&fd, 1, static_cast<int>(left.count())) <= 0)
            continue;
        std::string got;
        if (!ReadSome(outFd_, got)) {
            close(outFd_);
            outFd_ = -1;
        }
        output_ += got;
        pending_ += got;
    }
}

bool RunningCli::StillRunning()
{
    if (reaped_)
        return false;
    int raw = 0;
    const pid_t done = waitpid(pid_, &raw, WNOHANG);
    if (done != pid_)
        return true;
    reaped_ = true;
    status_ = StatusOf(raw);
    return false;
}

bool RunningCli::EndsWithin(std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (StillRunning()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

void RunningCli::Signal(int signalNumber)
{
    if (!reaped_)
        kill(pid_, signalNumber);
}

void RunningCli::CloseOutput()
{
    if (outFd_ >= 0)
        close(outFd_);
    outFd_ = -1;
}

int RunningCli::Wait()
{
    std::string err;
    int errFd = -1; // standard error is read by ErrorOutput
    ReadToEnd(outFd_, output_, errFd, err);
    if (!reaped_) {
        int raw = 0;
        while (waitpid(pid_, &raw, 0) < 0 && errno == EINTR) {
        }
        reaped_ = true;
        status_ = StatusOf(raw);
    }
    return status_;
}

std::string RunningCli::ErrorOutput()
{
    std::string err;
    while (errFd_ >= 0 && ReadSome(errFd_, err)) {
    }
    return err;
}

} // namespace sifter::test
