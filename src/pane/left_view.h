#pragma once
// CLeftView: the criteria pane, the left pane of the main window's splitter: a scrollable
// form built from the criteria dialog template (res::kDialogCriteria: name, words and
// folder boxes, section buttons, Browse and Search). It shows the document's criteria
// texts, takes the "Search in" text of the start-up option, stretches its controls to its
// width and records that width in the layout settings.
#include "framework/command_target.h"
#include "framework/document_view.h"

#include <QScrollArea>
#include <QString>

#include <array>
#include <utility>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;

namespace sifter {

class CLinkButton;
class CSifterDoc;
struct LayoutSettings;

class CLeftView : public QScrollArea, public CommandTarget, public DocumentView {
    Q_OBJECT

public:
    // The pane of the document; it records its width in settings, which must outlive it.
    CLeftView(CSifterDoc &document, LayoutSettings &settings, QWidget *parent = nullptr);
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
    QComboBox *WordsBox() const { return wordsBox_; }
    QComboBox *FolderBox() const { return folderBox_; }
    QPushButton *SearchButton() const { return searchButton_; }

    // The document changed: its criteria texts go into the boxes.
    void OnUpdate(DocumentView *sender) override;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void CreateControls();
    void StretchControls();
    // A label wider than the pane shows its text elided, the whole text as its tooltip.
    void FitLabels(int right);

    CSifterDoc &document_;
    LayoutSettings &settings_;
    QWidget *form_ = nullptr;
    QPushButton *searchButton_ = nullptr;
    std::array<CLinkButton *, 4> sectionButtons_{};
    std::vector<std::pair<QLabel *, QString>> labels_;  // each label with its whole text
    QString nameText_;
    QString wordsText_;
    QString folderText_;
    QComboBox *nameBox_ = nullptr;
    QComboBox *wordsBox_ = nullptr;
    QComboBox *folderBox_ = nullptr;
    QPushButton *browseButton_ = nullptr;
};

} // namespace sifter
