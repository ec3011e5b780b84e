// SPDX-License-Identifier: GPL-3.0-or-later
#include "fileops/transfer_progress_dialog.h"

#include "framework/event_loop.h"
#include "framework/local_text.h"
#include "framework/spoken_buttons.h"
#include "framework/string_resources.h"
#include "framework/user_prompts.h"
#include "fs/path.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace sifter {
namespace {

// The bar counts in thousandths: byte counts do not fit its int range.
constexpr int kBarSteps = 1000;
// Wide enough for a path of ordinary length; longer ones are elided in the middle.
constexpr int kCurrentMinimumWidth = 420;

int BarValue(const TransferProgress &progress)
{
    if (progress.bytesTotal > 0)
        return static_cast<int>(std::min(progress.bytesDone, progress.bytesTotal) * kBarSteps / progress.bytesTotal);
    if (progress.filesTotal > 0)
        return static_cast<int>(std::min(progress.filesDone, progress.filesTotal) * kBarSteps / progress.filesTotal);
    return 0;
}

} // namespace

TransferProgressDialog::TransferProgressDialog(TransferKind kind, const QString &folder, UserPrompts &prompts,
                                               QWidget *parent)
    : QDialog(parent), prompts_(prompts)
{
    const bool move = kind == TransferKind::kMove;
    setObjectName(QStringLiteral("TransferProgressDialog"));
    setWindowTitle(LoadResString(move ? str::kMovingTitle : str::kCopyingTitle));
    setWindowModality(Qt::WindowModal);

    auto *heading = new QLabel(FormatResString(move ? str::kMovingTo : str::kCopyingTo, folder), this);
    heading->setTextFormat(Qt::PlainText);
    current_ = new QLabel(this);
    current_->setObjectName(QStringLiteral("current"));
    current_->setTextFormat(Qt::PlainText);
    current_->setMinimumWidth(kCurrentMinimumWidth);
    count_ = new QLabel(this);
    count_->setObjectName(QStringLiteral("count"));
    bar_ = new QProgressBar(this);
    bar_->setRange(0, kBarSteps);
    bar_->setValue(0);
    bar_->setTextVisible(false);
    auto *buttons = new QDialogButtonBox(this);
    cancel_ = buttons->addButton(LoadResString(str::kTransferCancel), QDialogButtonBox::RejectRole);
    DescribeButtonsByRole(*buttons);
    connect(cancel_, &QPushButton::clicked, this, &TransferProgressDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(current_);
    layout->addWidget(count_);
    layout->addWidget(bar_);
    layout->addWidget(buttons);
    clock_.start();
}

bool TransferProgressDialog::Progress(const TransferProgress &progress)
{
    if (cancelled_)
        return false;
    const qint64 now = clock_.elapsed();
    if (lastPump_ >= 0 && now - lastPump_ < kPumpInterval.count())
        return true;
    lastPump_ = now;
    if (!isVisible() && now >= showDelay_.count())
        show();
    if (isVisible()) {
        Show(progress);
        // The window is modal: what the user can reach now is its Cancel.
        HandlePendingEvents(PendingEvents::kAll);
    } else {
        // Paint and timers, but no clicks or keys: nothing may start another command under
        // the transfer before its modal window is up.
        HandlePendingEvents(PendingEvents::kWithoutUserInput);
    }
    return !cancelled_;
}

ConflictAnswer TransferProgressDialog::AskConflict(const std::string & /*source*/, const std::string &target,
                                                   bool targetIsFolder, bool &applyToAll)
{
    const ConflictAnswer answer = prompts_.AskNameConflict(FromLocalText(PathLastComponent(target)),
                                                           FromLocalText(PathContainingFolder(target)),
                                                           targetIsFolder, applyToAll);
    // The time the user took to answer is no work: a quick transfer still does not flash
    // its window afterwards.
    if (!isVisible())
        clock_.restart();
    lastPump_ = -1;
    return answer;
}

QString TransferProgressDialog::CurrentText() const
{
    return current_->toolTip();
}

QString TransferProgressDialog::CountText() const
{
    return count_->text();
}

void TransferProgressDialog::reject()
{
    cancelled_ = true;
    QDialog::reject();
}

void TransferProgressDialog::Show(const TransferProgress &progress)
{
    const QString current = FromLocalText(progress.current);
    current_->setToolTip(current);
    current_->setText(
        current_->fontMetrics().elidedText(current, Qt::ElideMiddle, std::max(current_->width(), kCurrentMinimumWidth)));
    if (progress.filesTotal > 0) {
        const std::uint64_t number = std::min(progress.filesDone + 1, progress.filesTotal);
        count_->setText(
            LoadResString(str::kTransferFileCount).arg(QString::number(number), QString::number(progress.filesTotal)));
    } else {
        count_->clear();
    }
    bar_->setValue(BarValue(progress));
}

} // namespace sifter
