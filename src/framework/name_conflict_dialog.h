// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The question a copy or move asks when an item of the same name is already in the
// destination folder: Replace (Merge for two folders), Skip, Rename (keep both) or Cancel,
// and whether the answer holds for the conflicts that follow.
#include "transfer/file_transfer.h"

#include <QDialog>

class QCheckBox;
class QPushButton;

namespace sifter {

class NameConflictDialog : public QDialog {
    Q_OBJECT

public:
    // name: the item's name; folder: the destination folder that holds one of that name.
    NameConflictDialog(const QString &name, const QString &folder, bool isFolder, QWidget *parent = nullptr);

    // The button pressed; kCancel also when the dialog was closed or Escape was pressed.
    ConflictAnswer Answer() const { return answer_; }
    bool ApplyToAll() const;

    QPushButton *Button(ConflictAnswer answer) const;
    QCheckBox *ApplyToAllBox() const { return applyToAll_; }

private:
    void Choose(ConflictAnswer answer);

    ConflictAnswer answer_ = ConflictAnswer::kCancel;
    QPushButton *replace_;
    QPushButton *skip_;
    QPushButton *rename_;
    QPushButton *cancel_;
    QCheckBox *applyToAll_;
};

} // namespace sifter
