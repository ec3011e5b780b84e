// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Qt 6.4's accessibility bridge reads a second argument of every Properties call on the
// accessibility bus, and Properties.GetAll has one: any screen reader or inspector that asks
// for all of an object's properties (gdbus introspect does) crashed the program. Once the
// bridge has registered its objects, this guard takes their place and answers GetAll itself;
// every other message goes on to the bridge.
#include <QAccessible>
#include <QDBusConnection>
#include <QDBusVirtualObject>
#include <QPointer>

namespace sifter {

// Stands in front of a virtual object: answers Properties.GetAll of the accessible interface
// from the accessibility tree, refuses GetAll of the others (each property is still there
// through Get), and hands every other message to inner.
class AccessibleGetAllAnswer final : public QDBusVirtualObject {
    Q_OBJECT

public:
    explicit AccessibleGetAllAnswer(QDBusVirtualObject *inner, QObject *parent = nullptr);

    QString introspect(const QString &path) const override;
    bool handleMessage(const QDBusMessage &message, const QDBusConnection &connection) override;

private:
    QPointer<QDBusVirtualObject> inner_;
};

// Puts an AccessibleGetAllAnswer in front of the bridge's objects on connection; false when
// no virtual object is registered there (the bridge is not active). Done once: a second call
// finds the guard and returns true.
bool GuardAccessibleObjects(QDBusConnection connection, QObject *owner);

// Watches for the bridge to become active and guards its objects then. Lives as long as the
// application object.
class AccessibilityBusGuard final : public QObject, public QAccessible::ActivationObserver {
public:
    AccessibilityBusGuard();
    ~AccessibilityBusGuard() override;
    AccessibilityBusGuard(const AccessibilityBusGuard &) = delete;
    AccessibilityBusGuard &operator=(const AccessibilityBusGuard &) = delete;

    void accessibilityActiveChanged(bool active) override;
};

} // namespace sifter
