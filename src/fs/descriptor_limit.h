// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How many descriptors the process may have open.
#include <cstddef>

namespace sifter {

// The soft limit on open descriptors; fallback when it is unlimited or cannot be read.
std::size_t DescriptorLimit(std::size_t fallback);

} // namespace sifter
