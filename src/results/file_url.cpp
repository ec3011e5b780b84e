#include "results/file_url.h"

namespace sifter {

QByteArray FileUriOfPath(std::string_view path)
{
    const QByteArray bytes(path.data(), static_cast<qsizetype>(path.size()));
    return QByteArrayLiteral("file://") + bytes.toPercentEncoding(QByteArrayLiteral("/"));
}

QUrl FileUrlOfPath(std::string_view path)
{
    return QUrl::fromEncoded(FileUriOfPath(path), QUrl::StrictMode);
}

} // namespace sifter
