// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/recent_file_list.h"

#include "registry/registry_store.h"

#include <QDir>
#include <QFile>

namespace sifter {
namespace {

std::string EntryName(int index)
{
    return "File" + std::to_string(index + 1);
}

std::string SectionPath(const std::string &keyPath)
{
    return keyPath + "\\" + kRecentFileSection;
}

// The home folder written as "~", as shells and file managers show it.
QString WithTilde(const QString &path)
{
    const QString home = QDir::homePath();
    if (home.isEmpty() || home == QLatin1String("/"))
        return path;
    if (path == home)
        return QStringLiteral("~");
    if (path.startsWith(home + QLatin1Char('/')))
        return QLatin1Char('~') + path.mid(home.size());
    return path;
}

} // namespace

RecentFileList::RecentFileList(int size) : size_(size > 0 ? size : 0) {}

void RecentFileList::Add(const QString &path)
{
    if (path.isEmpty() || size_ == 0)
        return;
    paths_.removeAll(path);
    paths_.prepend(path);
    while (paths_.size() > size_)
        paths_.removeLast();
}

void RecentFileList::Remove(int index)
{
    if (index >= 0 && index < paths_.size())
        paths_.removeAt(index);
}

void RecentFileList::ReadList(RegistryStore &store, const std::string &keyPath)
{
    RegistryKey key;
    if (!store.OpenKey(RegistryRoot::CurrentUser, SectionPath(keyPath), key))
        return;
    QStringList read;
    for (int i = 0; i < size_; ++i) {
        RegistryType type = RegistryType::None;
        std::string data;
        if (!key.ReadValue(EntryName(i), type, data) || type != RegistryType::String)
            continue;
        // A String value carries its terminating zero; anything after the first zero is not text.
        const auto end = data.find('\0');
        if (end != std::string::npos)
            data.resize(end);
        const QString path = QFile::decodeName(QByteArray::fromStdString(data));
        if (!path.isEmpty() && !read.contains(path))
            read.append(path);
    }
    paths_ = read;
}

bool RecentFileList::WriteList(RegistryStore &store, const std::string &keyPath) const
{
    RegistryKey key;
    if (!store.CreateKey(RegistryRoot::CurrentUser, SectionPath(keyPath), key))
        return false;
    for (int i = 0; i < size_; ++i) {
        // Each call's failure is left alone: the rest of the list is still worth writing.
        if (i < paths_.size())
            key.SetString(EntryName(i), QFile::encodeName(paths_[i]).toStdString());
        else
            key.DeleteValue(EntryName(i));
    }
    return key.Close();
}

QString RecentFileList::MenuText(int index, int maxChars) const
{
    if (index < 0 || index >= paths_.size())
        return QString();
    QString shown = AbbreviatePath(WithTilde(paths_[index]), maxChars);
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(index + 1).arg(shown);
}

QString AbbreviatePath(const QString &path, int maxChars)
{
    if (path.size() <= maxChars)
        return path;
    const qsizetype lastSlash = path.lastIndexOf(QLatin1Char('/'));
    const QString fileName = lastSlash < 0 ? path : path.mid(lastSlash + 1);
    if (lastSlash < 0 || fileName.size() + 4 >= maxChars)
        return fileName;

    // The start that stays: "/" for an absolute path, "~/" or the first component otherwise.
    const qsizetype firstSlash = path.indexOf(QLatin1Char('/'));
    const QString start = path.left(firstSlash + 1);
    const QString ellipsis = QStringLiteral("...");
    // Take trailing components while start + "..." + tail still fits.
    QString tail = QLatin1Char('/') + fileName;
    qsizetype cut = lastSlash;
    while (cut > firstSlash) {
        const qsizetype previous = path.lastIndexOf(QLatin1Char('/'), cut - 1);
        if (previous < firstSlash)
            break;
        const QString longer = path.mid(previous, cut - previous) + tail;
        if (start.size() + ellipsis.size() + longer.size() > maxChars)
            break;
        tail = longer;
        cut = previous;
    }
    if (start.size() + ellipsis.size() + tail.size() > maxChars)
        return fileName;
    return start + ellipsis + tail;
}

} // namespace sifter
