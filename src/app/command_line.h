#pragma once
// The program's command line: an optional result file to open, the folder option "/f:"
// taken from the raw command line, and --help / --version answered on the terminal.
#include <QString>
#include <QStringList>

#include <optional>

namespace sifter {

// The raw command line as the folder option reads it: the arguments after the program's
// name joined with single blanks.
QString RawCommandLine(const QStringList &arguments);

// The result file named on the command line: the first argument after the program's name
// that is neither an option ("-...") nor the folder option ("/f:...", "/F:..."), and none
// after the folder option began. Empty when there is none.
QString FileArgument(const QStringList &arguments);

// The folder text of the raw command line: everything after its first "/f:" (or, only
// when there is none, its first "/F:"), with one pair of enclosing double quotes removed.
// Nothing when neither occurs or nothing follows it.
std::optional<QString> FolderOptionText(const QString &rawCommandLine);

// What to print instead of starting, for --help, -h or --version among the arguments
// before the folder option; nothing otherwise.
std::optional<QString> TerminalAnswer(const QStringList &arguments, const QString &version);

} // namespace sifter
