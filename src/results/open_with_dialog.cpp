#include "results/open_with_dialog.h"

#include "framework/string_resources.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QIcon>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace sifter {
namespace {

constexpr int kIconSize = 32;

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

} // namespace

OpenWithDialog::OpenWithDialog(const QString &fileName, std::vector<DesktopEntry> applications, QWidget *parent)
    : QDialog(parent), applications_(std::move(applications))
{
    setObjectName(QStringLiteral("OpenWithDialog"));
    setWindowTitle(LoadResString(str::kOpenWithTitle));
    auto *layout = new QVBoxLayout(this);
    auto *question = new QLabel(FormatResString(str::kOpenWithPrompt, fileName), this);
    question->setTextFormat(Qt::PlainText);
    question->setWordWrap(true);
    layout->addWidget(question);

    list_ = new QListWidget(this);
    list_->setIconSize(QSize(kIconSize, kIconSize));
    for (const DesktopEntry &application : applications_)
        new QListWidgetItem(EntryIcon(*this, application.icon), QString::fromStdString(application.name), list_);
    list_->setCurrentRow(0);
    layout->addWidget(list_);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QListWidget::itemActivated, this, &QDialog::accept);
    connect(list_, &QListWidget::currentRowChanged, this, [buttons](int row) {
        buttons->button(QDialogButtonBox::Ok)->setEnabled(row >= 0);
    });
    layout->addWidget(buttons);
}

const DesktopEntry *OpenWithDialog::Chosen() const
{
    const int row = list_->currentRow();
    if (row < 0 || static_cast<std::size_t>(row) >= applications_.size())
        return nullptr;
    return &applications_[static_cast<std::size_t>(row)];
}

} // namespace sifter
