// SPDX-License-Identifier: GPL-3.0-or-later
#include "fileops/clipboard_commands.h"

#include "fileops/selection_data.h"
#include "framework/application.h"
#include "res/resource_ids.h"
#include "fileops/result_rows.h"

#include <QClipboard>
#include <QGuiApplication>

namespace sifter {

bool OnCutCopy(ResultRows &list, Application &app, CommandId id)
{
    if (id != cmd::kEditCopy && id != cmd::kEditCut)
        return false;
    std::unique_ptr<SelectionDataSource> data =
        list.BuildSelectionDataSource(id == cmd::kEditCut ? SelectionTransfer::kCut : SelectionTransfer::kCopy);
    if (!data)
        return false;
    SelectionDataSource *placed = data.release();
    // The clipboard owns the data from here on, and deletes it when something else replaces it.
    QGuiApplication::clipboard()->setMimeData(placed, QClipboard::Clipboard);
    app.SetClipboardSource(placed);
    return true;
}

} // namespace sifter
