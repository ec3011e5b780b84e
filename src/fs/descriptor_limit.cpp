// SPDX-License-Identifier: GPL-3.0-or-later
#include "fs/descriptor_limit.h"

#include <sys/resource.h>

namespace sifter {

std::size_t DescriptorLimit(std::size_t fallback)
{
    rlimit limit{};
    if (getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY)
        return fallback;
    return static_cast<std::size_t>(limit.rlim_cur);
}

} // namespace sifter
