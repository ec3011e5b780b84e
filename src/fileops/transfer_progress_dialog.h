// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window of a copy or move to a folder: what is done ("Copying to ..."), the entry under
// way, "File n of m", a bar of the bytes, and Cancel. It is the transfer's sink: it turns the
// event loop while the work runs and passes name conflicts to the user's prompts.
#include "transfer/file_transfer.h"

#include <QDialog>
#include <QElapsedTimer>

#include <chrono>

class QLabel;
class QProgressBar;
class QPushButton;

namespace sifter {

class UserPrompts;

class TransferProgressDialog : public QDialog, public TransferSink {
    Q_OBJECT

public:
    // Work after this long shows the window; a quicker copy never flashes it.
    static constexpr std::chrono::milliseconds kShowDelay{500};
    // The event loop turns at most this often, so the window paints and Cancel answers
    // without slowing the copy.
    static constexpr std::chrono::milliseconds kPumpInterval{20};

    // folder: the destination, as shown; prompts answer name conflicts and must outlive the
    // dialog. The dialog is window-modal over parent once shown; the clock starts here.
    TransferProgressDialog(TransferKind kind, const QString &folder, UserPrompts &prompts, QWidget *parent);

    // For tests: the delay before the window shows.
    void SetShowDelay(std::chrono::milliseconds delay) { showDelay_ = delay; }

    // TransferSink. Progress is false once Cancel was pressed (or the window closed).
    bool Progress(const TransferProgress &progress) override;
    ConflictAnswer AskConflict(const std::string &source, const std::string &target, bool targetIsFolder,
                               bool &applyToAll) override;

    bool Cancelled() const { return cancelled_; }
    QPushButton *CancelButton() const { return cancel_; }
    // The texts shown: the entry under way and the file count.
    QString CurrentText() const;
    QString CountText() const;

    // Cancel, as the button, Escape and the window's close button do it: the transfer stops at
    // its next step.
    void reject() override;

private:
    void Show(const TransferProgress &progress);

    UserPrompts &prompts_;
    QLabel *current_;
    QLabel *count_;
    QProgressBar *bar_;
    QPushButton *cancel_;
    QElapsedTimer clock_;
    std::chrono::milliseconds showDelay_ = kShowDelay;
    qint64 lastPump_ = -1;
    bool cancelled_ = false;
};

} // namespace sifter
