// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The desktop portal's application chooser (org.freedesktop.portal.OpenURI.OpenFile with
// ask=true): the user picks the program that opens a file, in the desktop's own dialog.
#include <QDBusConnection>
#include <QString>

#include <functional>
#include <string>

namespace sifter {

inline constexpr char kPortalService[] = "org.freedesktop.portal.Desktop";
inline constexpr char kPortalPath[] = "/org/freedesktop/portal/desktop";
inline constexpr char kOpenUriInterface[] = "org.freedesktop.portal.OpenURI";

class DesktopPortal {
public:
    // bus: the connection to call on (the session bus in the program; tests give their own).
    explicit DesktopPortal(const QDBusConnection &bus) : bus_(bus) {}

    // True when the bus is connected and the portal owns its name or can be started for it.
    bool Available() const;
    // Asks the portal to let the user choose the program for the file at path (bytes), handing
    // it the file as a descriptor; parentWindow is "x11:<id>" or empty. False when no portal
    // is available or the file cannot be opened; onRefused runs later when the portal answers
    // the call with an error, unless context has gone by then.
    bool ChooseApplicationFor(const std::string &path, const QString &parentWindow, QObject *context,
                              std::function<void()> onRefused) const;

private:
    QDBusConnection bus_;
};

} // namespace sifter
