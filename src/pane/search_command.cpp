// SPDX-License-Identifier: GPL-3.0-or-later
// The Search and Browse buttons of the criteria pane: a search run from the controls'
// values, on this thread, with the event loop turned by the run's pump.
#include "doc/document_title.h"
#include "doc/sifter_doc.h"
#include "framework/event_loop.h"
#include "framework/frame_window.h"
#include "framework/local_text.h"
#include "framework/string_resources.h"
#include "pane/history_box.h"
#include "pane/left_view.h"
#include "registry/registry_store.h"
#include "stores/search_history.h"
#include "framework/user_prompts.h"
#include "search/criteria_expressions.h"
#include "search/text_field.h"

#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QShortcut>

namespace sifter {
namespace {

// The folder being searched, in the frame's status pane 0. The run offers it every 10 ms;
// nobody reads a text that changes faster than this, and repainting the status bar at every
// offer made a run from the window a twentieth slower.
constexpr int kStatusIntervalMs = 50;

class StatusPaneSink final : public StatusSink {
public:
    explicit StatusPaneSink(FrameWindow *frame) : frame_(frame) {}

    void ShowSearchFolder(const std::string &folder) override
    {
        if (!frame_ || (shown_.isValid() && shown_.elapsed() < kStatusIntervalMs))
            return;
        shown_.start();
        const QString text = FromLocalText(folder);
        frame_->SetMessageString(0, &text);
    }

private:
    FrameWindow *frame_;
    QElapsedTimer shown_;
};

// Lets the window repaint and take clicks and keys (Stop among them) during a run; the run
// calls it at most every 10 ms.
class EventLoopPump final : public EventPump {
public:
    void DispatchPendingEvents() override { HandlePendingEvents(); }
};

} // namespace

void CLeftView::OnSearch()
{
    ResultsSink *rows = document_.RowSink();
    if (!rows)
        return;
    FileSearch &search = document_.Search();
    if (search.Running()) {
        document_.StopSearch();
        searchButton_->setEnabled(false);
        return;
    }
    // Stopping: the earlier press finishes once its run has returned.
    if (search.InRun())
        return;

    ExchangeValues(true);
    CopyIntoCriteria();
    // Refused before the run, which would otherwise end silently with nothing found.
    const std::string problem = CriteriaExpressionError(search.criteria, search.extras);
    if (!problem.empty()) {
        prompts_.ShowError(FromLocalText(problem));
        return;
    }
    RecordHistories();
    searchButton_->setText(LoadResString(str::kStop));
    stopShortcut_->setEnabled(true);

    StatusPaneSink status(qobject_cast<FrameWindow *>(window()));
    EventLoopPump loopPump;
    // The rows wait for the pump to show them; the pump runs what the user does meanwhile.
    document_.RunSearch(SearchSinks{.results = rows,
                                       .status = &status,
                                       .pump = eventPump_ ? eventPump_ : &loopPump,
                                       .rowsMayChangeFiles = false});
    FinishRun();
}

void CLeftView::CopyIntoCriteria()
{
    SearchCriteria &criteria = document_.Search().criteria;
    // The boxes hold no more than their fields take, so nothing is cut here.
    SetTextField(criteria.names, ToLocalText(nameText_));
    SetTextField(criteria.words, ToLocalText(wordsText_));
    SetTextField(criteria.folders, ToLocalText(folderText_));
    PullPanelsInto(criteria);
    sifter::PullPanelsInto(panels_, document_.Search().extras);
    document_.Search().extras.regexNames = nameExpression_->isChecked();
}

void CLeftView::RecordHistories()
{
    const QString excludes = FromLocalText(document_.Search().extras.excludes);
    const std::pair<CSearchHistory *, const QString *> texts[] = {{histories_.folders, &folderText_},
                                                                  {histories_.names, &nameText_},
                                                                  {histories_.words, &wordsText_},
                                                                  {histories_.excludes, &excludes}};
    for (const auto &[history, text] : texts) {
        if (history)
            history->AddEntry(ToLocalText(*text));
    }
    FillHistoryBoxes();
    RegistryStore *store = histories_.store ? histories_.store() : nullptr;
    if (!store)
        return;
    // Held open across the saves, so that the store writes its file once, not once per
    // history: each write is a synced replace, which the search would wait for.
    RegistryKey held;
    // Should it not open, each save writes the file itself.
    store->CreateKey(RegistryRoot::CurrentUser, SearchHistoriesKeyPath(), held);
    for (const auto &[history, text] : texts) {
        // A store that cannot be written leaves the entries in memory, unsaid.
        if (history)
            history->Save(*store);
    }
}

void CLeftView::FinishRun()
{
    stopShortcut_->setEnabled(false);
    ShowStatusText(str::kIdleMessage);
    if (document_.PathName().isEmpty() && !folderText_.isEmpty()) {
        const QString namePart = nameText_.isEmpty() ? QString() : QLatin1Char('[') + nameText_ + QStringLiteral("] ");
        const QString wordsPart =
            wordsText_.isEmpty() ? QString() : QLatin1Char('{') + wordsText_ + QStringLiteral("} ");
        document_.SetTitle(BuildSearchTitle(namePart, wordsPart, folderText_));
    }
    searchButton_->setEnabled(true);
    searchButton_->setText(LoadResString(str::kSearch));
    if (document_.Search().Head()) // not counted: a walk of every record
        document_.SetModifiedFlag(true);
}

void CLeftView::ShowStatusText(CommandId id, const QString *text)
{
    if (auto *frame = qobject_cast<FrameWindow *>(window()))
        frame->SetMessageString(id, text);
}

void CLeftView::OnBrowse()
{
    ExchangeValues(true);
    if (BrowseForFolder(folderPicker_, this, folderText_, LoadResString(str::kChooseSearchFolder), folderText_))
        ExchangeValues(false);
}

} // namespace sifter
