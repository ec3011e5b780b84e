// SPDX-License-Identifier: GPL-3.0-or-later
#include "frame/about_dialog.h"

#include "framework/command_icons.h"
#include "framework/dialog_builder.h"
#include "framework/link_button.h"
#include "framework/resource_text.h"
#include "framework/string_resources.h"
#include "res/string_table.h"

#include <QPlainTextEdit>
#include <QPushButton>

namespace sifter {
namespace {

QString ShownAboutText()
{
    const AboutValues values = AboutTextValues();
    return LoadResString(str::kAboutText)
        .arg(QString::fromUtf8(values.version), QString::fromUtf8(values.copyrightLine),
             QString::fromUtf8(values.licence));
}

} // namespace

CAboutDialog::CAboutDialog(const QString &onlineHelpAddress, const QString &webSiteAddress,
                           std::function<void(CommandId)> runCommand, QWidget *parent)
    : QDialog(parent), aboutText_(ShownAboutText())
{
    const DialogResource *resource = FindDialogResource(res::kDialogAbout);
    const DialogUnits units(font());
    setWindowTitle(DialogText(resource->caption));
    setFixedSize(units.ToPixels(resource->width, resource->height));
    setWindowIcon(ProgramIcon());

    const DialogControls controls = BuildDialogControls(*resource, *this, units);
    textBox_ = controls.Find<QPlainTextEdit>(ctl::kAboutText);
    textBox_->setPlainText(aboutText_);
    const auto setUpLink = [&](int id, const QString &address) {
        auto *link = controls.Find<CLinkButton>(id);
        link->setText(address);
        link->setToolTip(address);
        link->SetUnderline(true);
        // The end of an address (the guide's file, the site's page) tells it apart.
        link->SetElideMode(Qt::ElideMiddle);
        connect(link, &QAbstractButton::clicked, this, [runCommand, id] {
            if (runCommand)
                runCommand(static_cast<CommandId>(id));
        });
        return link;
    };
    onlineHelpLink_ = setUpLink(ctl::kOnlineHelpLink, onlineHelpAddress);
    webSiteLink_ = setUpLink(ctl::kWebSiteLink, webSiteAddress);
    okButton_ = controls.Find<QPushButton>(ctl::kIdOk);
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
    okButton_->setFocus();
}

} // namespace sifter
