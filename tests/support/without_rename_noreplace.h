// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A step of a test run where renameat2 refuses RENAME_NOREPLACE, as on a file system without
// it (NFS) or a kernel without renameat2, so that the fallbacks of the renames that never
// replace are tried on the test's own file system.
#include <cerrno>
#include <cstddef>
#include <functional>
#include <iterator>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace sifter::test {

// What RunWithoutRenameNoReplace gives when the child could not be made to refuse (no seccomp).
inline constexpr int kNoRefusal = 255;

// Runs step in a child process in which every renameat2 with flags fails with refusal (EINVAL
// or ENOSYS); a plain rename works. step's result (0 to 254) is returned; the caller sees the
// step's files, not its memory. -1 when the child could not be started or did not exit.
inline int RunWithoutRenameNoReplace(int refusal, const std::function<int()> &step)
{
    // The low word of the flags, the fifth argument: RENAME_NOREPLACE is in it.
    constexpr unsigned kFlagsLow =
        offsetof(seccomp_data, args[4]) + (__BYTE_ORDER__ == __ORDER_BIG_ENDIAN__ ? 4 : 0);
    // Only calls of this program's own architecture are made, so its numbers suffice.
    sock_filter rules[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_renameat2, 0, 3),
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, kFlagsLow),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, 0, 1, 0),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | static_cast<unsigned>(refusal)),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
    };
    const sock_fprog program{static_cast<unsigned short>(std::size(rules)), rules};
    const pid_t child = fork();
    if (child == 0) {
        if (prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0 || prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) != 0)
            _exit(kNoRefusal);
        _exit(step());
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

} // namespace sifter::test
