// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The command line of sifter-cli, read into what to do and which criteria to change.
#include "cli/option_values.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace sifter {

enum class CliAction {
    Search,  // search and print (and save) the found files
    List,    // print the records of a result file
    Help,    // print the usage text
    Version, // print the version
};

// Criteria given on the command line. Unset values keep those of the record they are
// applied to (the defaults, or the criteria of a result file).
struct CriteriaOptions {
    std::optional<std::string> names;
    std::optional<std::string> words;
    std::optional<std::string> folders; // already joined with ";"
    std::optional<std::int32_t> wordMode;
    std::optional<std::int32_t> sizeUnit;
    std::optional<SizeBound> size1;
    std::optional<SizeBound> size2;
    std::optional<std::int32_t> dateKind;
    std::optional<std::int32_t> datePart; // given, or inferred from the date values
    std::optional<DateBound> date1;
    std::optional<DateBound> date2;
    std::optional<std::string> excludes; // the Exclude text
    // Switches: true when given; they only ever move a flag away from its default.
    bool hexadecimal = false;
    bool noUnicode = false;
    bool noHidden = false;
    bool noReadOnly = false;
    bool noSystem = false;
    bool noSubfolders = false;
    bool caseSensitive = false;
    bool shortNames = false;
    bool regexNames = false;
    bool regexWords = false;
};

// When --show-lines marks the words with colour: on a terminal only, always, or never.
enum class ColorChoice : std::int32_t { Auto, Always, Never };

struct CliOptions {
    CliAction action = CliAction::Search;
    CriteriaOptions criteria;
    std::string criteriaFile; // --criteria: start from this result file's criteria
    std::string saveFile;     // -o: write the result file of the search here
    std::string listFile;     // --list: the result file to print
    std::size_t threads = 0;  // --threads: content-test threads; 0 = the engine's default
    bool longFormat = false;  // -l: tab-separated columns
    bool nullTerminated = false; // -0: NUL after each printed record instead of a newline
    std::optional<std::size_t> showLines; // --show-lines[=N]: print match lines, N context lines
    ColorChoice color = ColorChoice::Auto; // --color
};

// Reads the arguments (without the program name). False with a one-line message (no
// program name, no newline) for anything not understood: unknown options, missing or bad
// values, texts longer than their record field, conflicting options.
bool ParseCliOptions(const std::vector<std::string> &args, CliOptions &out, std::string &error);

} // namespace sifter
