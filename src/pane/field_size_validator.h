// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Holds an edit field to what its criteria field stores: at most fieldSize - 1 bytes of the
// local encoding. A longer text, typed, pasted or set, is cut at a character boundary, so
// the criteria always hold what the user sees.
#include <QValidator>

#include <cstddef>

namespace sifter {

// The longest prefix of text whose local encoding fits a NUL-terminated field of fieldSize
// bytes without splitting a character.
QString CutToLocalField(const QString &text, std::size_t fieldSize);

class FieldSizeValidator final : public QValidator {
    Q_OBJECT

public:
    FieldSizeValidator(std::size_t fieldSize, QObject *parent) : QValidator(parent), fieldSize_(fieldSize) {}

    // Always Acceptable, after cutting input (and keeping pos inside it).
    State validate(QString &input, int &pos) const override;

private:
    std::size_t fieldSize_;
};

} // namespace sifter
