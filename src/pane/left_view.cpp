// SPDX-License-Identifier: GPL-3.0-or-later
#include "pane/left_view.h"

#include "doc/sifter_doc.h"
#include "framework/command_icons.h"
#include "framework/dialog_builder.h"
#include "framework/dialog_units.h"
#include "framework/fitted_text.h"
#include "framework/link_button.h"
#include "framework/mirrored_layout.h"
#include "framework/local_text.h"
#include "pane/attributes_panel.h"
#include "pane/criteria_panel.h"
#include "pane/date_time_panel.h"
#include "pane/exclude_panel.h"
#include "pane/field_size_validator.h"
#include "pane/file_size_panel.h"
#include "pane/history_box.h"
#include "pane/word_options_panel.h"
#include "res/dialogs.h"
#include "search/text_field.h"
#include "stores/layout_settings.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QScrollBar>
#include <QShortcut>
#include <QStyle>
#include <QWheelEvent>

namespace sifter {
namespace {

// Gap between the stretched controls and the pane's right edge.
constexpr int kRightMargin = 5;
// Below the Search button the scroll range ends this much lower.
constexpr int kBottomMargin = 10;
// One notch of a mouse wheel, in eighths of a degree.
constexpr int kWheelNotch = 120;

} // namespace

CLeftView::CLeftView(CSifterDoc &document, LayoutSettings &settings, UserPrompts &prompts,
                     const SearchHistories &histories, QWidget *parent)
    : QScrollArea(parent), document_(document), settings_(settings), histories_(histories), prompts_(prompts)
{
    setObjectName(QStringLiteral("CLeftView"));
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWidgetResizable(false);
    CreateControls();
    CreatePanels(prompts);
    ConnectControls();
    // The first thing a user types is the name.
    nameBox_->setFocus();
    document_.AddView(this);
}

CLeftView::~CLeftView()
{
    document_.RemoveView(this);
}

void CLeftView::CreateControls()
{
    const DialogResource *resource = FindDialogResource(res::kDialogCriteria);
    form_ = new QWidget;
    const DialogUnits units(form_->font());
    form_->resize(units.ToPixels(resource->width, resource->height));
    const DialogControls controls = BuildDialogControls(*resource, *form_, units);
    formLaidOutWidth_ = form_->width();
    nameBox_ = controls.Find<QComboBox>(ctl::kNameBox);
    nameExpression_ = controls.Find<QCheckBox>(ctl::kNameExpression);
    wordsBox_ = controls.Find<QComboBox>(ctl::kWordsBox);
    folderBox_ = controls.Find<QComboBox>(ctl::kFolderBox);
    browseButton_ = controls.Find<QPushButton>(ctl::kBrowseButton);
    searchButton_ = controls.Find<QPushButton>(ctl::kSearchButton);
    nameLabel_ = controls.Find<QLabel>(ctl::kNameLabel);
    folderLabel_ = controls.Find<QLabel>(ctl::kFolderLabel);
    const int sectionIds[kSectionCount] = {ctl::kWordOptionsButton, ctl::kFileSizeButton, ctl::kDateTimeButton,
                                           ctl::kAttributesButton, ctl::kExcludeButton};
    for (int i = 0; i < kSectionCount; ++i) {
        sectionButtons_[i] = controls.Find<CLinkButton>(sectionIds[i]);
        sectionButtons_[i]->SetIcon(SectionIcon(res::kIconCollapsed));
    }
    for (const BuiltControl &control : controls.All()) {
        if (auto *label = qobject_cast<QLabel *>(control.widget))
            labels_.emplace_back(label, label->text());
    }
    for (QComboBox *box : {nameBox_, wordsBox_, folderBox_})
        box->setInsertPolicy(QComboBox::NoInsert);
    setWidget(form_);
}

// Made after the pane's own controls, so that Tab runs from Search into a shown panel.
void CLeftView::CreatePanels(UserPrompts &prompts)
{
    panels_ = CreateCriteriaPanels(form_, prompts);
    sectionPanels_ = {panels_.wordOptions, panels_.fileSize, panels_.dateTime, panels_.attributes, panels_.exclude};
    // Made at the form's left edge; right to left that is its right edge.
    for (QWidget *panel : sectionPanels_) {
        if (panel)
            SetLogicalGeometry(*panel, panel->geometry());
    }
    // The wheel over the Exclude box scrolls the pane, as over the other boxes.
    panels_.exclude->Box()->installEventFilter(this);
}

void CLeftView::PullPanelsInto(SearchCriteria &criteria)
{
    sifter::PullPanelsInto(panels_, criteria);
}

void CLeftView::PushCriteriaIntoPanels(const SearchCriteria &criteria)
{
    PushCriteriaInto(criteria, panels_);
}

void CLeftView::ConnectControls()
{
    for (std::size_t i = 0; i < sectionButtons_.size(); ++i) {
        if (sectionButtons_[i])
            connect(sectionButtons_[i], &CLinkButton::clicked, this, [this, i] { ToggleSection(Section(i)); });
    }
    connect(searchButton_, &QPushButton::clicked, this, &CLeftView::OnSearch);
    connect(browseButton_, &QPushButton::clicked, this, &CLeftView::OnBrowse);
    const std::pair<QComboBox *, std::size_t> limits[] = {
        {nameBox_, kCriteriaNamesSize}, {wordsBox_, kCriteriaWordsSize}, {folderBox_, kCriteriaFoldersSize}};
    for (const auto &[box, size] : limits) {
        box->setValidator(new FieldSizeValidator(size, box));
        // A box of the form takes Enter for the default button, as a dialog's would. Enter on
        // a picked suggestion reaches the edit field before the completer puts the pick in by
        // its row; a search in between refills the box, which filters the suggestions anew,
        // and the row then names another entry. So the search waits until the key is done.
        connect(box->lineEdit(), &QLineEdit::returnPressed, this, [this, box] {
            const QCompleter *completer = box->completer();
            if (completer && completer->popup()->isVisible())
                QMetaObject::invokeMethod(this, &CLeftView::OnSearch, Qt::QueuedConnection);
            else
                OnSearch();
        });
        // The wheel over a box scrolls the pane instead of changing the box's text.
        box->installEventFilter(this);
    }
    stopShortcut_ = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    stopShortcut_->setContext(Qt::WindowShortcut);
    stopShortcut_->setEnabled(false);
    connect(stopShortcut_, &QShortcut::activated, this, [this] {
        if (document_.Search().Running())
            OnSearch();
    });
}

void CLeftView::ExchangeValues(bool fromControls)
{
    if (fromControls) {
        nameText_ = nameBox_->currentText();
        wordsText_ = wordsBox_->currentText();
        folderText_ = folderBox_->currentText();
    } else {
        nameBox_->setEditText(nameText_);
        wordsBox_->setEditText(wordsText_);
        folderBox_->setEditText(folderText_);
    }
}

void CLeftView::FillHistoryBoxes()
{
    if (histories_.folders)
        FillComboBox(*histories_.folders, *folderBox_);
    if (histories_.names)
        FillComboBox(*histories_.names, *nameBox_);
    if (histories_.words)
        FillComboBox(*histories_.words, *wordsBox_);
    if (histories_.excludes)
        FillComboBox(*histories_.excludes, *ExcludeBox());
}

QComboBox *CLeftView::ExcludeBox() const
{
    return panels_.exclude->Box();
}

void CLeftView::AddExcludedFolder(const QString &folder)
{
    panels_.exclude->AddFolder(folder);
    if (!sectionButtons_[kExclude]->Expanded())
        ToggleSection(kExclude);
}

void CLeftView::OnUpdate(DocumentView *)
{
    FillHistoryBoxes();
    const std::pair<CSearchHistory *, QComboBox *> suggested[] = {
        {histories_.folders, folderBox_}, {histories_.names, nameBox_}, {histories_.words, wordsBox_},
        {histories_.excludes, ExcludeBox()}};
    for (const auto &[history, box] : suggested) {
        // A box without suggestions still works.
        if (history)
            AttachAutoComplete(*history, *box);
    }
    const SearchCriteria &criteria = document_.Search().criteria;
    nameText_ = FromLocalText(TextField(criteria.names));
    wordsText_ = FromLocalText(TextField(criteria.words));
    folderText_ = FromLocalText(TextField(criteria.folders));
    ExchangeValues(false);
    PushCriteriaIntoPanels(criteria);
    PushExtrasInto(document_.Search().extras, panels_);
    nameExpression_->setChecked(document_.Search().extras.regexNames);
}

void CLeftView::ToggleSection(Section section)
{
    CLinkButton *button = sectionButtons_[section];
    if (!button)
        return;
    button->SetExpanded(!button->Expanded());
    button->SetIcon(SectionIcon(button->Expanded() ? res::kIconExpanded : res::kIconCollapsed));
    RelayoutSections();
}

void CLeftView::RelayoutSections()
{
    CLinkButton *wordOptions = sectionButtons_[kWordOptions];
    if (!wordOptions)
        return;
    int cursor = wordOptions->geometry().bottom() + 1;
    const auto place = [&cursor](QWidget *widget, bool counts) {
        if (!widget)
            return;
        widget->move(widget->x(), cursor);
        if (counts)
            cursor += widget->height();
    };
    const auto placePanel = [&](Section section) {
        const bool expanded = sectionButtons_[section] && sectionButtons_[section]->Expanded();
        place(sectionPanels_[section], expanded);
        if (sectionPanels_[section])
            sectionPanels_[section]->setVisible(expanded);
    };
    placePanel(kWordOptions);
    place(folderLabel_, true);
    place(folderBox_, true);
    place(browseButton_, true);
    place(sectionButtons_[kFileSize], true);
    placePanel(kFileSize);
    place(sectionButtons_[kDateTime], true);
    placePanel(kDateTime);
    place(sectionButtons_[kAttributes], true);
    placePanel(kAttributes);
    place(sectionButtons_[kExclude], true);
    placePanel(kExclude);
    place(searchButton_, true);

    const int top = nameLabel_ ? nameLabel_->y() : 0;
    form_->resize(form_->width(), searchButton_->geometry().bottom() + 1 - top + kBottomMargin);
    form_->update();
    for (QComboBox *box : {folderBox_, nameBox_, wordsBox_})
        box->lineEdit()->update();
}

void CLeftView::resizeEvent(QResizeEvent *event)
{
    QScrollArea::resizeEvent(event);
    StretchControls();
    settings_.widthLeftPanel = width();
}

void CLeftView::StretchControls()
{
    // The form's controls are placed left to right and mirrored when it runs right to left.
    const int right = viewport()->width() - kRightMargin;
    form_->resize(std::max(right + kRightMargin, 1), form_->height());
    KeepLogicalPlaces(*form_, formLaidOutWidth_);
    std::vector<QWidget *> stretched = {nameBox_, nameExpression_, wordsBox_, folderBox_};
    stretched.insert(stretched.end(), sectionButtons_.begin(), sectionButtons_.end());
    stretched.insert(stretched.end(), sectionPanels_.begin(), sectionPanels_.end());
    for (QWidget *widget : stretched) {
        if (!widget)
            continue;
        QRect place = LogicalGeometry(*widget);
        place.setRight(right - 1);
        SetLogicalGeometry(*widget, place);
        if (auto *panel = qobject_cast<CCriteriaPanel *>(widget))
            panel->StretchControls();
    }
    for (QPushButton *button : {browseButton_, searchButton_}) {
        QRect place = LogicalGeometry(*button);
        place.moveRight(right - 1);
        SetLogicalGeometry(*button, place);
    }
    FitLabels(right);
}

void CLeftView::FitLabels(int right)
{
    for (const auto &[label, text] : labels_) {
        const int whole = QFontMetrics(label->font()).horizontalAdvance(text);
        QRect place = LogicalGeometry(*label);
        const int room = std::max(right - place.x(), 1);
        // Clipped at the pane's edge a label could read as another one: the cut is marked.
        ShowFitted(*label, text, room);
        place.setWidth(whole <= room ? std::min(std::max(place.width(), whole), room) : room);
        SetLogicalGeometry(*label, place);
    }
}

int CLeftView::WidthToShow() const
{
    if (settings_.widthLeftPanel != kDefaultWidthLeftPanel)
        return settings_.widthLeftPanel;
    // The default was made for an 8-point font and no scroll bar: at the desktop's font
    // every label and option must show whole, also once open sections bring the scroll bar.
    int needed = 0;
    for (const auto &[label, text] : labels_)
        needed = std::max(needed, LogicalGeometry(*label).x() + QFontMetrics(label->font()).horizontalAdvance(text));
    for (const QWidget *panel : sectionPanels_) {
        if (const auto *criteria = qobject_cast<const CCriteriaPanel *>(panel))
            needed = std::max(needed, LogicalGeometry(*criteria).x() + criteria->WidthForWholeTexts());
    }
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, verticalScrollBar());
    return std::max(kDefaultWidthLeftPanel, needed + kRightMargin + scrollBar + 2 * frameWidth());
}

bool CLeftView::viewportEvent(QEvent *event)
{
    // The scroll bar that comes with open sections narrows the viewport, not the pane.
    if (event->type() == QEvent::Resize)
        StretchControls();
    return QScrollArea::viewportEvent(event);
}

void CLeftView::wheelEvent(QWheelEvent *event)
{
    // A page per notch; a touchpad's small steps add up to notches.
    wheelRemainder_ += event->angleDelta().y();
    QScrollBar *bar = verticalScrollBar();
    while (wheelRemainder_ <= -kWheelNotch) {
        bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
        wheelRemainder_ += kWheelNotch;
    }
    while (wheelRemainder_ >= kWheelNotch) {
        bar->triggerAction(QAbstractSlider::SliderPageStepSub);
        wheelRemainder_ -= kWheelNotch;
    }
    event->accept();
}

bool CLeftView::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Wheel) {
        wheelEvent(static_cast<QWheelEvent *>(event));
        return true;
    }
    return QScrollArea::eventFilter(watched, event);
}

} // namespace sifter
