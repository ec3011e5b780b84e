// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A test's object serving a desktop interface (a file manager's, the portal's) under the
// interface's well-known name on the test's private bus, and the connection the program
// reaches it through; both are taken down when this goes.
#include "support/private_bus.h"

#include <QDBusConnection>
#include <QObject>
#include <QString>

#include <utility>

namespace sifter::test {

class FakeDesktopService {
public:
    // connectionName names the service's connection; the program's adds "-caller".
    explicit FakeDesktopService(QString connectionName)
        : name_(std::move(connectionName)), callerName_(name_ + QStringLiteral("-caller"))
    {
    }
    ~FakeDesktopService()
    {
        if (!connected_)
            return;
        QDBusConnection bus(name_);
        bus.unregisterObject(path_);
        bus.unregisterService(service_);
        QDBusConnection::disconnectFromBus(name_);
        QDBusConnection::disconnectFromBus(callerName_);
    }
    FakeDesktopService(const FakeDesktopService &) = delete;
    FakeDesktopService &operator=(const FakeDesktopService &) = delete;

    // Serves object's slots at path under the name service; false when no dbus-daemon could
    // be started or the bus refused either. The object stays the caller's and must outlive this.
    bool Register(const QString &service, const QString &path, QObject *object)
    {
        const QString address = PrivateBus::Get().Address();
        if (address.isEmpty())
            return false;
        QDBusConnection bus = QDBusConnection::connectToBus(address, name_);
        connected_ = true;
        service_ = service;
        path_ = path;
        return bus.registerService(service) && bus.registerObject(path, object, QDBusConnection::ExportAllSlots);
    }

    // The program's connection to the bus the service is on, for CMainFrame::SetDesktopBus.
    QDBusConnection Caller() const
    {
        return QDBusConnection::connectToBus(PrivateBus::Get().Address(), callerName_);
    }

private:
    QString name_;
    QString callerName_;
    QString service_;
    QString path_;
    bool connected_ = false;
};

} // namespace sifter::test
