// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/command_line.h"

#include "framework/local_text.h"
#include "fs/path.h"
#include "text/program_notice.h"
#include "text/translation.h"

namespace sifter {
namespace {

constexpr QLatin1String kFolderOption("/f:");
constexpr QLatin1String kFolderOptionUpper("/F:");

bool IsFolderOption(const QString &argument)
{
    return argument.startsWith(kFolderOption) || argument.startsWith(kFolderOptionUpper);
}

} // namespace

QString FileArgument(const QStringList &arguments)
{
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        // Everything after the folder option is part of the folder text.
        if (IsFolderOption(argument))
            return QString();
        if (argument.isEmpty() || argument.startsWith(QLatin1Char('-')))
            continue;
        return argument;
    }
    return QString();
}

std::optional<QString> FolderOptionText(const QStringList &arguments)
{
    const auto startsWith = [&arguments](QLatin1String option) {
        for (qsizetype i = 1; i < arguments.size(); ++i) {
            if (arguments[i].startsWith(option))
                return i;
        }
        return qsizetype(-1);
    };
    qsizetype at = startsWith(kFolderOption);
    if (at < 0)
        at = startsWith(kFolderOptionUpper);
    if (at < 0)
        return std::nullopt;
    // The arguments from the option on, as the line that held them: joined with blanks.
    const QString folder = (QStringList{arguments[at].mid(kFolderOption.size())} + arguments.mid(at + 1))
                               .join(QLatin1Char(' '));
    if (folder.isEmpty())
        return std::nullopt;
    std::string text = ToLocalText(folder);
    PathUnquote(text);
    return FromLocalText(text);
}

std::optional<QString> TerminalAnswer(const QStringList &arguments, const QString &version,
                                      const Translations *translations)
{
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        if (IsFolderOption(argument))
            break;
        if (argument == QLatin1String("--version"))
            return QStringLiteral("Sifter %1\n" SIFTER_VERSION_NOTICE).arg(version);
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            constexpr const char *kHelp = QT_TRANSLATE_NOOP(
                "CommandLine",
                "Usage: sifter [RESULT-FILE] [/f:FOLDER]\n"
                "Finds files by name, words in their contents, size, date and attributes.\n"
                "\n"
                "  RESULT-FILE  opens a saved search (a .sifter result file)\n"
                "  /f:FOLDER    puts FOLDER into \"Search in\"; everything after /f: is the folder\n"
                "  --help       shows this text\n"
                "  --version    shows the version and the licence\n"
                "\n"
                "sifter-cli runs the same searches without a window.\n");
            return QString::fromStdString(translations ? translations->Translate("CommandLine", kHelp) : kHelp);
        }
    }
    return std::nullopt;
}

} // namespace sifter
