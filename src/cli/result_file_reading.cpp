// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/result_file_reading.h"

#include "stores/byte_stream.h"
#include "stores/result_file.h"
#include "text/translation.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace sifter {
namespace {

constexpr std::string_view kStandardInputDash = "-";
constexpr std::string_view kStandardInputPath = "/dev/stdin";

struct FileCloser {
    void operator()(std::FILE *file) const
    {
        // Standard input stays the process's. Only read streams get here; nothing of a
        // failed close can be lost.
        if (file != stdin)
            std::fclose(file);
    }
};
using FilePointer = std::unique_ptr<std::FILE, FileCloser>;

std::string Quoted(const std::string &path)
{
    return "'" + path + "'";
}

// Standard input itself, whatever the link /dev/stdin resolves to (a pipe, a file).
FilePointer OpenStandardInput(const std::string &name, std::string &error)
{
    struct stat info {};
    if (fstat(STDIN_FILENO, &info) != 0) {
        error = name + ": " + std::strerror(errno);
        return nullptr;
    }
    // Nobody types a result file; waiting for one would look like a hang.
    if (isatty(STDIN_FILENO) == 1) {
        error = CatalogueText("sifter-cli", "%1: a terminal, not a result file").Arg(name).Text();
        return nullptr;
    }
    return FilePointer(stdin);
}

FilePointer OpenRegularFile(const std::string &path, std::string &error)
{
    int failure = 0;
    FilePointer file(OpenRegularFileForReading(path, &failure));
    if (!file)
        error = Quoted(path) + ": " + (failure != 0 ? std::string(std::strerror(failure)) : CatalogueText("sifter-cli", "not a regular file").Text());
    return file;
}

} // namespace

LoadOutcome ReadResultFileReporting(const std::string &path, SearchCriteria *criteria, const RecordHandler &onRecord,
                                    std::string &error, ExtraCriteria *extras)
{
    const bool standardInput = path == kStandardInputDash || path == kStandardInputPath;
    const std::string name = path == kStandardInputDash ? CatalogueText("sifter-cli", "standard input").Text() : Quoted(path);
    FilePointer file = standardInput ? OpenStandardInput(name, error) : OpenRegularFile(path, error);
    if (!file)
        return LoadOutcome::CannotOpen;
    // Forward only: the magic check consumes its five bytes and reading goes on from there.
    StdioSource source(file.get());
    if (!ReadResultMagic(source)) {
        error = CatalogueText("sifter-cli", "%1: not a Sifter result file").Arg(name).Text();
        return LoadOutcome::NotResultFile;
    }
    SearchCriteria scratch{};
    std::uint32_t count = 0;
    if (!ReadResultCriteria(criteria ? *criteria : scratch, source, count, extras)) {
        error = CatalogueText("sifter-cli", "%1: damaged: it ends inside its header").Arg(name).Text();
        return LoadOutcome::Damaged;
    }
    if (!onRecord)
        return LoadOutcome::Loaded;
    // Records of one folder share its text: no allocation per record for what repeats.
    RecordTexts texts;
    for (std::uint32_t read = 0; read < count; ++read) {
        FoundFile record;
        if (!ReadFoundFile(record, source, &texts)) {
            error = CatalogueText("sifter-cli", "%1: damaged or cut short after %2 records").Arg(name).Arg(std::to_string(read)).Text();
            return LoadOutcome::Damaged;
        }
        if (!onRecord(record))
            break;
    }
    return LoadOutcome::Loaded;
}

} // namespace sifter
