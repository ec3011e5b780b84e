// SPDX-License-Identifier: GPL-3.0-or-later
#include "stores/tagged_blocks.h"

#include "text/little_endian.h"

namespace sifter {

void AppendBlock(std::vector<std::uint8_t> &out, const char (&tag)[kBlockTagSize], std::string_view bytes)
{
    std::uint8_t length[4];
    PutLittleEndian32(length, static_cast<std::uint32_t>(bytes.size()));
    out.insert(out.end(), tag, tag + kBlockTagSize);
    out.insert(out.end(), length, length + 4);
    out.insert(out.end(), bytes.begin(), bytes.end());
}

void ForEachBlock(const std::uint8_t *bytes, std::size_t size,
                  const std::function<void(std::string_view tag, std::string_view bytes)> &onBlock)
{
    std::size_t position = 0;
    while (size - position >= kBlockHeaderSize) {
        const std::uint8_t *block = bytes + position;
        const std::uint32_t length = GetLittleEndian32(block + kBlockTagSize);
        if (length > size - position - kBlockHeaderSize)
            return;
        const auto *text = reinterpret_cast<const char *>(block);
        onBlock(std::string_view(text, kBlockTagSize), std::string_view(text + kBlockHeaderSize, length));
        position += kBlockHeaderSize + length;
    }
}

} // namespace sifter
