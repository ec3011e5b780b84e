// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/program_run.h"

#include "desktop/program_spawn.h"
#include "text/translation.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace sifter {
namespace {

constexpr std::string_view kDefaultSearchPath = "/usr/bin:/bin";

bool IsExecutableFile(const std::string &path)
{
    struct stat status {};
    return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) && access(path.c_str(), X_OK) == 0;
}

// Reads the pipe to its end (so that the program never blocks on a full pipe), keeping
// the first bytes.
std::string DrainErrorOutput(int reader)
{
    std::string kept;
    char buffer[4096];
    for (;;) {
        const ssize_t length = read(reader, buffer, sizeof buffer);
        if (length < 0 && errno == EINTR)
            continue;
        if (length <= 0)
            return kept;
        const std::size_t room = kMaxProgramErrorBytes - std::min(kept.size(), kMaxProgramErrorBytes);
        kept.append(buffer, std::min(room, static_cast<std::size_t>(length)));
    }
}

std::string FirstLine(const std::string &text)
{
    std::size_t begin = text.find_first_not_of(" \t\r\n");
    if (begin == std::string::npos)
        return {};
    const std::size_t end = text.find('\n', begin);
    std::string line = text.substr(begin, end == std::string::npos ? std::string::npos : end - begin);
    while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
        line.pop_back();
    return line;
}

// Why program failed when it wrote nothing about it.
std::string ExitReason(const std::string &program, int status)
{
    if (WIFSIGNALED(status))
        return CatalogueText("Desktop", "%1 failed: ended by signal %2")
            .Arg(program)
            .Arg(std::to_string(WTERMSIG(status)))
            .Text();
    return CatalogueText("Desktop", "%1 failed: ended with exit status %2")
        .Arg(program)
        .Arg(std::to_string(WEXITSTATUS(status)))
        .Text();
}

std::string NotStartedReason(const std::string &program, int error)
{
    return CatalogueText("Desktop", "cannot start %1: %2").Arg(program).Arg(std::strerror(error)).Text();
}

} // namespace

std::string FindProgram(std::string_view name)
{
    if (name.empty())
        return {};
    if (name.find('/') != std::string_view::npos)
        return IsExecutableFile(std::string(name)) ? std::string(name) : std::string();
    const char *variable = std::getenv("PATH");
    std::string_view list = variable && *variable ? variable : kDefaultSearchPath;
    while (!list.empty()) {
        const std::size_t colon = list.find(':');
        std::string_view folder = list.substr(0, colon);
        list = colon == std::string_view::npos ? std::string_view() : list.substr(colon + 1);
        // An empty component means the current folder; a tool is never taken from there.
        if (folder.empty() || folder.front() != '/')
            continue;
        std::string path(folder);
        path += '/';
        path += name;
        if (IsExecutableFile(path))
            return path;
    }
    return {};
}

bool RunProgram(const std::vector<std::string> &argv, std::string &error)
{
    const std::string program = argv.empty() ? std::string() : FindProgram(argv.front());
    if (program.empty()) {
        error = argv.empty() ? CatalogueText("Desktop", "no program").Text()
                             : CatalogueText("Desktop", "%1 is not installed").Arg(argv.front()).Text();
        return false;
    }
    int pipeEnds[2] = {-1, -1};
    if (pipe2(pipeEnds, O_CLOEXEC) != 0) {
        error = NotStartedReason(argv.front(), errno);
        return false;
    }
    pid_t pid = 0;
    int result = ENOMEM;
    {
        ProgramSpawn spawn;
        if (spawn.SendErrorOutputTo(pipeEnds[0], pipeEnds[1]))
            result = spawn.Start(program, ProgramLookup::kPath, argv, pid);
    }
    close(pipeEnds[1]);  // our copy of the writing end: the reader sees the end once the program's closes
    if (result != 0) {
        close(pipeEnds[0]);
        error = NotStartedReason(argv.front(), result);
        return false;
    }
    const std::string errorOutput = DrainErrorOutput(pipeEnds[0]);
    close(pipeEnds[0]);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) {
            error = CatalogueText("Desktop", "%1: %2").Arg(argv.front()).Arg(std::strerror(errno)).Text();
            return false;
        }
    }
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0)
        return true;
    const std::string line = FirstLine(errorOutput);
    error = line.empty() ? ExitReason(argv.front(), status)
                         : CatalogueText("Desktop", "%1 failed: %2").Arg(argv.front()).Arg(line).Text();
    return false;
}

} // namespace sifter
