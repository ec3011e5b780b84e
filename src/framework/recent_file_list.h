// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The recent result files of the File menu: a short list, newest first, kept in the
// registry store in a key of its own as values "File1", "File2", ...
#include <QString>
#include <QStringList>

#include <string>

namespace sifter {

class RegistryStore;

inline constexpr const char *kRecentFileSection = "Recent File List";

class RecentFileList {
public:
    // A list of at most size entries.
    explicit RecentFileList(int size);

    int Size() const { return size_; }
    // The entries, newest first; never more than Size().
    const QStringList &Paths() const { return paths_; }

    // Puts the path first; an equal entry further down is removed, the oldest falls off.
    void Add(const QString &path);
    // Removes the entry at index; nothing happens for an index out of range.
    void Remove(int index);

    // Reads "File1".."FileN" from section below the key path; missing or empty values are
    // skipped. Keeps the list as it was when the key does not exist.
    void ReadList(RegistryStore &store, const std::string &keyPath);
    // Writes the entries as "File1".. and removes the values of empty places; false when
    // the key cannot be created.
    bool WriteList(RegistryStore &store, const std::string &keyPath) const;

    // The menu text of an entry: "&1 " and the path (home folder as "~", at most maxChars
    // characters, middle folders left out as "..."), with "&" in the path doubled.
    QString MenuText(int index, int maxChars) const;

private:
    int size_;
    QStringList paths_;
};

// A path cut to at most maxChars characters: the start ("/" or "~/"), "...", and as many
// trailing components as fit; at least the file name, even when that is longer.
QString AbbreviatePath(const QString &path, int maxChars);

} // namespace sifter
