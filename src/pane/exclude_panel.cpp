// SPDX-License-Identifier: GPL-3.0-or-later
#include "pane/exclude_panel.h"

#include <QComboBox>

namespace sifter {
namespace {

constexpr QChar kEntrySeparator = QLatin1Char(';');

} // namespace

CExcludePanel::CExcludePanel(QWidget *pane) : CCriteriaPanel(res::kDialogExclude, {ctl::exclude::kBox}, pane)
{
    Box()->setInsertPolicy(QComboBox::NoInsert);
    ExchangeValues(false);
}

QComboBox *CExcludePanel::Box() const
{
    return &Control<QComboBox>(ctl::exclude::kBox);
}

bool CExcludePanel::ExchangeValues(bool pull)
{
    if (pull)
        excludes = Box()->currentText();
    else
        Box()->setEditText(excludes);
    return true;
}

void CExcludePanel::AddFolder(const QString &folder)
{
    ExchangeValues(true);
    for (const QString &entry : excludes.split(kEntrySeparator)) {
        QString trimmed = entry.trimmed();
        while (trimmed.size() > 1 && trimmed.endsWith(QLatin1Char('/')))
            trimmed.chop(1);
        if (trimmed == folder)
            return;
    }
    if (!excludes.trimmed().isEmpty() && !excludes.trimmed().endsWith(kEntrySeparator))
        excludes += kEntrySeparator;
    excludes += folder;
    ExchangeValues(false);
}

} // namespace sifter
