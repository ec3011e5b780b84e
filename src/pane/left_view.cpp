#include "pane/left_view.h"

#include "doc/sifter_doc.h"
#include "frame/layout_settings.h"
#include "framework/command_icons.h"
#include "framework/dialog_units.h"
#include "framework/link_button.h"
#include "framework/local_text.h"
#include "res/dialogs.h"
#include "search/text_field.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QResizeEvent>

namespace sifter {
namespace {

// Gap between the stretched controls and the pane's right edge.
constexpr int kRightMargin = 5;

} // namespace

CLeftView::CLeftView(CSifterDoc &document, LayoutSettings &settings, QWidget *parent)
    : QScrollArea(parent), document_(document), settings_(settings)
{
    setObjectName(QStringLiteral("CLeftView"));
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWidgetResizable(false);
    CreateControls();
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

    std::size_t section = 0;
    for (const DialogControlResource &control : resource->controls) {
        QRect place = units.ToPixels(control.x, control.y, control.width, control.height);
        const QString text = QString::fromUtf8(control.text);
        QWidget *widget = nullptr;
        switch (control.kind) {
        case ControlKind::kStatic: {
            auto *label = new QLabel(text, form_);
            // Labels are not stretched; one whose text is wider than the template in this
            // font keeps its whole text while the pane has room for it.
            place.setWidth(std::max(place.width(), label->sizeHint().width()));
            labels_.emplace_back(label, text);
            widget = label;
            break;
        }
        case ControlKind::kComboBox: {
            auto *box = new QComboBox(form_);
            box->setEditable(true);
            box->setInsertPolicy(QComboBox::NoInsert);
            // The template's height includes the drop-down list; the box itself is one line.
            place.setHeight(box->sizeHint().height());
            (control.id == ctl::kNameBox ? nameBox_ : control.id == ctl::kWordsBox ? wordsBox_ : folderBox_) = box;
            widget = box;
            break;
        }
        case ControlKind::kLinkButton: {
            auto *button = new CLinkButton(form_);
            button->setText(text);
            button->SetIcon(SectionIcon(res::kIconCollapsed));
            if (section < sectionButtons_.size())
                sectionButtons_[section++] = button;
            widget = button;
            break;
        }
        case ControlKind::kPushButton:
        case ControlKind::kDefPushButton: {
            auto *button = new QPushButton(text, form_);
            button->setDefault(control.kind == ControlKind::kDefPushButton);
            (control.id == ctl::kSearchButton ? searchButton_ : browseButton_) = button;
            widget = button;
            break;
        }
        case ControlKind::kIcon:
        case ControlKind::kEdit:
        case ControlKind::kEtchedLine:
            break;
        }
        if (widget)
            widget->setGeometry(place);
    }
    setWidget(form_);
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

void CLeftView::OnUpdate(DocumentView *)
{
    const SearchCriteria &criteria = document_.Search().criteria;
    nameText_ = FromLocalText(TextField(criteria.names));
    wordsText_ = FromLocalText(TextField(criteria.words));
    folderText_ = FromLocalText(TextField(criteria.folders));
    ExchangeValues(false);
}

void CLeftView::resizeEvent(QResizeEvent *event)
{
    QScrollArea::resizeEvent(event);
    StretchControls();
    settings_.widthLeftPanel = width();
}

void CLeftView::StretchControls()
{
    const int right = viewport()->width() - kRightMargin;
    form_->resize(std::max(right + kRightMargin, 1), form_->height());
    for (QWidget *widget : {static_cast<QWidget *>(nameBox_), static_cast<QWidget *>(wordsBox_),
                            static_cast<QWidget *>(folderBox_)}) {
        QRect place = widget->geometry();
        place.setRight(right - 1);
        widget->setGeometry(place);
    }
    for (CLinkButton *button : sectionButtons_) {
        if (!button)
            continue;
        QRect place = button->geometry();
        place.setRight(right - 1);
        button->setGeometry(place);
    }
    for (QPushButton *button : {browseButton_, searchButton_}) {
        QRect place = button->geometry();
        place.moveRight(right - 1);
        button->setGeometry(place);
    }
    FitLabels(right);
}

void CLeftView::FitLabels(int right)
{
    for (const auto &[label, text] : labels_) {
        const QFontMetrics metrics(label->font());
        const int whole = metrics.horizontalAdvance(text);
        const int room = std::max(right - label->x(), 1);
        QRect place = label->geometry();
        if (whole <= room) {
            label->setText(text);
            label->setToolTip(QString());
            place.setWidth(std::max(place.width(), whole));
        } else {
            // Cut off at the pane's edge the text would read as a different label.
            label->setText(metrics.elidedText(text, Qt::ElideRight, room));
            label->setToolTip(text);
            place.setWidth(room);
        }
        label->setGeometry(place);
    }
}

} // namespace sifter
