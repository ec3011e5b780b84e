// SPDX-License-Identifier: GPL-3.0-or-later
#include "pane/browse_for_folder.h"

#include "framework/local_text.h"
#include "fs/path.h"

#include <QFileDialog>
#include <QWidget>

namespace sifter {

QString PickFolderWithDialog(QWidget *owner, const QString &title, const QString &start)
{
    return QFileDialog::getExistingDirectory(owner, title, start);
}

bool BrowseForFolder(const FolderPicker &picker, QWidget *owner, const QString &startPath, const QString &title,
                     QString &path)
{
    if (picker) {
        const QString start = FromLocalText(PathExpandHome(ToLocalText(startPath)));
        const QString chosen = picker(owner ? owner->window() : nullptr, title, start);
        if (!chosen.isEmpty())
            path = chosen;
    }
    return !path.isEmpty();
}

} // namespace sifter
