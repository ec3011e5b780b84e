// SPDX-License-Identifier: GPL-3.0-or-later
// Properties.GetAll on the accessibility objects: answered in front of the bridge, which
// crashed on it, while every other message still reaches the bridge.
#include "app/accessibility_bus_guard.h"
#include "support/private_bus.h"

#include <QAccessible>
#include <QDBusMessage>
#include <QDBusReply>
#include <QWidget>

#include <gtest/gtest.h>

namespace sifter::test {
namespace {

const QString kRoot = QStringLiteral("/org/a11y/atspi/accessible/root");
const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");
const QString kAccessible = QStringLiteral("org.a11y.atspi.Accessible");

// Stands for the bridge: answers every call with the member's name and counts them.
class FakeBridge final : public QDBusVirtualObject {
public:
    QString introspect(const QString &) const override { return {}; }
    bool handleMessage(const QDBusMessage &message, const QDBusConnection &connection) override
    {
        ++calls;
        return connection.send(message.createReply(message.member()));
    }
    int calls = 0;
};

class AccessibilityBusGuardTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (PrivateBus::Get().Address().isEmpty())
            GTEST_SKIP() << "no dbus-daemon";
        service_ = QDBusConnection::connectToBus(PrivateBus::Get().Address(), QStringLiteral("guarded"));
        caller_ = QDBusConnection::connectToBus(PrivateBus::Get().Address(), QStringLiteral("caller"));
        ASSERT_TRUE(service_.registerVirtualObject(QStringLiteral("/org/a11y/atspi/accessible"), &bridge_,
                                                   QDBusConnection::SubPath));
        ASSERT_TRUE(GuardAccessibleObjects(service_, &owner_));
    }
    void TearDown() override
    {
        service_.unregisterObject(QStringLiteral("/org/a11y/atspi/accessible"));
        QDBusConnection::disconnectFromBus(QStringLiteral("guarded"));
        QDBusConnection::disconnectFromBus(QStringLiteral("caller"));
    }

    QDBusMessage Call(const QString &path, const QString &interface, const QString &member, const QVariantList &arguments)
    {
        QDBusMessage message = QDBusMessage::createMethodCall(service_.baseService(), path, interface, member);
        message.setArguments(arguments);
        return caller_.call(message, QDBus::BlockWithGui, 5000);
    }

    QObject owner_;
    FakeBridge bridge_;
    QDBusConnection service_{QString()};
    QDBusConnection caller_{QString()};
};

TEST_F(AccessibilityBusGuardTest, GetAllIsAnsweredFromTheAccessibilityTree)
{
    QWidget window;
    window.setWindowTitle(QStringLiteral("guarded window"));
    window.show();
    const QDBusMessage reply = Call(kRoot, kProperties, QStringLiteral("GetAll"), {kAccessible});
    ASSERT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();
    const QVariantMap properties = qdbus_cast<QVariantMap>(reply.arguments().value(0));
    QAccessibleInterface *application = QAccessible::queryAccessibleInterface(QCoreApplication::instance());
    EXPECT_EQ(properties.value(QStringLiteral("Name")).toString(), application->text(QAccessible::Name));
    EXPECT_EQ(properties.value(QStringLiteral("ChildCount")).toInt(), application->childCount());
    EXPECT_GE(application->childCount(), 1);
    EXPECT_TRUE(properties.contains(QStringLiteral("Parent")));
    EXPECT_EQ(bridge_.calls, 0);

    const QString windowPath = QStringLiteral("/org/a11y/atspi/accessible/") +
                               QString::number(QAccessible::uniqueId(QAccessible::queryAccessibleInterface(&window)));
    const QDBusMessage ofWindow = Call(windowPath, kProperties, QStringLiteral("GetAll"), {kAccessible});
    ASSERT_EQ(ofWindow.type(), QDBusMessage::ReplyMessage);
    EXPECT_EQ(qdbus_cast<QVariantMap>(ofWindow.arguments().value(0)).value(QStringLiteral("Name")).toString(),
              QStringLiteral("guarded window"));
}

TEST_F(AccessibilityBusGuardTest, GetAllOfOtherInterfacesAndOfNoObjectIsAnErrorNotACrash)
{
    EXPECT_EQ(Call(kRoot, kProperties, QStringLiteral("GetAll"), {QStringLiteral("org.a11y.atspi.Component")})
                  .errorName(),
              QStringLiteral("org.freedesktop.DBus.Error.NotSupported"));
    EXPECT_EQ(Call(kRoot, kProperties, QStringLiteral("GetAll"), {}).errorName(),
              QStringLiteral("org.freedesktop.DBus.Error.NotSupported"));
    EXPECT_EQ(Call(QStringLiteral("/org/a11y/atspi/accessible/4294967295"), kProperties, QStringLiteral("GetAll"),
                   {kAccessible})
                  .errorName(),
              QStringLiteral("org.freedesktop.DBus.Error.UnknownObject"));
    EXPECT_EQ(bridge_.calls, 0);
}

TEST_F(AccessibilityBusGuardTest, EveryOtherCallReachesTheBridgeAndGuardingTwiceKeepsOneGuard)
{
    ASSERT_TRUE(GuardAccessibleObjects(service_, &owner_));
    const QDBusMessage get = Call(kRoot, kProperties, QStringLiteral("Get"), {kAccessible, QStringLiteral("Name")});
    EXPECT_EQ(get.arguments().value(0).toString(), QStringLiteral("Get"));
    const QDBusMessage role = Call(kRoot, kAccessible, QStringLiteral("GetRole"), {});
    EXPECT_EQ(role.arguments().value(0).toString(), QStringLiteral("GetRole"));
    EXPECT_EQ(bridge_.calls, 2);
}

} // namespace
} // namespace sifter::test
