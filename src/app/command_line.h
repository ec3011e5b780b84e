// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's command line: an optional result file to open, the folder option "/f:"
// (an argument that starts with it, and everything after), and --help / --version
// answered on the terminal.
#include <QString>
#include <QStringList>

#include <optional>

namespace sifter {

class Translations;

// The result file named on the command line: the first argument after the program's name
// that is neither an option ("-...") nor the folder option ("/f:...", "/F:..."), and none
// after the folder option began. Empty when there is none.
QString FileArgument(const QStringList &arguments);

// The folder text: the first argument after the program's name that starts with "/f:"
// (or, only when none does, "/F:") without those three characters, and every argument
// after it, joined with single blanks; one pair of enclosing double quotes removed.
// Nothing when no argument starts with the option or nothing follows it.
std::optional<QString> FolderOptionText(const QStringList &arguments);

// What to print instead of starting, for --help, -h or --version among the arguments
// before the folder option; nothing otherwise. The help is in the language of translations
// when given, else in English.
std::optional<QString> TerminalAnswer(const QStringList &arguments, const QString &version,
                                      const Translations *translations = nullptr);

} // namespace sifter
