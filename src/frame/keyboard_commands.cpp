// SPDX-License-Identifier: GPL-3.0-or-later
// The keys of the criteria pane that work from anywhere in the window: F5 searches again,
// Ctrl+F and Ctrl+L go to the name and folder boxes.
#include "frame/main_frame.h"

#include "doc/sifter_doc.h"
#include "pane/left_view.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace sifter {
namespace {

// Focuses the box with its text selected, so that typing replaces it.
void FocusBox(QComboBox *box)
{
    box->setFocus(Qt::ShortcutFocusReason);
    if (QLineEdit *edit = box->lineEdit())
        edit->selectAll();
}

} // namespace

void CMainFrame::RegisterKeyboardCommands()
{
    // F5 only starts a run: while one runs the Search button reads Stop, and a key that
    // reloads elsewhere should not end a search here.
    OnCommand(cmd::kSearchAgain, [this] {
        if (leftView_ && !leftView_->GetDocument().Search().InRun())
            leftView_->SearchButton()->click();
    });
    OnUpdateCommand(cmd::kSearchAgain, [this](CommandUi &ui) {
        ui.Enable(leftView_ && !leftView_->GetDocument().Search().InRun());
    });
    OnCommand(cmd::kFocusNameBox, [this] {
        if (leftView_)
            FocusBox(leftView_->NameBox());
    });
    OnCommand(cmd::kFocusFolderBox, [this] {
        if (leftView_)
            FocusBox(leftView_->FolderBox());
    });
    const auto needsPane = [this](CommandUi &ui) { ui.Enable(leftView_ != nullptr); };
    OnUpdateCommand(cmd::kFocusNameBox, needsPane);
    OnUpdateCommand(cmd::kFocusFolderBox, needsPane);
}

} // namespace sifter
