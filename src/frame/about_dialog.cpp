#include "frame/about_dialog.h"

#include "framework/command_icons.h"
#include "framework/dialog_units.h"
#include "framework/string_resources.h"
#include "framework/link_button.h"
#include "res/dialogs.h"

#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace sifter {

CAboutDialog::CAboutDialog(const QString &onlineHelpAddress, const QString &webSiteAddress,
                           std::function<void(CommandId)> runCommand, QWidget *parent)
    : QDialog(parent), aboutText_(LoadResString(str::kAboutText))
{
    const DialogResource *resource = FindDialogResource(res::kDialogAbout);
    const DialogUnits units(font());
    setWindowTitle(QString::fromUtf8(resource->caption));
    setFixedSize(units.ToPixels(resource->width, resource->height));
    setWindowIcon(ProgramIcon());

    for (const DialogControlResource &control : resource->controls) {
        const QRect place = units.ToPixels(control.x, control.y, control.width, control.height);
        const QString text = QString::fromUtf8(control.text);
        QWidget *widget = nullptr;
        switch (control.kind) {
        case ControlKind::kIcon: {
            auto *icon = new QLabel(this);
            icon->setPixmap(ProgramIcon().pixmap(place.size()));
            widget = icon;
            break;
        }
        case ControlKind::kStatic: {
            auto *label = new QLabel(text, this);
            label->setTextFormat(Qt::PlainText);
            if (control.style & kStyleCenterVertical)
                label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            widget = label;
            break;
        }
        case ControlKind::kEdit:
            textBox_ = new QPlainTextEdit(this);
            textBox_->setReadOnly(true);
            textBox_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
            textBox_->setPlainText(aboutText_);
            widget = textBox_;
            break;
        case ControlKind::kLinkButton: {
            auto *link = new CLinkButton(this);
            const bool help = control.id == ctl::kOnlineHelpLink;
            link->setText(help ? onlineHelpAddress : webSiteAddress);
            link->setToolTip(link->text());
            link->SetUnderline(true);
            const auto id = static_cast<CommandId>(control.id);
            connect(link, &QAbstractButton::clicked, this, [runCommand, id] {
                if (runCommand)
                    runCommand(id);
            });
            (help ? onlineHelpLink_ : webSiteLink_) = link;
            widget = link;
            break;
        }
        case ControlKind::kEtchedLine: {
            auto *line = new QFrame(this);
            line->setFrameShape(QFrame::HLine);
            line->setFrameShadow(QFrame::Sunken);
            widget = line;
            break;
        }
        case ControlKind::kDefPushButton:
        case ControlKind::kPushButton:
            okButton_ = new QPushButton(text, this);
            okButton_->setDefault(control.kind == ControlKind::kDefPushButton);
            connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
            widget = okButton_;
            break;
        case ControlKind::kComboBox:
            break;
        }
        if (widget)
            widget->setGeometry(place);
    }
    if (okButton_)
        okButton_->setFocus();
}

} // namespace sifter
