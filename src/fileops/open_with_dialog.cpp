// SPDX-License-Identifier: GPL-3.0-or-later
#include "fileops/open_with_dialog.h"

#include "desktop/user_application.h"
#include "framework/spoken_buttons.h"
#include "framework/string_resources.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeDatabase>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace sifter {
namespace {

constexpr int kIconSize = 32;
constexpr int kVisibleRows = 9;
constexpr int kWidthInCharacters = 56;
// What a row's data holds: the index into the applications, or that it is none.
constexpr int kApplicationRole = Qt::UserRole;
constexpr int kNoApplication = -1;
constexpr char kOtherProgramIcon[] = "system-run";

// An entry's Icon is a theme name or an absolute file; without either (no icon theme, as
// under a bare X server) the style's file icon keeps the names in line.
QIcon EntryIcon(const QWidget &owner, const std::string &icon)
{
    const QString name = QString::fromStdString(icon);
    QIcon found = name.startsWith(QLatin1Char('/')) ? QIcon(name)
                                                    : QIcon::fromTheme(name, QIcon::fromTheme(QStringLiteral("application-x-executable")));
    if (found.pixmap(kIconSize).isNull())
        found = owner.style()->standardIcon(QStyle::SP_FileIcon);
    return found;
}

QString ExecFaultText(ExecFault fault)
{
    switch (fault) {
    case ExecFault::kUnclosedQuote: return LoadResString(str::kCommandUnclosedQuote);
    case ExecFault::kQuoteInsideArgument: return LoadResString(str::kCommandQuoteInsideArgument);
    case ExecFault::kStrayBackslash: return LoadResString(str::kCommandStrayBackslash);
    case ExecFault::kCodeInQuotes: return LoadResString(str::kCommandCodeInQuotes);
    case ExecFault::kUnknownCode: return LoadResString(str::kCommandUnknownCode);
    case ExecFault::kCodeNotAlone: return LoadResString(str::kCommandCodeNotAlone);
    case ExecFault::kTwoFileCodes: return LoadResString(str::kCommandTwoFileCodes);
    case ExecFault::kRelativeProgram: return LoadResString(str::kCommandRelativeProgram);
    case ExecFault::kNoProgram:
    case ExecFault::kNone: break;
    }
    return LoadResString(str::kCommandNoProgram);
}

// The type as people read it ("plain text document"), and its MIME name.
QString AlwaysUseText(const std::string &type)
{
    const QString name = QString::fromStdString(type);
    QString comment = QMimeDatabase().mimeTypeForName(name).comment();
    if (comment.isEmpty())
        comment = name;
    return LoadResString(str::kOpenWithAlwaysUse).arg(comment, name);
}

} // namespace

OpenWithDialog::OpenWithDialog(const QString &fileName, const std::string &type, ChooserApplications applications,
                               QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("OpenWithDialog"));
    setWindowTitle(LoadResString(str::kOpenWithTitle));
    auto *layout = new QVBoxLayout(this);
    auto *question = new QLabel(FormatResString(str::kOpenWithPrompt, fileName), this);
    question->setTextFormat(Qt::PlainText);
    question->setWordWrap(true);
    layout->addWidget(question);

    search_ = new QLineEdit(this);
    search_->setObjectName(QStringLiteral("OpenWithSearch"));
    search_->setPlaceholderText(LoadResString(str::kOpenWithSearchHint));
    search_->setAccessibleName(LoadResString(str::kOpenWithSearchHint));
    search_->setClearButtonEnabled(true);
    search_->installEventFilter(this);
    layout->addWidget(search_);

    list_ = new QListWidget(this);
    list_->setIconSize(QSize(kIconSize, kIconSize));
    AddApplicationRows(applications.declared);
    if (!applications.declared.empty() && !applications.others.empty()) {
        heading_ = new QListWidgetItem(LoadResString(str::kOpenWithOtherApplications), list_);
        heading_->setFlags(Qt::NoItemFlags);
        heading_->setData(kApplicationRole, kNoApplication);
        QFont bold = heading_->font();
        bold.setBold(true);
        heading_->setFont(bold);
    }
    AddApplicationRows(applications.others);
    otherProgram_ = new QListWidgetItem(EntryIcon(*this, kOtherProgramIcon), LoadResString(str::kOpenWithOtherProgram),
                                        list_);
    otherProgram_->setData(kApplicationRole, kNoApplication);
    list_->setMinimumSize(fontMetrics().averageCharWidth() * kWidthInCharacters,
                          (kIconSize + list_->spacing() + 4) * kVisibleRows);
    layout->addWidget(list_, 1);

    auto *commandRow = new QHBoxLayout;
    commandLabel_ = new QLabel(LoadResString(str::kOpenWithCommandLabel), this);
    command_ = new QLineEdit(this);
    command_->setObjectName(QStringLiteral("OpenWithCommand"));
    command_->setPlaceholderText(LoadResString(str::kOpenWithCommandHint));
    commandLabel_->setBuddy(command_);
    commandRow->addWidget(commandLabel_);
    commandRow->addWidget(command_, 1);
    layout->addLayout(commandRow);
    commandFault_ = new QLabel(this);
    commandFault_->setObjectName(QStringLiteral("OpenWithCommandFault"));
    commandFault_->setTextFormat(Qt::PlainText);
    commandFault_->setWordWrap(true);
    commandFault_->hide();
    layout->addWidget(commandFault_);

    alwaysUse_ = new QCheckBox(AlwaysUseText(type), this);
    layout->addWidget(alwaysUse_);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    DescribeButtonsByRole(*buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &OpenWithDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QListWidget::itemActivated, this, &OpenWithDialog::Activated);
    connect(list_, &QListWidget::currentRowChanged, this, &OpenWithDialog::CurrentRowChanged);
    connect(search_, &QLineEdit::textChanged, this, &OpenWithDialog::Filter);
    connect(command_, &QLineEdit::textChanged, this, [this] { commandFault_->hide(); });
    layout->addWidget(buttons);

    Filter({});
    CurrentRowChanged();
    search_->setFocus();
}

bool OpenWithDialog::AlwaysUse() const
{
    return alwaysUse_->isChecked();
}

void OpenWithDialog::AddApplicationRows(const std::vector<DesktopEntry> &applications)
{
    for (const DesktopEntry &application : applications) {
        auto *item = new QListWidgetItem(EntryIcon(*this, application.icon), QString::fromStdString(application.name),
                                         list_);
        item->setData(kApplicationRole, static_cast<int>(applications_.size()));
        applications_.push_back(application);
    }
}

void OpenWithDialog::Filter(const QString &text)
{
    const QString wanted = text.trimmed();
    QListWidgetItem *first = nullptr;
    bool declaredShown = false;
    bool othersShown = false;
    const int headingRow = heading_ ? list_->row(heading_) : list_->count();
    for (int row = 0; row < list_->count(); ++row) {
        QListWidgetItem *item = list_->item(row);
        if (item->data(kApplicationRole).toInt() == kNoApplication)
            continue;
        const bool shown = item->text().contains(wanted, Qt::CaseInsensitive);
        item->setHidden(!shown);
        if (shown && !first)
            first = item;
        (row > headingRow ? othersShown : declaredShown) |= shown;
    }
    if (heading_)
        heading_->setHidden(!declaredShown || !othersShown);
    list_->setCurrentItem(first);
    if (first)
        list_->scrollToItem(first);
}

void OpenWithDialog::CurrentRowChanged()
{
    QListWidgetItem *item = list_->currentItem();
    ok_->setEnabled(item && item != heading_);
    const bool command = item && item == otherProgram_;
    commandLabel_->setEnabled(command);
    command_->setEnabled(command);
}

void OpenWithDialog::Activated(QListWidgetItem *item)
{
    if (item == otherProgram_)
        command_->setFocus();
    else if (item != heading_)
        accept();
}

bool OpenWithDialog::eventFilter(QObject *watched, QEvent *event)
{
    // The search field hands the arrow keys to the list, so that typing and picking need no
    // other key between them; the first match is already the current row.
    if (watched == search_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Down || key == Qt::Key_Up || key == Qt::Key_PageDown || key == Qt::Key_PageUp) {
            if (!list_->currentItem())
                list_->setCurrentItem(otherProgram_);
            list_->setFocus();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void OpenWithDialog::accept()
{
    QListWidgetItem *item = list_->currentItem();
    if (!item || item == heading_)
        return;
    if (item == otherProgram_) {
        if (!TakeCommand())
            return;
    } else {
        chosen_ = applications_[static_cast<std::size_t>(item->data(kApplicationRole).toInt())];
    }
    QDialog::accept();
}

bool OpenWithDialog::TakeCommand()
{
    const QByteArray text = command_->text().trimmed().toLocal8Bit();
    if (text.isEmpty()) {
        command_->setFocus();
        return false;
    }
    ExecFault fault = ExecFault::kNone;
    std::optional<DesktopEntry> application = CommandApplication(text.toStdString(), fault);
    if (!application) {
        ShowCommandFault(ExecFaultText(fault));
        return false;
    }
    if (!DesktopEntryTryExecPasses(*application)) {
        ShowCommandFault(
            FormatResString(str::kCommandProgramMissing, QString::fromLocal8Bit(application->tryExec.c_str())));
        return false;
    }
    chosen_ = std::move(application);
    return true;
}

void OpenWithDialog::ShowCommandFault(const QString &reason)
{
    commandFault_->setText(reason);
    commandFault_->show();
    command_->setFocus();
}

} // namespace sifter
