// SPDX-License-Identifier: GPL-3.0-or-later
#include "frame/options_dialog.h"

#include "frame/options_desktop.h"
#include "framework/command_icons.h"
#include "framework/dialog_builder.h"
#include "framework/local_text.h"
#include "framework/resource_text.h"
#include "framework/string_resources.h"
#include "framework/user_prompts.h"
#include "stores/shell_registration.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStringList>

namespace sifter {
namespace {

ResultFileTypeNames DocumentTypeNames()
{
    const QString docString = LoadResString(str::kDocString);
    return {ToLocalText(DocStringPart(docString, DocStringField::kRegFileTypeId)),
            ToLocalText(DocStringPart(docString, DocStringField::kRegFileTypeName)),
            ToLocalText(DocStringPart(docString, DocStringField::kFilterExt))};
}

// The state's text, then the reasons (each once) after the failure marker, as a sentence of
// their own.
QString StateLine(const QString &state, const std::vector<std::string> &reasons)
{
    QStringList texts;
    for (const std::string &reason : reasons) {
        const QString text = FromLocalText(reason);
        if (!text.isEmpty() && !texts.contains(text))
            texts.append(text);
    }
    if (texts.isEmpty())
        return state;
    const QString failure = FormatResString(str::kOptionsFailure, texts.join(LoadResString(str::kOptionsReasonSeparator)));
    return state.isEmpty() ? failure : state + QStringLiteral(". ") + failure;
}

} // namespace

COptionsDialog::COptionsDialog(RegistryStore &store, OptionsDesktop *desktop, UserPrompts &prompts, QWidget *parent)
    : QDialog(parent), store_(store), desktop_(desktop), prompts_(prompts)
{
    const DialogResource *resource = FindDialogResource(res::kDialogOptions);
    const DialogUnits units(font());
    setWindowTitle(DialogText(resource->caption));
    templateSize_ = units.ToPixels(resource->width, resource->height);
    setFixedSize(templateSize_);
    setWindowIcon(ProgramIcon());

    controls_ = BuildDialogControls(*resource, *this, units);
    const DialogControls &controls = controls_;
    for (const BuiltControl &control : controls.All())
        templateGeometry_.emplace_back(control.widget, control.widget->geometry());
    const auto onClick = [&](int id, auto handler) {
        connect(controls.Find<QPushButton>(id), &QPushButton::clicked, this, handler);
    };
    onClick(ctl::options::kRegister, [this] { OnRegister(false); });
    onClick(ctl::options::kUnregister, [this] { OnRegister(true); });
    onClick(ctl::options::kAddVerb, [this] { OnFolderVerb(false); });
    onClick(ctl::options::kRemoveVerb, [this] { OnFolderVerb(true); });
    okButton_ = controls.Find<QPushButton>(ctl::kIdOk);
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
    onClick(ctl::kIdCancel, [this] { reject(); });

    fileTypeLine_ = controls.Find<QLabel>(ctl::options::kFileTypeState);
    folderActionLine_ = controls.Find<QLabel>(ctl::options::kFolderActionState);
    fileTypeLine_->setVisible(desktop_ != nullptr);
    folderActionLine_->setVisible(desktop_ != nullptr);
    ShowState();

    // The first control that takes the focus, the Register button.
    for (const BuiltControl &control : controls.All()) {
        QWidget *widget = control.widget;
        if ((widget->focusPolicy() & Qt::TabFocus) && widget->isEnabled() && !(control.resource->style & kStyleHidden)) {
            widget->setFocus();
            break;
        }
    }
}

QPushButton *COptionsDialog::Button(int id) const
{
    return controls_.Find<QPushButton>(id);
}

void COptionsDialog::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && event->modifiers() == Qt::NoModifier && !qobject_cast<QPushButton *>(focusWidget())) {
        okButton_->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

std::string COptionsDialog::ProgramPath() const
{
    return desktop_ ? desktop_->ProgramPath() : ToLocalText(QCoreApplication::applicationFilePath());
}

void COptionsDialog::OnRegister(bool remove)
{
    const ResultFileTypeNames names = DocumentTypeNames();
    // The registry calls' results are not shown, as the message below says the same either way;
    // the desktop's failures are shown in the line.
    if (remove)
        UnregisterResultFileType(store_, names);
    else
        RegisterResultFileType(store_, names, ProgramPath());
    // Updating the desktop's databases is what tells the desktop that the type changed; nothing
    // more is sent.
    fileTypeError_.clear();
    folderActionErrors_.clear();
    if (desktop_) {
        if (remove)
            desktop_->UnregisterFileType(fileTypeError_);
        else
            desktop_->RegisterFileType(fileTypeError_);
    }
    prompts_.ShowInformation(LoadResString(str::kOperationDone));
    ShowState();
}

void COptionsDialog::OnFolderVerb(bool remove)
{
    SetFolderVerb(store_, ToLocalText(LoadResString(str::kVerbKeyFormat)), ProgramPath(), remove);
    fileTypeError_.clear();
    folderActionErrors_.clear();
    if (desktop_) {
        if (remove)
            desktop_->RemoveFolderActions(folderActionErrors_);
        else
            desktop_->AddFolderActions(folderActionErrors_);
    }
    prompts_.ShowInformation(LoadResString(str::kOperationDone));
    ShowState();
}

void COptionsDialog::ShowState()
{
    if (!desktop_)
        return;
    const FileTypeState type = desktop_->ReadFileTypeState();
    QString typeText;
    if (!type.failure.empty())
        typeText.clear();  // nothing is known but the reason
    else if (!type.registered)
        typeText = LoadResString(str::kOptionsTypeNotRegistered);
    else if (!type.isDefault && !type.otherDefault.empty())
        typeText = FormatResString(str::kOptionsTypeOtherDefault, FromLocalText(type.otherDefault));
    else
        typeText = LoadResString(str::kOptionsTypeRegistered);
    fileTypeLine_->setText(StateLine(typeText, {fileTypeError_, type.failure}));

    const FolderActionState actions = desktop_->ReadFolderActionState();
    QStringList managers;
    for (const FileManagerKind kind : actions.installed)
        managers.append(FromLocalText(desktop_->FileManagerName(kind)));
    const QString actionsText = managers.isEmpty() ? LoadResString(str::kOptionsActionsNotInstalled)
                                                   : FormatResString(str::kOptionsActionsInstalled,
                                                                     managers.join(QStringLiteral(", ")));
    std::vector<std::string> reasons = folderActionErrors_;
    reasons.insert(reasons.end(), actions.failures.begin(), actions.failures.end());
    folderActionLine_->setText(StateLine(actionsText, reasons));
    fileTypeLine_->setToolTip(fileTypeLine_->text());
    folderActionLine_->setToolTip(folderActionLine_->text());
    FitStateLines();
}

void COptionsDialog::FitStateLines()
{
    for (const auto &[widget, rect] : templateGeometry_)
        widget->setGeometry(rect);
    int grown = 0;
    for (QLabel *line : {fileTypeLine_, folderActionLine_}) { // top to bottom
        const QRect rect = line->geometry();
        const int extra = line->heightForWidth(rect.width()) - rect.height();
        if (extra <= 0)
            continue;
        for (const auto &placed : templateGeometry_) {
            QWidget *widget = placed.first;
            if (widget != line && widget->y() > rect.bottom())
                widget->move(widget->x(), widget->y() + extra);
        }
        line->resize(rect.width(), rect.height() + extra);
        grown += extra;
    }
    setFixedSize(templateSize_.width(), templateSize_.height() + grown);
}

} // namespace sifter
