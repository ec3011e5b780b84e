// SPDX-License-Identifier: GPL-3.0-or-later
#include "fileops/properties_dialog.h"

#include "framework/shown_text.h"
#include "framework/spoken_buttons.h"
#include "framework/string_resources.h"
#include "fs/path.h"
#include "text/locale_text.h"
#include "text/size_text.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLocale>
#include <QVBoxLayout>

namespace sifter {
namespace {

constexpr std::uint64_t kBytesInKilobyte = 1024;

QString FromLocal(const std::string &text)
{
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

QString DateText(FileTime time)
{
    SystemTime fields{};
    if (time == 0 || !FileTimeToLocalFields(time, fields))
        return {};
    return QString::fromStdString(FormatShortDate(fields) + " " + FormatHoursMinutes(fields));
}

} // namespace

PropertiesDialog::PropertiesDialog(const std::string &path, const QString &typeName,
                                   const FileProperties &properties, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("PropertiesDialog"));
    std::string entry = path;
    PathRemoveTrailingSeparator(entry);
    setWindowTitle(FormatResString(str::kPropertiesTitle, ShownText(FromLocal(PathLastComponent(entry)))));

    auto *layout = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    layout->addLayout(form);
    AddField(str::kPropertyPath, FromLocal(entry));
    AddField(str::kPropertyType, typeName);
    if (properties.kind != FileProperties::Kind::kFolder) {
        const QString shortSize = QString::fromStdString(FormatByteSize(properties.size));
        // Below a kilobyte the short text already counts the bytes.
        AddField(str::kPropertySize,
                 properties.size < kBytesInKilobyte
                     ? shortSize
                     : LoadResString(str::kPropertySizeText)
                           .arg(shortSize, QLocale::system().toString(static_cast<qulonglong>(properties.size))));
    }
    AddField(str::kPropertyModified, DateText(properties.lastWriteTime));
    AddField(str::kPropertyCreated, DateText(properties.creationTime));
    AddField(str::kPropertyAccessed, DateText(properties.lastAccessTime));
    AddField(str::kPropertyPermissions, QString::fromStdString(PermissionText(properties.mode)));
    if (properties.kind == FileProperties::Kind::kLink)
        AddField(str::kPropertyLinkTarget, FromLocal(properties.linkTarget));
    // The labels' ids are in the order the fields are read.
    for (const auto &[label, field] : fields_)
        form->addRow(LoadResString(label), field);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    DescribeButtonsByRole(*buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void PropertiesDialog::AddField(StringId label, const QString &text)
{
    auto *field = new QLabel(text, this);
    // Paths and names are copied from here into terminals and other programs.
    field->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    field->setTextFormat(Qt::PlainText);
    fields_[label] = field;
}

QString PropertiesDialog::FieldText(StringId label) const
{
    const auto it = fields_.find(label);
    return it == fields_.end() ? QString() : it->second->text();
}

} // namespace sifter
