// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/name_conflict_dialog.h"

#include "framework/spoken_buttons.h"
#include "framework/string_resources.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace sifter {
namespace {

// Wide enough that an ordinary folder path is not broken over lines.
constexpr int kQuestionMinimumWidth = 420;

} // namespace

NameConflictDialog::NameConflictDialog(const QString &name, const QString &folder, bool isFolder, QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(LoadResString(str::kConflictTitle));
    setObjectName(QStringLiteral("NameConflictDialog"));

    auto *text = new QLabel(LoadResString(isFolder ? str::kConflictFolderExists : str::kConflictFileExists)
                                .arg(name, folder),
                            this);
    text->setObjectName(QStringLiteral("question"));
    text->setWordWrap(true);
    text->setMinimumWidth(kQuestionMinimumWidth);
    text->setTextFormat(Qt::PlainText);  // names are shown as they are, never as markup
    auto *icon = new QLabel(this);
    const int iconSize = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion, nullptr, this).pixmap(iconSize));
    icon->setAlignment(Qt::AlignTop);

    applyToAll_ = new QCheckBox(LoadResString(str::kConflictApplyToAll), this);

    auto *buttons = new QDialogButtonBox(this);
    replace_ = buttons->addButton(LoadResString(isFolder ? str::kConflictMerge : str::kConflictReplace),
                                  QDialogButtonBox::AcceptRole);
    skip_ = buttons->addButton(LoadResString(str::kConflictSkip), QDialogButtonBox::ActionRole);
    rename_ = buttons->addButton(LoadResString(str::kConflictRename), QDialogButtonBox::ActionRole);
    rename_->setToolTip(LoadResString(str::kConflictRenameTip));
    replace_->setToolTip(LoadResString(isFolder ? str::kConflictMergeTip : str::kConflictReplaceTip));
    skip_->setToolTip(LoadResString(str::kConflictSkipTip));
    cancel_ = buttons->addButton(LoadResString(str::kTransferCancel), QDialogButtonBox::RejectRole);
    DescribeButtonsByRole(*buttons);
    // Enter must not replace a file by accident: it skips.
    skip_->setDefault(true);
    connect(replace_, &QPushButton::clicked, this, [this] { Choose(ConflictAnswer::kReplace); });
    connect(skip_, &QPushButton::clicked, this, [this] { Choose(ConflictAnswer::kSkip); });
    connect(rename_, &QPushButton::clicked, this, [this] { Choose(ConflictAnswer::kRename); });
    connect(cancel_, &QPushButton::clicked, this, [this] { Choose(ConflictAnswer::kCancel); });

    auto *top = new QHBoxLayout;
    top->addWidget(icon);
    top->addWidget(text, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(applyToAll_);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

bool NameConflictDialog::ApplyToAll() const
{
    return applyToAll_->isChecked();
}

QPushButton *NameConflictDialog::Button(ConflictAnswer answer) const
{
    switch (answer) {
    case ConflictAnswer::kReplace:
        return replace_;
    case ConflictAnswer::kSkip:
        return skip_;
    case ConflictAnswer::kRename:
        return rename_;
    case ConflictAnswer::kCancel:
        return cancel_;
    }
    return cancel_;
}

void NameConflictDialog::Choose(ConflictAnswer answer)
{
    answer_ = answer;
    if (answer == ConflictAnswer::kCancel)
        reject();
    else
        accept();
}

} // namespace sifter
