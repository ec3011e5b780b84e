// SPDX-License-Identifier: GPL-3.0-or-later
#include "pane/field_size_validator.h"

#include "framework/local_text.h"
#include "text/code_page.h"

namespace sifter {

QString CutToLocalField(const QString &text, std::size_t fieldSize)
{
    const std::string local = ToLocalText(text);
    if (local.size() < fieldSize)
        return text;
    return FromLocalText(CutToField(local, fieldSize));
}

QValidator::State FieldSizeValidator::validate(QString &input, int &pos) const
{
    input = CutToLocalField(input, fieldSize_);
    pos = std::min(pos, static_cast<int>(input.size()));
    return Acceptable;
}

} // namespace sifter
