#include "desktop/program_start.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char **environ;

namespace sifter {
namespace {

// The signals whose handling this program changes; the started one gets the defaults back.
constexpr int kResetSignals[] = {SIGTERM, SIGHUP, SIGINT, SIGQUIT, SIGPIPE, SIGCHLD, SIGUSR1, SIGUSR2};

// Attributes and their cleanup together, so that every way out destroys them.
class SpawnAttributes {
public:
    SpawnAttributes() { ok_ = posix_spawnattr_init(&attributes_) == 0; }
    ~SpawnAttributes()
    {
        if (ok_)
            posix_spawnattr_destroy(&attributes_);
    }
    SpawnAttributes(const SpawnAttributes &) = delete;
    SpawnAttributes &operator=(const SpawnAttributes &) = delete;

    // Own session, default handlers, nothing blocked; false when the library refuses.
    bool Prepare()
    {
        if (!ok_)
            return false;
        sigset_t none;
        sigset_t defaults;
        sigemptyset(&none);
        sigemptyset(&defaults);
        for (int signal : kResetSignals)
            sigaddset(&defaults, signal);
        return posix_spawnattr_setsigmask(&attributes_, &none) == 0 &&
               posix_spawnattr_setsigdefault(&attributes_, &defaults) == 0 &&
               posix_spawnattr_setflags(&attributes_, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK |
                                                          POSIX_SPAWN_SETSIGDEF) == 0;
    }
    const posix_spawnattr_t *Get() const { return &attributes_; }

private:
    posix_spawnattr_t attributes_{};
    bool ok_ = false;
};

} // namespace

bool StartDetachedProgram(const std::vector<std::string> &argv, std::string &error)
{
    if (argv.empty() || argv.front().empty()) {
        error = "no program";
        return false;
    }
    SpawnAttributes attributes;
    if (!attributes.Prepare()) {
        error = "cannot prepare the start";
        return false;
    }
    std::vector<char *> pointers;
    pointers.reserve(argv.size() + 1);
    for (const std::string &argument : argv)
        pointers.push_back(const_cast<char *>(argument.c_str()));  // posix_spawn does not write them
    pointers.push_back(nullptr);
    pid_t pid = 0;
    const int result = posix_spawnp(&pid, pointers.front(), nullptr, attributes.Get(), pointers.data(), environ);
    if (result != 0) {
        error = std::strerror(result);
        return false;
    }
    // The child's end is waited for on a thread of its own: a zombie otherwise, and the
    // window must not wait. A program outliving this one is inherited by init.
    std::thread([pid] {
        while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
        }
    }).detach();
    return true;
}

} // namespace sifter
