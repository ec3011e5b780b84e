// SPDX-License-Identifier: GPL-3.0-or-later
#include "doc/document_title.h"

#include "framework/local_text.h"
#include "framework/string_resources.h"
#include "fs/path.h"

namespace sifter {
namespace {

constexpr QStringView kUnsafeCharacters = u"/\\:*?\"<>|";

// Replaces the "%s" markers of a format in order; the inserted texts are never read for
// markers (a user's text may hold "%s").
QString FillStringMarkers(const QString &format, std::initializer_list<QString> values)
{
    QString result;
    auto next = values.begin();
    for (qsizetype i = 0; i < format.size(); ++i) {
        if (format[i] == QLatin1Char('%') && i + 1 < format.size() && format[i + 1] == QLatin1Char('s')) {
            if (next != values.end())
                result += *next++;
            ++i;
            continue;
        }
        result += format[i];
    }
    return result;
}

} // namespace

QString RemoveTitleUnsafeCharacters(const QString &text)
{
    QString result;
    result.reserve(text.size());
    for (const QChar c : text) {
        if (!kUnsafeCharacters.contains(c))
            result += c;
    }
    return result.trimmed();
}

QString FolderLastComponent(const QString &folderText)
{
    return FromLocalText(PathLastComponent(ToLocalText(folderText)));
}

QString BuildSearchTitle(const QString &namePart, const QString &wordsPart, const QString &folderText)
{
    const QString title =
        FillStringMarkers(LoadResString(str::kTitleFormat), {namePart, wordsPart, FolderLastComponent(folderText)});
    return RemoveTitleUnsafeCharacters(title);
}

} // namespace sifter
