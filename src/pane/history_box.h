// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A search history shown in its combo box: the drop-down list, and suggestions under the
// edit field while the user types, read from the live history through its enumerator.
#include <QAbstractListModel>
#include <QStringList>

class QComboBox;

namespace sifter {

class CSearchHistory;

// Makes the box's list show the history's entries, oldest first, and its suggestions
// follow; the box keeps its text.
void FillComboBox(const CSearchHistory &history, QComboBox &box);

// Makes the box's edit field suggest the history's entries that start with the typed text
// (case-insensitively) in a pop-up, without inline completion. False when the box has no
// edit field. A box that already suggests this history keeps its completer.
bool AttachAutoComplete(CSearchHistory &history, QComboBox &box);

// The entries of a history as its enumerator gives them. Refresh reads them again and
// tells the completer only when they changed, so its cache holds between keystrokes.
class HistoryCompletionModel final : public QAbstractListModel {
    Q_OBJECT

public:
    // The history outlives the model.
    explicit HistoryCompletionModel(CSearchHistory &history, QObject *parent = nullptr);

    CSearchHistory &History() const { return history_; }
    void Refresh();

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;

private:
    QStringList ReadEntries() const;

    CSearchHistory &history_;
    QStringList entries_;
};

} // namespace sifter
