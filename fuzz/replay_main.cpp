// SPDX-License-Identifier: GPL-3.0-or-later
// Stands in for libFuzzer in ordinary builds: runs every seed file of the given folder,
// then a fixed, seeded series of mutations of them (20,000, or the count given after the
// folder), through LLVMFuzzerTestOneInput. A crash or sanitizer report fails the test; the
// same series runs every time.
#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size);

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Mutate(Bytes input, std::mt19937 &random)
{
    const int edits = 1 + static_cast<int>(random() % 8);
    for (int i = 0; i < edits; ++i) {
        switch (random() % 5) {
        case 0: // flip a byte
            if (!input.empty())
                input[random() % input.size()] ^= static_cast<std::uint8_t>(1u << (random() % 8));
            break;
        case 1: // cut the end
            if (!input.empty())
                input.resize(random() % input.size());
            break;
        case 2: // insert random bytes
            for (int n = static_cast<int>(random() % 16); n > 0; --n)
                input.insert(input.begin() + static_cast<long>(random() % (input.size() + 1)),
                             static_cast<std::uint8_t>(random()));
            break;
        case 3: // an extreme value at a random place
            if (input.size() >= 4) {
                const std::size_t at = random() % (input.size() - 3);
                const std::uint8_t fill = (random() % 2) ? 0xFF : 0x00;
                for (int k = 0; k < 4; ++k)
                    input[at + k] = fill;
            }
            break;
        default: // duplicate a stretch
            if (!input.empty()) {
                const std::size_t from = random() % input.size();
                const std::size_t length = std::min<std::size_t>(random() % 64, input.size() - from);
                Bytes piece(input.begin() + static_cast<long>(from), input.begin() + static_cast<long>(from + length));
                input.insert(input.begin() + static_cast<long>(random() % (input.size() + 1)), piece.begin(), piece.end());
            }
            break;
        }
    }
    return input;
}

} // namespace

int main(int argc, char **argv)
{
    std::vector<Bytes> seeds{Bytes{}};
    if (argc > 1 && std::filesystem::is_directory(argv[1])) {
        for (const auto &entry : std::filesystem::directory_iterator(argv[1])) {
            std::ifstream in(entry.path(), std::ios::binary);
            seeds.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        }
    }
    for (const Bytes &seed : seeds)
        LLVMFuzzerTestOneInput(seed.data(), seed.size());

    constexpr int kDefaultMutations = 20000;
    const int mutations = argc > 2 ? std::atoi(argv[2]) : kDefaultMutations;
    std::mt19937 random(20261207);
    for (int i = 0; i < mutations; ++i) {
        const Bytes input = Mutate(seeds[random() % seeds.size()], random);
        LLVMFuzzerTestOneInput(input.data(), input.size());
    }
    std::printf("%zu seeds and %d mutations ran without a fault\n", seeds.size(), mutations);
    return 0;
}
