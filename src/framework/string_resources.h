// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Texts from the string table as Qt strings, and the ways the program takes them apart.
#include "res/resource_ids.h"

#include <QString>

namespace sifter {

// The text with that id; empty when the table has none.
QString LoadResString(StringId id);

// A command's string holds its status-bar prompt and its tooltip, split at the first "\n".
struct PromptAndTip {
    QString prompt;
    QString tip;  // empty when the text has no "\n"
};
PromptAndTip SplitPromptAndTip(const QString &text);

// The prompt of the command with that id (the text before the first "\n").
QString LoadPrompt(StringId id);

// "%1" in the string with that id replaced by the text (as the message formatter does it).
QString FormatResString(StringId id, const QString &insert);

// The fields of a document string (resource 128), in their order in the text.
enum class DocStringField {
    kWindowTitle,
    kDocName,
    kFileNewName,
    kFilterName,
    kFilterExt,
    kRegFileTypeId,
    kRegFileTypeName,
};
// The field of a document string; empty when the text has fewer fields.
QString DocStringPart(const QString &docString, DocStringField field);

// The text without its mnemonic marks: every "&" removed, as column captions need it.
QString RemoveAmpersands(const QString &text);

} // namespace sifter
