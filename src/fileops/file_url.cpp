// SPDX-License-Identifier: GPL-3.0-or-later
#include "fileops/file_url.h"

#include "fs/path.h"

#include <string>

namespace sifter {

QByteArray FileUriOfPath(std::string_view path)
{
    return QByteArrayLiteral("file://") + QByteArray::fromStdString(PercentEncodedPath(path));
}

QUrl FileUrlOfPath(std::string_view path)
{
    return QUrl::fromEncoded(FileUriOfPath(path), QUrl::StrictMode);
}

} // namespace sifter
