// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/row_icon_cache.h"

#include "framework/command_icons.h"
#include "fs/file_attributes.h"
#include "search/found_file.h"

#include <QApplication>
#include <QStyle>

#include <cstdlib>

namespace sifter {
namespace {

constexpr int kFreeSlot = -1;

// Only the two sizes the views draw, so a slot holds two small pixmaps whatever the
// theme's icon carries.
QIcon TwoSizes(const QIcon &icon)
{
    QIcon images;
    for (const int size : {RowIconCache::kSmallSize, RowIconCache::kLargeSize})
        images.addPixmap(icon.pixmap(QSize(size, size)));
    return images;
}

// The theme's icon of the type, its generic icon, or the style's file or folder icon.
QIcon ThemeIconOf(const QMimeType &type, bool folder)
{
    for (const QString &name : {type.iconName(), type.genericIconName()}) {
        if (!name.isEmpty() && QIcon::hasThemeIcon(name))
            return QIcon::fromTheme(name);
    }
    if (folder && QIcon::hasThemeIcon(QStringLiteral("folder")))
        return QIcon::fromTheme(QStringLiteral("folder"));
    return QApplication::style()->standardIcon(folder ? QStyle::SP_DirIcon : QStyle::SP_FileIcon);
}

} // namespace

RowIconCache::RowIconCache() : placeholder_(TwoSizes(ProgramIcon()))
{
    Reset();
}

void RowIconCache::Reset()
{
    keys_.fill(kFreeSlot);
    icons_.fill(placeholder_);
    // The icons made per type stay while the icons they came from do: making them again
    // took 2 ms of every search from the window.
    const QString look = QIcon::themeName() + QLatin1Char('\n') + QIcon::fallbackThemeName() + QLatin1Char('\n') +
                         QApplication::style()->name();
    if (look != typeIconsLook_) {
        typeIcons_.clear();
        typeIconsLook_ = look;
    }
}

int RowIconCache::FindSlot(int rowIndex) const
{
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (keys_[static_cast<std::size_t>(slot)] == rowIndex)
            return slot;
    }
    return -1;
}

int RowIconCache::TakeSlot(int rowIndex)
{
    int chosen = FindSlot(kFreeSlot);
    if (chosen < 0) {
        chosen = 0;
        long long farthest = -1;
        for (int slot = 0; slot < kSlotCount; ++slot) {
            const long long distance = std::llabs(static_cast<long long>(keys_[static_cast<std::size_t>(slot)]) - rowIndex);
            if (distance > farthest) {
                farthest = distance;
                chosen = slot;
            }
        }
    }
    keys_[static_cast<std::size_t>(chosen)] = kFreeSlot;
    return chosen;
}

int RowIconCache::GetRowIcon(int rowIndex, const FoundFile &record)
{
    int slot = FindSlot(rowIndex);
    if (slot >= 0)
        return slot;
    slot = TakeSlot(rowIndex);
    icons_[static_cast<std::size_t>(slot)] = TypeIcon(record);
    keys_[static_cast<std::size_t>(slot)] = rowIndex;
    return slot;
}

QIcon RowIconCache::TypeIcon(const FoundFile &record)
{
    const bool folder = (record.attributes & kAttributeFolder) != 0;
    // Through the cache of types by extension: the database matches every glob against the
    // name, a tenth of the first paint of a screen of rows.
    const QString typeName = QString::fromStdString(typeNames_.MimeTypeName(record.Name(), folder));
    if (const auto known = typeIcons_.constFind(typeName); known != typeIcons_.constEnd())
        return *known;
    const QIcon icon = TwoSizes(ThemeIconOf(types_.mimeTypeForName(typeName), folder));
    typeIcons_.insert(typeName, icon);
    return icon;
}

} // namespace sifter
