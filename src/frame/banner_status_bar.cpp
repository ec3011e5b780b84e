#include "frame/banner_status_bar.h"

#include "frame/banner.h"
#include "framework/string_resources.h"

#include <QEvent>
#include <QPainter>

namespace sifter {
namespace {

// Room between a pane's edge and its text, as status bars leave it.
constexpr int kPanePadding = 2;

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
    DrawBanner(painter, ItemRect(), title_);
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
    message_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    message_->setMinimumWidth(1);
    message_->setTextFormat(Qt::PlainText);
    addWidget(message_, 1);
    addPermanentWidget(banner_, 0);
}

void BannerStatusBar::SetMessageText(const QString &text)
{
    message_->setText(text);
}

} // namespace sifter
