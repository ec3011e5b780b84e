// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/hex_view_pane.h"

#include "framework/readable_color.h"
#include "fs/file_reader.h"
#include "res/dialogs.h"
#include "results/hex_lines.h"
#include "results/hex_view_accessible.h"

#include <QAccessible>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <limits>
#include <new>

namespace sifter {
namespace {

// Qt's bars count in int. A file with more line positions than this is mirrored on a bar
// of this many steps, so the thumb, dragging and End still reach every line.
constexpr std::int64_t kBarSteps = std::int64_t{1} << 30;
constexpr std::int64_t kLineBytes = kHexLineBytes;

// value * numerator / denominator without overflow (both factors below 2^63).
std::int64_t Scale(std::int64_t value, std::int64_t numerator, std::int64_t denominator)
{
    __extension__ typedef __int128 Wide;
    return denominator == 0 ? 0 : static_cast<std::int64_t>(static_cast<Wide>(value) * numerator / denominator);
}

} // namespace

CHexViewPane::CHexViewPane(QWidget *parent) : QAbstractScrollArea(parent)
{
    setObjectName(QStringLiteral("CHexViewPane"));
    InstallHexViewAccessibility();
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    // Both bars always stand, greyed when everything fits.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The keys apply once the pane holds the focus: a click or Tab gives it.
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAutoFillBackground(false);
    for (QScrollBar *bar : {verticalScrollBar(), horizontalScrollBar()}) {
        bar->setRange(0, 0);
        bar->setEnabled(false);
    }
    connect(verticalScrollBar(), &QAbstractSlider::actionTriggered, this, &CHexViewPane::OnVerticalAction);
    connect(horizontalScrollBar(), &QAbstractSlider::actionTriggered, this, &CHexViewPane::OnHorizontalAction);
    // A notch over the bar moves one line, as over the text, not the bar's own steps.
    verticalScrollBar()->installEventFilter(this);
}

CHexViewPane::~CHexViewPane() = default;

void CHexViewPane::MakeFont()
{
    // The desktop's fixed-width face at the size the pane's template asks for.
    paneFont_ = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    if (const DialogResource *resource = FindDialogResource(res::kDialogHexPane))
        paneFont_.setPointSize(resource->fontPointSize);
    paneFont_.setStyleHint(QFont::TypeWriter);
    fontMade_ = true;
}

bool CHexViewPane::OpenFile(const std::string &path, std::int64_t offset)
{
    file_.reset();
    topOffset_ = static_cast<std::uint64_t>(std::max<std::int64_t>(offset, 0));
    // A repaint shows nothing from here on unless the new file opens.
    viewport()->update();
    auto reader = std::make_shared<FileReader>();
    if (!reader->Open(path))
        return false;
    fileSize_ = static_cast<std::uint64_t>(std::max<std::int64_t>(reader->Size(), 0));
    file_ = std::move(reader);
    if (!fontMade_)
        MakeFont();
    const QFontMetrics metrics(paneFont_);
    charWidth_ = std::max(1, metrics.horizontalAdvance(QLatin1Char('1')));
    lineHeight_ = std::max(1, metrics.height());
    const QSize client = viewport()->size();
    SetVerticalInfo(static_cast<std::int64_t>(fileSize_ / kLineBytes + 1), client.height() / lineHeight_, 0);
    SetHorizontalInfo(client.width() / charWidth_, 0);
    GoToOffset(static_cast<std::int64_t>(topOffset_));
    return true;
}

void CHexViewPane::GoToOffset(std::int64_t offset)
{
    topOffset_ = static_cast<std::uint64_t>(std::max<std::int64_t>(offset, 0));
    SetVerticalInfo(vMax_, vPage_, static_cast<std::int64_t>(topOffset_ / kLineBytes));
    viewport()->update();
    TellTopOffset();
}

void CHexViewPane::SetVerticalInfo(std::int64_t max, std::int64_t page, std::int64_t position)
{
    vMax_ = std::max<std::int64_t>(max, 0);
    vPage_ = std::clamp<std::int64_t>(page, 0, vMax_ + 1);
    const std::int64_t last = vMax_ - vPage_ + 1;
    vPos_ = std::clamp<std::int64_t>(position, 0, last);

    QScrollBar *bar = verticalScrollBar();
    const QSignalBlocker blocker(bar);
    if (last <= kBarSteps) {
        bar->setRange(0, static_cast<int>(last));
        bar->setPageStep(static_cast<int>(std::max<std::int64_t>(vPage_, 1)));
        bar->setValue(static_cast<int>(vPos_));
    } else {
        bar->setRange(0, static_cast<int>(kBarSteps));
        bar->setPageStep(static_cast<int>(std::max<std::int64_t>(Scale(vPage_, kBarSteps, last), 1)));
        bar->setValue(static_cast<int>(Scale(vPos_, kBarSteps, last)));
    }
    bar->setEnabled(last > 0);
}

void CHexViewPane::SetHorizontalInfo(int page, int position)
{
    hPage_ = std::clamp(page, 0, kHorizontalMax + 1);
    const int last = kHorizontalMax - hPage_ + 1;
    hPos_ = std::clamp(position, 0, last);
    QScrollBar *bar = horizontalScrollBar();
    const QSignalBlocker blocker(bar);
    bar->setRange(0, last);
    bar->setPageStep(std::max(hPage_, 1));
    bar->setValue(hPos_);
    bar->setEnabled(last > 0);
}

void CHexViewPane::ScrollVertical(int code, std::int64_t track)
{
    const std::int64_t p = vPos_;
    const std::int64_t page = vPage_;
    const std::int64_t nMax = vMax_;
    // Unsigned, as the offset is: a step above the start wraps and the clamps below undo it.
    std::uint64_t top = topOffset_;
    std::int64_t position = p;
    const auto pageBytes = static_cast<std::uint64_t>(page) * kLineBytes;
    switch (code) {
    case kLineUp:
        top -= kLineBytes;
        position = p - 1;
        break;
    case kLineDown:
        top += kLineBytes;
        position = p + 1;
        break;
    case kPageUp:
        top -= pageBytes;
        position = p - page;
        break;
    case kPageDown:
        top += pageBytes;
        position = p + page;
        break;
    case kThumbTrack:
        top = static_cast<std::uint64_t>(track) * kLineBytes;
        position = track;
        break;
    case kTop:
        top = 0;
        position = 0;
        break;
    case kBottom:
        top = fileSize_ >= kLineBytes ? fileSize_ - kLineBytes : 0;
        position = nMax;
        break;
    default:
        break;
    }
    if (fileSize_ - top < pageBytes || position > nMax) {
        if (nMax - page >= 0) {
            top = static_cast<std::uint64_t>(nMax - page) * kLineBytes;
            position = nMax - page + 1;
        } else {
            top = 0;
            position = 0;
        }
    }
    if (position < 0) {
        top = 0;
        position = 0;
    }
    topOffset_ = top;
    if (code != kEndScroll && position != p) {
        SetVerticalInfo(nMax, page, position);
        viewport()->update();
        TellTopOffset();
    }
}

void CHexViewPane::TellTopOffset()
{
    // Building the event makes the interface; nobody listens unless a reader is on.
    if (!QAccessible::isActive())
        return;
    QAccessibleValueChangeEvent event(this, QVariant::fromValue(static_cast<qulonglong>(topOffset_)));
    QAccessible::updateAccessibility(&event);
}

void CHexViewPane::ScrollHorizontal(int code, int track)
{
    const int p = hPos_;
    int position = p;
    switch (code) {
    case kLineUp:
        position = p - 1;
        break;
    case kLineDown:
        position = p + 1;
        break;
    case kPageUp:
        position = p - hPage_;
        break;
    case kPageDown:
        position = p + hPage_;
        break;
    case kThumbTrack:
        position = track;
        break;
    case kTop:
        position = 0;
        break;
    case kBottom:
        position = kHorizontalMax;
        break;
    default:
        break;
    }
    if (position < 0)
        position = 0;
    else if (position > kHorizontalMax)
        position = kHorizontalMax - hPage_;
    if (code != kEndScroll && position != p) {
        SetHorizontalInfo(hPage_, position);
        viewport()->update();
    }
}

void CHexViewPane::OnVerticalAction(int action)
{
    QScrollBar *bar = verticalScrollBar();
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd:
        ScrollVertical(kLineDown);
        break;
    case QAbstractSlider::SliderSingleStepSub:
        ScrollVertical(kLineUp);
        break;
    case QAbstractSlider::SliderPageStepAdd:
        ScrollVertical(kPageDown);
        break;
    case QAbstractSlider::SliderPageStepSub:
        ScrollVertical(kPageUp);
        break;
    case QAbstractSlider::SliderToMinimum:
        ScrollVertical(kTop);
        break;
    case QAbstractSlider::SliderToMaximum:
        ScrollVertical(kBottom);
        break;
    case QAbstractSlider::SliderMove: {
        const std::int64_t last = vMax_ - vPage_ + 1;
        const std::int64_t value = bar->sliderPosition();
        ScrollVertical(kThumbTrack, last <= kBarSteps ? value : Scale(value, last, kBarSteps));
        break;
    }
    default:
        return;
    }
    // The bar applies its slider position after this signal: make that the line's own.
    const std::int64_t last = vMax_ - vPage_ + 1;
    bar->setSliderPosition(static_cast<int>(last <= kBarSteps ? vPos_ : Scale(vPos_, kBarSteps, last)));
}

void CHexViewPane::OnHorizontalAction(int action)
{
    QScrollBar *bar = horizontalScrollBar();
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd:
        ScrollHorizontal(kLineDown);
        break;
    case QAbstractSlider::SliderSingleStepSub:
        ScrollHorizontal(kLineUp);
        break;
    case QAbstractSlider::SliderPageStepAdd:
        ScrollHorizontal(kPageDown);
        break;
    case QAbstractSlider::SliderPageStepSub:
        ScrollHorizontal(kPageUp);
        break;
    case QAbstractSlider::SliderToMinimum:
        ScrollHorizontal(kTop);
        break;
    case QAbstractSlider::SliderToMaximum:
        ScrollHorizontal(kBottom);
        break;
    case QAbstractSlider::SliderMove:
        ScrollHorizontal(kThumbTrack, bar->sliderPosition());
        break;
    default:
        return;
    }
    bar->setSliderPosition(hPos_);
}

void CHexViewPane::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    const QSize client = viewport()->size();
    if (lineHeight_ > 0)
        SetVerticalInfo(static_cast<std::int64_t>(fileSize_ / kLineBytes + 1), client.height() / lineHeight_, vPos_);
    if (charWidth_ > 0)
        SetHorizontalInfo(client.width() / charWidth_, hPos_);
    viewport()->update();
}

void CHexViewPane::DrawLine(QPainter &painter, int x0, int y, std::uint64_t offset, std::string_view bytes) const
{
    const int baseline = y + QFontMetrics(paneFont_).ascent();
    painter.drawText(QPoint(x0, baseline), HexLineText(offset, bytes));
    const QStringList cells = HexLineCharacters(bytes);
    const int charactersX = x0 + kHexCharactersCell * charWidth_;
    // Each cell at its own place, so that a glyph of another width never shifts the rest.
    bool oneCharacterEach = true;
    for (const QString &cell : cells)
        oneCharacterEach = oneCharacterEach && cell.size() == 1 && cell.at(0).unicode() < 0x80;
    if (oneCharacterEach) {
        painter.drawText(QPoint(charactersX, baseline), cells.join(QString()));
        return;
    }
    for (qsizetype i = 0; i < cells.size(); ++i) {
        if (!cells[i].isEmpty())
            painter.drawText(QPoint(charactersX + static_cast<int>(i) * charWidth_, baseline), cells[i]);
    }
}

std::string CHexViewPane::ReadShownBytes() const
{
    if (!file_ || fileSize_ == 0 || lineHeight_ <= 0)
        return {};
    const std::uint64_t lineStart = topOffset_ / kLineBytes * kLineBytes;
    const auto lines = static_cast<std::size_t>(viewport()->height() / lineHeight_ + 1);
    const std::size_t size = lines * kHexLineBytes;
    // Read now and dropped after: the file may have changed since the last repaint.
    std::unique_ptr<char[]> buffer(new (std::nothrow) char[size]());
    std::int64_t n = 0;
    if (buffer && lineStart <= static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()) &&
        file_->Seek(static_cast<std::int64_t>(lineStart)))
        n = std::max<std::int64_t>(file_->Read(buffer.get(), size), 0);
    return buffer ? std::string(buffer.get(), static_cast<std::size_t>(n)) : std::string();
}

QStringList CHexViewPane::ShownLineTexts() const
{
    const std::string bytes = ReadShownBytes();
    const std::uint64_t lineStart = topOffset_ / kLineBytes * kLineBytes;
    QStringList lines;
    for (std::size_t from = 0; from < bytes.size(); from += kHexLineBytes) {
        const std::string_view line = std::string_view(bytes).substr(from, kHexLineBytes);
        lines.append(HexLineText(lineStart + from, line) + HexLineCharacters(line).join(QString()));
    }
    return lines;
}

void CHexViewPane::paintEvent(QPaintEvent *)
{
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), palette().color(QPalette::Base));
    const std::string bytes = ReadShownBytes();
    lastBytesRead_ = static_cast<std::int64_t>(bytes.size());
    if (!bytes.empty()) {
        const std::uint64_t lineStart = topOffset_ / kLineBytes * kLineBytes;
        painter.setFont(paneFont_);
        painter.setPen(ReadableOn(palette().color(QPalette::Text), palette().color(QPalette::Base)));
        const int x0 = -charWidth_ * hPos_;
        for (std::size_t from = 0; from < bytes.size(); from += kHexLineBytes)
            DrawLine(painter, x0, static_cast<int>(from / kHexLineBytes) * lineHeight_, lineStart + from,
                     std::string_view(bytes).substr(from, kHexLineBytes));
    }
    ++paintCount_;
}

void CHexViewPane::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_PageUp:
        ScrollVertical(kPageUp);
        break;
    case Qt::Key_PageDown:
        ScrollVertical(kPageDown);
        break;
    case Qt::Key_End:
        ScrollVertical(kBottom);
        break;
    case Qt::Key_Home:
        ScrollVertical(kTop);
        break;
    case Qt::Key_Left:
        ScrollHorizontal(kLineUp);
        break;
    case Qt::Key_Up:
        ScrollVertical(kLineUp);
        break;
    case Qt::Key_Right:
        ScrollHorizontal(kLineDown);
        break;
    case Qt::Key_Down:
        ScrollVertical(kLineDown);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        ScrollVertical(kClampOnly);
        emit FocusToDialogRequested();
        break;
    default:
        ScrollVertical(kClampOnly);
        break;
    }
    event->accept();
}

void CHexViewPane::wheelEvent(QWheelEvent *event)
{
    // One line per notch message, whatever its delta.
    const int delta = event->angleDelta().y();
    if (delta > 0)
        ScrollVertical(kLineUp);
    else if (delta < 0)
        ScrollVertical(kLineDown);
    event->accept();
}

bool CHexViewPane::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == verticalScrollBar() && event->type() == QEvent::Wheel) {
        wheelEvent(static_cast<QWheelEvent *>(event));
        return true;
    }
    return QAbstractScrollArea::eventFilter(watched, event);
}

} // namespace sifter
