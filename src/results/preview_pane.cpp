// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/preview_pane.h"

#include "framework/string_resources.h"
#include "res/resource_ids.h"
#include "results/preview_line_delegate.h"

#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QVBoxLayout>

#include <algorithm>

namespace sifter {

CPreviewPane::CPreviewPane(QWidget *parent)
    : QWidget(parent), header_(new QLabel(this)), lines_(new QListWidget(this))
{
    setObjectName(QStringLiteral("CPreviewPane"));
    // One preview at a time: a new one waits only for the old one to notice it is abandoned.
    pool_.setMaxThreadCount(1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    header_->setContentsMargins(4, 2, 4, 2);
    header_->setTextFormat(Qt::PlainText);
    layout->addWidget(header_);
    layout->addWidget(lines_);
    lines_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    lines_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lines_->setUniformItemSizes(true);
    lines_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lines_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The file's lines, their numbers before them, read as the Hex View's dump: left to right in
    // every language; the header above follows the window.
    lines_->setLayoutDirection(Qt::LeftToRight);
    delegate_ = new PreviewLineDelegate(shown_, lines_);
    lines_->setItemDelegate(delegate_);
    lines_->installEventFilter(this);
    connect(lines_, &QListWidget::doubleClicked, this, [this](const QModelIndex &index) { OpenLine(index.row()); });

    OnCommand(cmd::kEditCopy, [this] { CopySelectedLines(); });
    OnUpdateCommand(cmd::kEditCopy, [this](CommandUi &ui) { ui.Enable(!lines_->selectedItems().isEmpty()); });
}

CPreviewPane::~CPreviewPane()
{
    ++*generation_;
    pool_.waitForDone();
}

void CPreviewPane::ShowRequest(PreviewRequest request)
{
    const std::uint64_t generation = ++*generation_;
    busy_ = true;
    pendingPath_ = request.path;
    if (shown_.empty()) {
        header_->setText(LoadResString(str::kPreviewReading));
        header_->setVisible(true);
    }
    QPointer<CPreviewPane> self(this);
    const std::shared_ptr<std::atomic<std::uint64_t>> current = generation_;
    pool_.start([self, current, generation, request = std::move(request)] {
        if (*current != generation)
            return; // a newer request came before this one began
        const auto keepGoing = [&] { return *current == generation; };
        PreviewContent content = MakePreviewContent(request, keepGoing);
        if (!keepGoing())
            return;
        // The pane waits for this task before it goes, so self is alive while it runs; the
        // queued call is dropped if the pane goes before it is delivered.
        QMetaObject::invokeMethod(
            self.data(),
            [self, generation, content = std::move(content)]() mutable {
                if (self)
                    self->Show(generation, std::move(content));
            },
            Qt::QueuedConnection);
    });
}

void CPreviewPane::Clear()
{
    ++*generation_;
    busy_ = false;
    shown_.clear();
    shownPath_.clear();
    lines_->clear();
    header_->clear();
    header_->setVisible(false);
}

void CPreviewPane::Show(std::uint64_t generation, PreviewContent content)
{
    if (generation != *generation_)
        return; // asked for before the last request: never shown
    busy_ = false;
    lines_->clear();
    shown_ = std::move(content.lines);
    shownPath_ = pendingPath_;
    int headCharacters = 1;
    for (const PreviewLine &line : shown_)
        headCharacters = std::max(headCharacters, static_cast<int>(line.head.size()));
    delegate_->SetHeadCharacters(headCharacters);
    for (std::size_t i = 0; i < shown_.size(); ++i)
        lines_->addItem(shown_[i].head.isEmpty() ? shown_[i].text : shown_[i].head + QStringLiteral(": ") + shown_[i].text);
    header_->setText(content.header);
    header_->setVisible(!content.header.isEmpty());
    emit PreviewShown();
}

QString CPreviewPane::HeaderText() const
{
    return header_->text();
}

void CPreviewPane::CopySelectedLines()
{
    std::vector<int> rows;
    for (const QListWidgetItem *item : lines_->selectedItems())
        rows.push_back(lines_->row(item));
    std::sort(rows.begin(), rows.end());
    std::vector<const PreviewLine *> lines;
    for (int row : rows) {
        if (row >= 0 && static_cast<std::size_t>(row) < shown_.size())
            lines.push_back(&shown_[static_cast<std::size_t>(row)]);
    }
    if (!lines.empty())
        QApplication::clipboard()->setText(PreviewLinesText(lines));
}

void CPreviewPane::OpenLine(int row)
{
    if (row < 0 || static_cast<std::size_t>(row) >= shown_.size())
        return;
    const PreviewLine &line = shown_[static_cast<std::size_t>(row)];
    if (line.offset >= 0 && openAtOffset_ && !shownPath_.empty())
        openAtOffset_(shownPath_, line.offset);
}

bool CPreviewPane::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == lines_ && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            OpenLine(lines_->currentRow());
            return true;
        }
        if (key->matches(QKeySequence::Copy)) {
            CopySelectedLines();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace sifter
