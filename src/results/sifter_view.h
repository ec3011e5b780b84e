#pragma once
// CSifterView: the results list, the right pane of the main window's splitter. One row per
// found file of the document's result set; each row holds its record without owning it.
// Rows come from the search run (it is the run's results sink) and from the document when
// it changes. The list shows the Details columns of the layout settings.
#include "framework/command_target.h"
#include "framework/document_view.h"
#include "search/search_sinks.h"

#include <QTreeView>

namespace sifter {

class CSifterDoc;
class ResultsModel;
struct FoundFile;
struct LayoutSettings;

class CSifterView : public QTreeView, public CommandTarget, public DocumentView, public ResultsSink {
    Q_OBJECT

public:
    // settings give the columns and their widths and must outlive the view.
    CSifterView(CSifterDoc &document, LayoutSettings &settings, QWidget *parent = nullptr);
    ~CSifterView() override;

    CSifterDoc &GetDocument() const { return document_; }
    ResultsModel &Model() const { return *model_; }

    // Set while a search run fills the list: selection changes then do not refresh the
    // idle status text.
    bool RunInProgress() const { return runInProgress_; }
    void SetRunInProgress(bool running) { runInProgress_ = running; }

    int ItemCount() const;
    int SelectedCount() const;
    // The record of the first selected row; null when nothing is selected.
    FoundFile *FirstSelectedRecord() const;

    // Removes all rows, then makes one per record of the document's result set, in order.
    void FillResultsView();

    // ResultsSink: the search run empties the list and appends a row per match.
    void ClearResultRows() override;
    void AddResultRow(FoundFile &record) override;

    // The document changed (new, opened): refill unless this view sent the change.
    void OnUpdate(DocumentView *sender) override;

signals:
    // The selection changed outside a search run; the frame refreshes its idle text.
    void IdleStatusChanged();

private:
    void ApplyColumnWidths();

    CSifterDoc &document_;
    LayoutSettings &settings_;
    ResultsModel *model_;
    bool runInProgress_ = false;
};

} // namespace sifter
