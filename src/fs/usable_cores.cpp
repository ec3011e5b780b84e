// SPDX-License-Identifier: GPL-3.0-or-later
#include "fs/usable_cores.h"

#include <algorithm>
#include <sched.h>
#include <thread>

namespace sifter {

std::size_t UsableCores()
{
    cpu_set_t set;
    CPU_ZERO(&set);
    if (sched_getaffinity(0, sizeof set, &set) == 0 && CPU_COUNT(&set) > 0)
        return static_cast<std::size_t>(CPU_COUNT(&set));
    // A machine of more processors than the mask holds: all of them count.
    return std::max(1u, std::thread::hardware_concurrency());
}

} // namespace sifter
