// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A dbus-daemon of the test program's own, started at first use and stopped at exit, so that
// fake desktop services can be registered without touching the user's session bus.
#include <QProcess>
#include <QStandardPaths>
#include <QString>

namespace sifter {

class PrivateBus {
public:
    static PrivateBus &Get()
    {
        static PrivateBus bus;
        return bus;
    }
    // The bus's address; empty when no dbus-daemon could be started.
    QString Address() const { return address_; }

private:
    PrivateBus()
    {
        const QString program = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
        if (program.isEmpty())
            return;
        daemon_.start(program, {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address")});
        if (!daemon_.waitForStarted() || !daemon_.waitForReadyRead(10000))
            return;
        address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
    }
    ~PrivateBus()
    {
        daemon_.kill();
        daemon_.waitForFinished();
    }

    QProcess daemon_;
    QString address_;
};

} // namespace sifter
