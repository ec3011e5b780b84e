// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/command_icons.h"

#include "res/toolbar.h"

namespace sifter {

QIcon CommandIcon(CommandId id)
{
    const ToolbarImageResource *image = FindToolbarImage(id);
    if (!image)
        return QIcon();
    return QIcon::fromTheme(QString::fromLatin1(image->themeName), QIcon(QString::fromLatin1(image->fallback)));
}

QIcon ProgramIcon()
{
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/sifter/icons/sifter-%1.png").arg(size), QSize(size, size));
    return icon;
}

QIcon SectionIcon(ResourceId id)
{
    if (id == res::kIconCollapsed)
        return QIcon(QStringLiteral(":/sifter/icons/collapsed.png"));
    if (id == res::kIconExpanded)
        return QIcon(QStringLiteral(":/sifter/icons/expanded.png"));
    return QIcon();
}

} // namespace sifter
