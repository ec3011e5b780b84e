#include "platform/file_removal.h"

#include "platform/user_folders.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QUrl>

#include <filesystem>
#include <system_error>

namespace sifter {
namespace {

// Qt writes the original path into the Trash's info file as it is, so a name with a newline
// breaks the file and one with "%" is restored under another name; the format wants it
// percent-encoded.
// Best effort: the entry itself is already safe in the Trash.
void EncodeTrashInfoPath(const QString &trashedPath, const std::string &originalPath)
{
    const QFileInfo trashed(trashedPath);
    const QString infoPath = trashed.dir().absoluteFilePath(QStringLiteral("../info/") + trashed.fileName() +
                                                            QStringLiteral(".trashinfo"));
    QFile info(infoPath);
    if (!info.open(QIODevice::ReadOnly))
        return;
    QByteArray text = info.readAll();
    info.close();
    const qsizetype start = text.indexOf("\nPath=");
    const qsizetype end = text.indexOf("\nDeletionDate=");
    if (start < 0 || end < start)
        return;
    const QByteArray encoded =
        QUrl::toPercentEncoding(QString::fromLocal8Bit(originalPath.data(), static_cast<qsizetype>(originalPath.size())), "/");
    text.replace(start + 6, end - start - 6, encoded);
    QSaveFile rewritten(infoPath);
    if (rewritten.open(QIODevice::WriteOnly) && rewritten.write(text) == text.size())
        rewritten.commit();  // a failure leaves Qt's own info file, readable for most names
}

// Qt moves to the home Trash only when it exists already; without it (a data home not made
// yet) Qt 6.4 moved the entry into "files" below the current folder. The Trash's format lets a
// program make the folders, owner-only.
void MakeHomeTrash()
{
    const std::filesystem::path trash = std::filesystem::path(DataHomeFolder()) / "Trash";
    for (const char *part : {"files", "info"}) {
        std::error_code failure;
        // A failure shows as Qt's own refusal to trash, reported with its reason.
        if (std::filesystem::create_directories(trash / part, failure))
            std::filesystem::permissions(trash, std::filesystem::perms::owner_all, failure);
    }
}

} // namespace

bool MoveEntryToTrash(const std::string &path, std::string &error)
{
    MakeHomeTrash();
    const QString original = QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size())));
    QFile entry(original);
    if (!entry.moveToTrash()) {
        error = entry.errorString().toLocal8Bit().toStdString();
        return false;
    }
    if (QDir::isRelativePath(entry.fileName())) {
        // Not a trash folder at all: put it back where it was.
        QFile::rename(entry.fileName(), original);
        error = "no trash folder could be used";
        return false;
    }
    EncodeTrashInfoPath(entry.fileName(), path);
    return true;
}

bool RemoveEntryForGood(const std::string &path, std::string &error)
{
    std::error_code failure;
    std::filesystem::remove_all(std::filesystem::path(path), failure);
    if (!failure)
        return true;
    error = failure.message();
    return false;
}

} // namespace sifter
