// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Heap bytes in use, for tests that pin what something costs in memory. Resident memory
// would not tell: the allocator keeps freed pages for reuse.
#include <cstdint>
#include <malloc.h>

namespace sifter::test {

// False where the allocator's figures say nothing of the program's use (a sanitizer's
// allocator replaces glibc's); the tests then skip.
inline bool HeapBytesKnown()
{
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    return false;
#else
    return true;
#endif
}

inline std::uint64_t HeapBytes()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

} // namespace sifter::test
