// SPDX-License-Identifier: GPL-3.0-or-later
#include "frame/banner_status_bar.h"

#include "frame/banner.h"
#include "framework/shown_text.h"
#include "framework/string_resources.h"

#include <QEvent>
#include <QPainter>

namespace sifter {
namespace {

// Room between a pane's edge and its text, as status bars leave it.
constexpr int kPanePadding = 2;

// Holds the message pane outside any layout. A label in the bar's layout had every new text
// lay out the bar again, and a bar laid out asks the whole frame to follow, which moves the
// tool bar and the panes once more and repaints the results list's header and scroll bar: a
// twentieth of a short search's time in the window.
class MessageHolder final : public QWidget {
public:
    MessageHolder(QLabel *label, QWidget *parent) : QWidget(parent), label_(label)
    {
        label_->setParent(this);
        setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    }
    QSize sizeHint() const override { return {1, label_->sizeHint().height()}; }
    QSize minimumSizeHint() const override { return {1, label_->minimumSizeHint().height()}; }

protected:
    void resizeEvent(QResizeEvent *) override { label_->setGeometry(rect()); }
    void changeEvent(QEvent *event) override
    {
        // The one change of the label that can change the bar's height.
        if (event->type() == QEvent::FontChange)
            updateGeometry();
        QWidget::changeEvent(event);
    }

private:
    QLabel *label_;
};

} // namespace

BannerPane::BannerPane(QWidget *parent) : QWidget(parent), title_(LoadResString(str::kBannerTitle))
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
}

QRect BannerPane::ItemRect() const
{
    // The pane's text line: as wide as the title, one line high, centred in the pane.
    const int lineHeight = QFontMetrics(font()).height();
    const int top = (height() - lineHeight) / 2;
    return QRect(kPanePadding, top, width() - 2 * kPanePadding, lineHeight);
}

QSize BannerPane::sizeHint() const
{
    const QFontMetrics metrics(font());
    return {metrics.horizontalAdvance(title_) + 2 * kPanePadding, metrics.height()};
}

void BannerPane::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setFont(font());
    DrawBanner(painter, ItemRect(), title_, palette());
}

void BannerPane::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange)
        updateGeometry();
    QWidget::changeEvent(event);
}

BannerStatusBar::BannerStatusBar(QWidget *parent)
    : QStatusBar(parent), message_(new QLabel(this)), banner_(new BannerPane(this))
{
    // Pane 0 takes what is left and never widens the window for a long text.
    message_->setTextFormat(Qt::PlainText);
    addWidget(new MessageHolder(message_, this), 1);
    addPermanentWidget(banner_, 0);
    message_->installEventFilter(this);
}

void BannerStatusBar::SetMessageText(const QString &text)
{
    messageText_ = text;
    FitMessage();
}

void BannerStatusBar::FitMessage()
{
    // The idle text of a row leads with its folder and ends with its size: cut in the
    // middle, both stay in view.
    const QString shown = ElideMiddle(messageText_, message_->fontMetrics(), message_->contentsRect().width());
    message_->setText(shown);
    message_->setToolTip(shown == messageText_ ? QString() : BoundedText(messageText_));
}

bool BannerStatusBar::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == message_ && event->type() == QEvent::Resize)
        FitMessage();
    return QStatusBar::eventFilter(watched, event);
}

} // namespace sifter
