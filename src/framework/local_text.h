// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Texts of the system code page (the engine's 8-bit strings) crossing into Qt and back;
// the one place where the GUI layers convert them.
#include <QString>

#include <string>
#include <string_view>

namespace sifter {

inline QString FromLocalText(std::string_view text)
{
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string ToLocalText(const QString &text)
{
    return text.toLocal8Bit().toStdString();
}

} // namespace sifter
