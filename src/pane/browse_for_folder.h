// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The folder picker of Browse (and of the results list's copy and move commands).
#include <QString>

#include <functional>

class QWidget;

namespace sifter {

// Asks for a folder: owner window (may be null), title, the folder it opens at. Returns the
// chosen folder, empty when cancelled.
using FolderPicker = std::function<QString(QWidget *owner, const QString &title, const QString &start)>;

// The desktop's folder picker (QFileDialog::getExistingDirectory, through the desktop
// portal where one runs).
QString PickFolderWithDialog(QWidget *owner, const QString &title, const QString &start);

// Opens picker at startPath ("~" and a leading "~/" stand for the home folder) and writes the
// chosen folder into path, which may be startPath itself; a cancelled picker leaves path as
// it was. True when path holds a non-empty text afterwards.
bool BrowseForFolder(const FolderPicker &picker, QWidget *owner, const QString &startPath, const QString &title,
                     QString &path);

} // namespace sifter
