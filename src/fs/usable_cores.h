// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How many processors this process may run on: its affinity mask, which taskset, cgroup
// cpusets and containers narrow, rather than the machine's count.
#include <cstddef>

namespace sifter {

// At least 1; the machine's count when the mask cannot be read.
std::size_t UsableCores();

} // namespace sifter
