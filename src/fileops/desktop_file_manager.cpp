// SPDX-License-Identifier: GPL-3.0-or-later
#include "fileops/desktop_file_manager.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>

namespace sifter {

bool DesktopFileManager::Available() const
{
    if (!bus_.isConnected())
        return false;
    const QDBusConnectionInterface *bus = bus_.interface();
    if (!bus)
        return false;
    const QString service = QString::fromLatin1(kFileManagerService);
    if (bus->isServiceRegistered(service).value())
        return true;
    // A file manager that is not running may still be started by the bus for the call.
    const QDBusReply<QStringList> activatable = bus->activatableServiceNames();
    return activatable.isValid() && activatable.value().contains(service);
}

bool DesktopFileManager::ShowItems(const QStringList &uris) const
{
    return Call("ShowItems", uris);
}

bool DesktopFileManager::ShowItemProperties(const QStringList &uris) const
{
    return Call("ShowItemProperties", uris);
}

bool DesktopFileManager::Call(const char *method, const QStringList &uris) const
{
    if (!Available())
        return false;
    QDBusMessage message = QDBusMessage::createMethodCall(QString::fromLatin1(kFileManagerService),
                                                          QString::fromLatin1(kFileManagerPath),
                                                          QString::fromLatin1(kFileManagerInterface),
                                                          QString::fromLatin1(method));
    // The startup id is empty: no startup notification is under way.
    message << uris << QString();
    // Not waited for: a file manager being started could hold the window for seconds.
    return bus_.send(message);
}

} // namespace sifter
