// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds Exec values to the parser, and argument lists to the quoting. Parsing must never
// crash, and what it accepts names a program first and expands to an argument list whose
// first argument is that program; and any argument list whose program is a plain name or
// an absolute path, quoted with QuoteDesktopExecArgument, escaped for the file and read back
// as a desktop entry's Exec key is, parses and expands to the same list. The input is the
// Exec value; cut at NULs it is the argument list.
#include "desktop/desktop_entry.h"
#include "desktop/desktop_exec.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

std::vector<std::string> Arguments(std::string_view input)
{
    std::vector<std::string> arguments;
    for (;;) {
        const std::size_t cut = input.find('\0');
        arguments.emplace_back(input.substr(0, cut));
        if (cut == std::string_view::npos)
            return arguments;
        input.remove_prefix(cut + 1);
    }
}

// The Exec value as a reader of the entry gets it back: written escaped on its line.
std::string ThroughTheFile(const std::string &exec)
{
    std::string read;
    sifter::ForEachDesktopKey("[Desktop Entry]\nExec=" + sifter::EscapeDesktopString(exec) + "\n",
                              [&read](std::string_view, std::string_view key, std::string_view value) {
                                  if (key == "Exec")
                                      read = sifter::UnescapeDesktopString(value);
                              });
    return read;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char *>(data), size);
    sifter::ExecFieldValues values;
    values.filePath = "/home/user/a file.sifter";
    values.fileUri = "file:///home/user/a%20file.sifter";
    values.icon = "sifter";
    values.name = "Sifter";
    values.entryPath = "/usr/share/applications/sifter.desktop";
    if (const std::optional<sifter::DesktopExec> exec = sifter::ParseDesktopExec(input)) {
        Check(!exec->arguments.empty() && exec->arguments.front().size() == 1);
        const std::string &program = exec->arguments.front().front().text;
        Check(!program.empty() && (program.find('/') == std::string::npos || program.front() == '/'));
        const std::vector<std::string> argv = sifter::ExpandDesktopExec(*exec, values);
        Check(!argv.empty() && argv.front() == program);
    }

    const std::vector<std::string> arguments = Arguments(input);
    const std::string &program = arguments.front();
    if (program.empty() || (program.find('/') != std::string::npos && program.front() != '/'))
        return 0;
    std::string exec;
    for (const std::string &argument : arguments)
        exec += (exec.empty() ? "" : " ") + sifter::QuoteDesktopExecArgument(argument);
    const std::optional<sifter::DesktopExec> parsed = sifter::ParseDesktopExec(ThroughTheFile(exec));
    Check(parsed.has_value());
    Check(sifter::ExpandDesktopExec(*parsed, {}) == arguments);
    return 0;
}
