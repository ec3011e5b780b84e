// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// CAboutDialog: Help > About (res::kDialogAbout): the program's icon and name, the about
// text (str::kAboutText) in a read-only box, and two links that run the Online Help and
// Web Site commands without closing the box.
#include "res/resource_ids.h"

#include <QDialog>
#include <QString>

#include <functional>

class QPlainTextEdit;
class QPushButton;

namespace sifter {

class CLinkButton;

class CAboutDialog : public QDialog {
    Q_OBJECT

public:
    // The links show the two addresses; a click on one runs runCommand with its id
    // (cmd::kHelpIndex for Online Help, cmd::kWebSite), which the owner routes.
    CAboutDialog(const QString &onlineHelpAddress, const QString &webSiteAddress,
                 std::function<void(CommandId)> runCommand, QWidget *parent = nullptr);

    const QString &AboutText() const { return aboutText_; }
    CLinkButton *OnlineHelpLink() const { return onlineHelpLink_; }
    CLinkButton *WebSiteLink() const { return webSiteLink_; }
    QPlainTextEdit *TextBox() const { return textBox_; }
    QPushButton *OkButton() const { return okButton_; }

private:
    CLinkButton *onlineHelpLink_ = nullptr;
    CLinkButton *webSiteLink_ = nullptr;
    QString aboutText_;
    QPlainTextEdit *textBox_ = nullptr;
    QPushButton *okButton_ = nullptr;
};

} // namespace sifter
