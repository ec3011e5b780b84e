#include "cli_process.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace sifter::test {
namespace {

pid_t Spawn(const std::vector<std::string> &args, const std::string &cwd, int &outFd, int &errFd)
{
    std::vector<char *> argv;
    static std::string program = SIFTER_CLI_BINARY;
    argv.push_back(program.data());
    for (const std::string &arg : args)
        argv.push_back(const_cast<char *>(arg.c_str()));
    argv.push_back(nullptr);

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
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, err[1], STDERR_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    if (!cwd.empty())
        posix_spawn_file_actions_addchdir_np(&actions, cwd.c_str());
    pid_t pid = -1;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    close(err[1]);
    outFd = out[0];
    errFd = err[0];
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

void ReadToEnd(int &outFd, std::string &out, int &errFd, std::string &err)
{
    while (outFd >= 0 || errFd >= 0) {
        pollfd fds[2] = {{outFd, POLLIN, 0}, {errFd, POLLIN, 0}};
        if (poll(fds, 2, -1) < 0 && errno != EINTR)
            return;
        if (outFd >= 0 && fds[0].revents != 0 && !ReadSome(outFd, out)) {
            close(outFd);
            outFd = -1;
        }
        if (errFd >= 0 && fds[1].revents != 0 && !ReadSome(errFd, err)) {
            close(errFd);
            errFd = -1;
        }
    }
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
    int raw = 0;
    while (waitpid(pid, &raw, 0) < 0 && errno == EINTR) {
    }
    result.status = StatusOf(raw);
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
