// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// COptionsDialog: Tools > Options (res::kDialogOptions). Register and Unregister tie the
// result-file type to the program, Add and Remove the "Sifter" action on folders: each button
// writes its keys under HKEY_CLASSES_ROOT of the registry store, then does the desktop's side,
// then says str::kOperationDone whatever happened, then reads again what is in place. Under
// each group a line says what is in place now, or why an action or the reading failed.
#include "framework/dialog_builder.h"

#include <QDialog>
#include <QRect>
#include <QSize>
#include <QString>

#include <string>
#include <utility>
#include <vector>

class QLabel;
class QPushButton;

namespace sifter {

class OptionsDesktop;
class RegistryStore;
class UserPrompts;

class COptionsDialog : public QDialog {
    Q_OBJECT

public:
    // desktop: the desktop's side, or null for the registry keys alone (then the lines stay
    // hidden). All three outlive the dialog.
    COptionsDialog(RegistryStore &store, OptionsDesktop *desktop, UserPrompts &prompts, QWidget *parent = nullptr);

    QPushButton *Button(int id) const;
    QLabel *FileTypeLine() const { return fileTypeLine_; }
    QLabel *FolderActionLine() const { return folderActionLine_; }

protected:
    // Enter while no push button has the focus goes to the hidden OK button.
    void keyPressEvent(QKeyEvent *event) override;

private:
    void OnRegister(bool remove);
    void OnFolderVerb(bool remove);
    // The lines from what the desktop reports now, with the last action's failures.
    void ShowState();
    // The state lines take the height their text needs: what is below a longer one moves
    // down and the dialog grows, rather than a reason being cut; a shorter one gives it back.
    void FitStateLines();
    std::string ProgramPath() const;

    DialogControls controls_;
    RegistryStore &store_;
    OptionsDesktop *desktop_;
    UserPrompts &prompts_;
    QLabel *fileTypeLine_ = nullptr;
    QLabel *folderActionLine_ = nullptr;
    QPushButton *okButton_ = nullptr;
    std::vector<std::pair<QWidget *, QRect>> templateGeometry_; // every control as built
    QSize templateSize_;
    std::string fileTypeError_;                  // the last Register or Unregister's failure
    std::vector<std::string> folderActionErrors_;  // the last Add or Remove's failures
};

} // namespace sifter
