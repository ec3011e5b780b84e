// SPDX-License-Identifier: GPL-3.0-or-later
#include "fileops/desktop_portal.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusReply>
#include <QDBusUnixFileDescriptor>
#include <QVariantMap>

#include <fcntl.h>
#include <unistd.h>

namespace sifter {

bool DesktopPortal::Available() const
{
    if (!bus_.isConnected() || !bus_.connectionCapabilities().testFlag(QDBusConnection::UnixFileDescriptorPassing))
        return false;
    const QDBusConnectionInterface *bus = bus_.interface();
    if (!bus)
        return false;
    const QString service = QString::fromLatin1(kPortalService);
    if (bus->isServiceRegistered(service).value())
        return true;
    const QDBusReply<QStringList> activatable = bus->activatableServiceNames();
    return activatable.isValid() && activatable.value().contains(service);
}

bool DesktopPortal::ChooseApplicationFor(const std::string &path, const QString &parentWindow, QObject *context,
                                         std::function<void()> onRefused) const
{
    if (!Available())
        return false;
    // O_PATH: the file is named, not read, so neither a FIFO nor a missing read permission stops it.
    const int fd = open(path.c_str(), O_PATH | O_CLOEXEC);
    if (fd < 0)
        return false;
    const QDBusUnixFileDescriptor descriptor(fd);  // keeps a copy of its own
    close(fd);  // only named, never written: a failed close loses nothing
    if (!descriptor.isValid())
        return false;
    QDBusMessage message = QDBusMessage::createMethodCall(QString::fromLatin1(kPortalService),
                                                          QString::fromLatin1(kPortalPath),
                                                          QString::fromLatin1(kOpenUriInterface),
                                                          QStringLiteral("OpenFile"));
    QVariantMap options;
    options.insert(QStringLiteral("ask"), true);
    message << parentWindow << QVariant::fromValue(descriptor) << options;
    // Not waited for: the portal answers at once with a request handle, yet the window must not
    // hang on a portal being started; an error answer brings the fallback.
    auto *watcher = new QDBusPendingCallWatcher(bus_.asyncCall(message), context);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                     [onRefused = std::move(onRefused)](QDBusPendingCallWatcher *call) {
                         if (call->isError() && onRefused)
                             onRefused();
                         call->deleteLater();
                     });
    return true;
}

} // namespace sifter
