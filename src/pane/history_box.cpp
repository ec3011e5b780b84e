// SPDX-License-Identifier: GPL-3.0-or-later
#include "pane/history_box.h"

#include "framework/local_text.h"
#include "framework/popup_click_through.h"
#include "stores/search_history.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCompleter>
#include <QLineEdit>

#include <array>

namespace sifter {
namespace {

// Entries read from the enumerator per call.
constexpr std::uint32_t kEnumeratorBatch = 32;

} // namespace

void FillComboBox(const CSearchHistory &history, QComboBox &box)
{
    const QString text = box.currentText();
    box.clear();
    for (const std::string &entry : history.Entries())
        box.addItem(FromLocalText(entry));
    box.setEditText(text);
    // The suggestions follow at once.
    if (QCompleter *completer = box.completer()) {
        if (auto *model = qobject_cast<HistoryCompletionModel *>(completer->model()))
            model->Refresh();
    }
}

bool AttachAutoComplete(CSearchHistory &history, QComboBox &box)
{
    QLineEdit *edit = box.lineEdit();
    if (!edit)
        return false;
    if (QCompleter *present = edit->completer()) {
        auto *model = qobject_cast<HistoryCompletionModel *>(present->model());
        if (model && &model->History() == &history) {
            model->Refresh();
            return true;
        }
    }
    auto *completer = new QCompleter(&box);
    auto *model = new HistoryCompletionModel(history, completer);
    completer->setModel(model);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setFilterMode(Qt::MatchStartsWith);
    completer->setCompletionMode(QCompleter::PopupCompletion);
    box.setCompleter(completer);
    // Installed after the completer's own filter on the list, so this one sees the clicks first.
    PassClicksThroughPopup(*completer->popup());
    // Before the completer filters for the new text: a history may have grown since.
    QObject::connect(edit, &QLineEdit::textEdited, model, &HistoryCompletionModel::Refresh);
    return true;
}

HistoryCompletionModel::HistoryCompletionModel(CSearchHistory &history, QObject *parent)
    : QAbstractListModel(parent), history_(history), entries_(ReadEntries())
{
}

QStringList HistoryCompletionModel::ReadEntries() const
{
    QStringList entries;
    StringEnumerator *enumerator = nullptr;
    if (history_.QueryInterface(InterfaceId::StringEnumerator, &enumerator) != kResultOk || !enumerator)
        return entries;
    enumerator->Reset();
    std::array<std::u16string, kEnumeratorBatch> batch;
    for (;;) {
        std::uint32_t fetched = 0;
        const HResult result = enumerator->Next(kEnumeratorBatch, batch.data(), &fetched);
        for (std::uint32_t i = 0; i < fetched; ++i)
            entries.append(QString::fromStdU16String(batch[i]));
        if (result != kResultOk)
            break;
    }
    enumerator->Release();
    return entries;
}

void HistoryCompletionModel::Refresh()
{
    QStringList entries = ReadEntries();
    if (entries == entries_)
        return;
    beginResetModel();
    entries_ = std::move(entries);
    endResetModel();
}

int HistoryCompletionModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(entries_.size());
}

QVariant HistoryCompletionModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= entries_.size() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return entries_.at(index.row());
}

} // namespace sifter
