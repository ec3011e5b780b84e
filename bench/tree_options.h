// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The command line the tree benchmarks share: --scale F (0 < F <= 1) of the generated tree,
// --runs N warm runs, an optional --cli PATH, and the tree's folder (default
// /tmp/sifter-bench-F, where search_bench makes it).
#include <cstdio>
#include <cstdlib>
#include <string>

namespace sifter {

struct TreeBenchOptions {
    double scale = 1.0;
    int runs = 5;
    std::string cli;  // taken only when acceptCli
    std::string root;
};

inline bool ParseTreeBenchArguments(int argc, char **argv, bool acceptCli, TreeBenchOptions &options)
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--scale" && hasValue) {
            char *end = nullptr;
            options.scale = std::strtod(argv[++i], &end);
            if (*end != '\0' || !(options.scale > 0 && options.scale <= 1))
                return false;
        } else if (arg == "--runs" && hasValue) {
            options.runs = std::atoi(argv[++i]);
            if (options.runs < 1)
                return false;
        } else if (acceptCli && arg == "--cli" && hasValue) {
            options.cli = argv[++i];
        } else if (!arg.empty() && arg[0] != '-' && options.root.empty()) {
            options.root = arg;
        } else {
            return false;
        }
    }
    if (options.root.empty()) {
        char name[64];
        std::snprintf(name, sizeof name, "/tmp/sifter-bench-%g", options.scale);
        options.root = name;
    }
    return true;
}

} // namespace sifter
