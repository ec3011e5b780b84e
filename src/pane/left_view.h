// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// CLeftView: the criteria pane, the left pane of the main window's splitter: a scrollable
// form built from the criteria dialog template (res::kDialogCriteria: name, words and
// folder boxes, section buttons, Browse and Search) with the four criteria panels as
// collapsible sections. It shows the document's criteria and the search histories,
// stretches its controls to its width (recorded in the layout settings), and starts and
// stops the search run with its Search button.
#include "framework/command_target.h"
#include "framework/document_view.h"
#include "pane/browse_for_folder.h"
#include "pane/criteria_panels.h"
#include "search/search_sinks.h"
#include "stores/search_history.h"

#include <QScrollArea>
#include <QString>

#include <array>
#include <utility>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QShortcut;

namespace sifter {

class CLinkButton;
class CSifterDoc;
class UserPrompts;
struct LayoutSettings;
struct SearchCriteria;

class CLeftView : public QScrollArea, public CommandTarget, public DocumentView {
    Q_OBJECT

public:
    // The sections, in the order of their buttons from the top.
    enum Section { kWordOptions = 0, kFileSize, kDateTime, kAttributes, kExclude, kSectionCount };

    // The pane of the document; it records its width in settings and shows and records the
    // texts in histories; settings and histories must outlive it.
    // The File Size panel reports unreadable numbers through prompts, which must outlive it.
    CLeftView(CSifterDoc &document, LayoutSettings &settings, UserPrompts &prompts,
              const SearchHistories &histories = {}, QWidget *parent = nullptr);
    ~CLeftView() override;

    CSifterDoc &GetDocument() const { return document_; }

    // The three texts the pane exchanges with its boxes.
    const QString &NameText() const { return nameText_; }
    const QString &WordsText() const { return wordsText_; }
    const QString &FolderText() const { return folderText_; }
    void SetFolderText(const QString &text) { folderText_ = text; }

    // fromControls: take the texts from the boxes; else put the texts into the boxes.
    void ExchangeValues(bool fromControls);

    QComboBox *NameBox() const { return nameBox_; }
    QCheckBox *NameExpressionBox() const { return nameExpression_; }
    QComboBox *WordsBox() const { return wordsBox_; }
    QComboBox *FolderBox() const { return folderBox_; }
    QPushButton *SearchButton() const { return searchButton_; }
    QPushButton *BrowseButton() const { return browseButton_; }
    CLinkButton *SectionButton(Section section) const { return sectionButtons_[section]; }
    // The body of a section (a child of the form, shown while the section is expanded).
    QWidget *SectionPanel(Section section) const { return sectionPanels_[section]; }
    const CriteriaPanels &Panels() const { return panels_; }
    // The form that holds every control; its height is the scroll range.
    QWidget *Form() const { return form_; }

    // The document changed (and when the pane is first shown): the boxes' lists and
    // suggestions from the histories, then every control from the document's criteria.
    void OnUpdate(DocumentView *sender) override;
    void RefreshFromDocument() { OnUpdate(nullptr); }

    // Opens or closes the section and restacks everything below it.
    void ToggleSection(Section section);
    // Stacks the panels of the expanded sections and the controls below the Word Options
    // button without gaps, and sets the scroll range to the stacked height.
    void RelayoutSections();

    // The Search button: starts a run with the controls' values, or, during a run, asks it
    // to stop (the button is greyed until the run has returned). Does nothing without a
    // results list.
    void OnSearch();
    // The Browse button: the folder picker, opened at the folder text, fills the folder box.
    void OnBrowse();
    // The pump a run turns the event loop with; null (the default): the event loop's own.
    // Tests and the benchmark watch the run through their own.
    void SetEventPump(EventPump *pump) { eventPump_ = pump; }
    // Replaces the folder picker (tests answer without a dialog).
    void SetFolderPicker(FolderPicker picker) { folderPicker_ = std::move(picker); }

    // Refills the four boxes' lists from the histories; each box keeps its text.
    void FillHistoryBoxes();
    // The Exclude box, in the Exclude section.
    QComboBox *ExcludeBox() const;
    // Adds the folder to the Exclude box as one more entry (unless it names it already) and
    // opens the Exclude section to show it.
    void AddExcludedFolder(const QString &folder);

    // The width to show the pane at: the stored one; for the default width (never the
    // user's), the width that shows every label and option whole with room for the scroll bar.
    int WidthToShow() const;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    bool viewportEvent(QEvent *event) override;

private:
    void CreateControls();
    void CreatePanels(UserPrompts &prompts);
    void ConnectControls();
    void StretchControls();
    // A label wider than the pane shows its text elided, the whole text as its tooltip.
    void FitLabels(int right);
    // Each panel's values into the criteria, and back into each panel's controls.
    void PullPanelsInto(SearchCriteria &criteria);
    void PushCriteriaIntoPanels(const SearchCriteria &criteria);
    // Steps of OnSearch around the run.
    void CopyIntoCriteria();
    void RecordHistories();
    void FinishRun();
    void ShowStatusText(CommandId id, const QString *text = nullptr);

    CSifterDoc &document_;
    LayoutSettings &settings_;
    SearchHistories histories_;
    QWidget *form_ = nullptr;
    int formLaidOutWidth_ = 0;  // the width the form's controls were last mirrored in, right to left
    QPushButton *searchButton_ = nullptr;
    std::array<CLinkButton *, kSectionCount> sectionButtons_{};
    CriteriaPanels panels_;
    std::array<QWidget *, kSectionCount> sectionPanels_{};  // the panels, in the sections' order
    std::vector<std::pair<QLabel *, QString>> labels_;  // each label with its whole text
    QLabel *nameLabel_ = nullptr;
    QLabel *folderLabel_ = nullptr;
    QString nameText_;
    QString wordsText_;
    QString folderText_;
    QComboBox *nameBox_ = nullptr;
    QCheckBox *nameExpression_ = nullptr;
    UserPrompts &prompts_;
    QComboBox *wordsBox_ = nullptr;
    QComboBox *folderBox_ = nullptr;
    QPushButton *browseButton_ = nullptr;
    QShortcut *stopShortcut_ = nullptr;  // Escape, enabled while a run lasts
    FolderPicker folderPicker_ = PickFolderWithDialog;
    EventPump *eventPump_ = nullptr;
    int wheelRemainder_ = 0;  // wheel delta short of a whole notch
};

} // namespace sifter
