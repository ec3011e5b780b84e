// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/string_resources.h"

#include "framework/resource_text.h"
#include "res/string_table.h"

#include <QStringList>

namespace sifter {

QString LoadResString(StringId id)
{
    // The table's texts end in a NUL, as the catalogue's lookup needs them.
    const std::string_view text = FindStringResource(id);
    return text.empty() ? QString() : StringTableText(text.data());
}

PromptAndTip SplitPromptAndTip(const QString &text)
{
    const qsizetype cut = text.indexOf(QLatin1Char('\n'));
    if (cut < 0)
        return {text, QString()};
    return {text.left(cut), text.mid(cut + 1)};
}

QString LoadPrompt(StringId id)
{
    return SplitPromptAndTip(LoadResString(id)).prompt;
}

QString FormatResString(StringId id, const QString &insert)
{
    // A literal replacement: the inserted text (a path, a title) is never read for markers.
    QString text = LoadResString(id);
    text.replace(QStringLiteral("%1"), insert);
    return text;
}

QString DocStringPart(const QString &docString, DocStringField field)
{
    const QStringList parts = docString.split(QLatin1Char('\n'));
    const auto index = static_cast<qsizetype>(field);
    return index < parts.size() ? parts[index] : QString();
}

QString RemoveAmpersands(const QString &text)
{
    QString result = text;
    result.remove(QLatin1Char('&'));
    return result;
}

} // namespace sifter
