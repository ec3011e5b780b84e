// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/accessibility_bus_guard.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QTimer>

namespace sifter {
namespace {

const QLatin1String kAccessiblePath("/org/a11y/atspi/accessible");
const QLatin1String kRootPath("/org/a11y/atspi/accessible/root");
const QLatin1String kNullPath("/org/a11y/atspi/null");
const QLatin1String kPropertiesInterface("org.freedesktop.DBus.Properties");
const QLatin1String kAccessibleInterface("org.a11y.atspi.Accessible");
// The name Qt's bridge gives its connection to the accessibility bus.
const QLatin1String kBridgeConnection("a11y");

// The bridge's paths: the application is "root", every other object its unique id.
QAccessibleInterface *InterfaceOfPath(const QString &path)
{
    if (path == kRootPath)
        return QAccessible::queryAccessibleInterface(QCoreApplication::instance());
    const QString prefix = kAccessiblePath + QLatin1Char('/');
    if (!path.startsWith(prefix))
        return nullptr;
    bool number = false;
    const uint id = path.mid(prefix.size()).toUInt(&number);
    return number ? QAccessible::accessibleInterface(id) : nullptr;
}

QString PathOfInterface(QAccessibleInterface *interface)
{
    if (!interface)
        return kNullPath;
    if (interface->role() == QAccessible::Application)
        return kRootPath;
    return kAccessiblePath + QLatin1Char('/') + QString::number(QAccessible::uniqueId(interface));
}

// The properties the bridge answers one by one through Get.
QVariantMap AccessibleProperties(QAccessibleInterface *interface, const QDBusConnection &connection)
{
    QDBusArgument parent;
    parent.beginStructure();
    parent << connection.baseService() << QDBusObjectPath(PathOfInterface(interface->parent()));
    parent.endStructure();
    return {
        {QStringLiteral("Name"), interface->text(QAccessible::Name)},
        {QStringLiteral("Description"), interface->text(QAccessible::Description)},
        {QStringLiteral("Parent"), QVariant::fromValue(parent)},
        {QStringLiteral("ChildCount"), interface->childCount()},
    };
}

} // namespace

AccessibleGetAllAnswer::AccessibleGetAllAnswer(QDBusVirtualObject *inner, QObject *parent)
    : QDBusVirtualObject(parent), inner_(inner)
{
}

QString AccessibleGetAllAnswer::introspect(const QString &path) const
{
    return inner_ ? inner_->introspect(path) : QString();
}

bool AccessibleGetAllAnswer::handleMessage(const QDBusMessage &message, const QDBusConnection &connection)
{
    if (message.interface() != kPropertiesInterface || message.member() != QLatin1String("GetAll"))
        return inner_ && inner_->handleMessage(message, connection);
    const QList<QVariant> arguments = message.arguments();
    QAccessibleInterface *interface = InterfaceOfPath(message.path());
    if (!interface) {
        connection.send(message.createErrorReply(QDBusError::UnknownObject, message.path()));
        return true;
    }
    if (arguments.size() != 1 || arguments.front().toString() != kAccessibleInterface) {
        connection.send(message.createErrorReply(QDBusError::NotSupported,
                                                 QStringLiteral("ask each property of this interface with Get")));
        return true;
    }
    connection.send(message.createReply(AccessibleProperties(interface, connection)));
    return true;
}

bool GuardAccessibleObjects(QDBusConnection connection, QObject *owner)
{
    QObject *registered = connection.objectRegisteredAt(kAccessiblePath);
    if (qobject_cast<AccessibleGetAllAnswer *>(registered))
        return true;
    auto *bridge = qobject_cast<QDBusVirtualObject *>(registered);
    if (!bridge)
        return false;
    auto *guard = new AccessibleGetAllAnswer(bridge, owner);
    connection.unregisterObject(kAccessiblePath);
    if (connection.registerVirtualObject(kAccessiblePath, guard, QDBusConnection::SubPath))
        return true;
    // Put the bridge back as it was: a bridge without GetAll beats none at all.
    connection.registerVirtualObject(kAccessiblePath, bridge, QDBusConnection::SubPath);
    delete guard;
    return false;
}

AccessibilityBusGuard::AccessibilityBusGuard()
{
    QAccessible::installActivationObserver(this);
}

AccessibilityBusGuard::~AccessibilityBusGuard()
{
    QAccessible::removeActivationObserver(this);
}

void AccessibilityBusGuard::accessibilityActiveChanged(bool active)
{
    if (!active)
        return;
    // The bridge registers its objects right after it tells the observers.
    QTimer::singleShot(0, this, [this] {
        for (const QDBusConnection &connection : {QDBusConnection(kBridgeConnection), QDBusConnection::sessionBus()}) {
            if (connection.isConnected() && GuardAccessibleObjects(connection, this))
                return;
        }
    });
}

} // namespace sifter
