// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// File URLs made from the path's bytes, so that a name that is not valid UTF-8 still
// names the same file (a QString made from it would have replaced those bytes).
#include <QByteArray>
#include <QUrl>

#include <string_view>

namespace sifter {

// "file://" and the path with every byte but unreserved ones and "/" percent-encoded.
QByteArray FileUriOfPath(std::string_view path);
// The same as a QUrl.
QUrl FileUrlOfPath(std::string_view path);

} // namespace sifter
