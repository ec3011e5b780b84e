// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The preview pane under the results list: why the selected file matched. Each preview is
// made on a worker thread from a copy of what the row holds; a newer request abandons the
// one being made, whose content is never shown, so the window never waits for a file.
#include "framework/command_target.h"
#include "results/preview_content.h"

#include <QThreadPool>
#include <QWidget>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QLabel;
class QListWidget;

namespace sifter {

class PreviewLineDelegate;

class CPreviewPane : public QWidget, public CommandTarget {
    Q_OBJECT

public:
    explicit CPreviewPane(QWidget *parent = nullptr);
    // Abandons the preview being made and waits for its thread to notice (one read).
    ~CPreviewPane() override;

    // Starts the preview of request; what is shown stays until it is ready.
    void ShowRequest(PreviewRequest request);
    // Nothing selected: an empty pane.
    void Clear();

    QString HeaderText() const;
    QListWidget *Lines() const { return lines_; }
    const std::vector<PreviewLine> &ShownLines() const { return shown_; }
    // True while a preview is being made.
    bool Busy() const { return busy_; }
    // Edit > Copy with the pane active: the selected lines as plain text.
    void CopySelectedLines();

    // Called with the file and offset when a line is opened (double-click or Enter).
    using OpenAtOffset = std::function<void(const std::string &path, std::int64_t offset)>;
    void SetOpenAtOffset(OpenAtOffset open) { openAtOffset_ = std::move(open); }

signals:
    // A preview was put on screen.
    void PreviewShown();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Show(std::uint64_t generation, PreviewContent content);
    void OpenLine(int row);

    QLabel *header_ = nullptr;
    QListWidget *lines_ = nullptr;
    PreviewLineDelegate *delegate_ = nullptr;
    std::vector<PreviewLine> shown_;
    std::string shownPath_;
    std::string pendingPath_;
    bool busy_ = false;
    OpenAtOffset openAtOffset_;
    // Shared with the worker's tasks: a task whose generation is no longer this one stops.
    std::shared_ptr<std::atomic<std::uint64_t>> generation_ = std::make_shared<std::atomic<std::uint64_t>>(0);
    QThreadPool pool_;
};

} // namespace sifter
