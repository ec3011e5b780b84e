// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// SIGTERM and SIGHUP (a logout, `kill`, a closed terminal) delivered as a Qt signal on the
// GUI thread, so that the program can close as its Exit command does. The handler only
// writes the signal's number into a pipe that a socket notifier watches.
#include <QObject>

class QSocketNotifier;

namespace sifter {

class TerminationSignals final : public QObject {
    Q_OBJECT

public:
    // Installs the handlers; a signal ignored by whoever started the program (nohup) stays
    // ignored. Only one watcher works at a time: a second one installs nothing.
    explicit TerminationSignals(QObject *parent = nullptr);
    // Puts the default handlers back.
    ~TerminationSignals() override;
    TerminationSignals(const TerminationSignals &) = delete;
    TerminationSignals &operator=(const TerminationSignals &) = delete;

    // False when nothing was installed (no pipe, or the system refused the handlers):
    // the signals then end the program at once, as they do by default.
    bool IsWatching() const { return watching_; }

signals:
    // A watched signal arrived. The handler is taken away when it runs, so a second such
    // signal ends the program at once should the close hang.
    void Received(int signalNumber);

private:
    void ReadPipe();
    void RestoreDefaults();

    int readFd_ = -1;
    int writeFd_ = -1;
    bool watching_ = false;
    QSocketNotifier *notifier_ = nullptr;  // a child object
};

} // namespace sifter
