// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The desktop's file manager through its org.freedesktop.FileManager1 D-Bus interface:
// revealing files with them selected in their folders, and their properties windows.
#include <QDBusConnection>
#include <QStringList>

namespace sifter {

inline constexpr char kFileManagerService[] = "org.freedesktop.FileManager1";
inline constexpr char kFileManagerPath[] = "/org/freedesktop/FileManager1";
inline constexpr char kFileManagerInterface[] = "org.freedesktop.FileManager1";

class DesktopFileManager {
public:
    // bus: the connection to call on (the session bus in the program; tests give their own).
    explicit DesktopFileManager(const QDBusConnection &bus) : bus_(bus) {}

    // True when the bus is connected and a file manager owns the name or can be started for it.
    bool Available() const;
    // ShowItems(uris, "") / ShowItemProperties(uris, ""), sent without waiting for the file
    // manager; false when none is available or the message could not be sent.
    bool ShowItems(const QStringList &uris) const;
    bool ShowItemProperties(const QStringList &uris) const;

private:
    bool Call(const char *method, const QStringList &uris) const;

    QDBusConnection bus_;
};

} // namespace sifter
