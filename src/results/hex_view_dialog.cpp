// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/hex_view_dialog.h"

#include "framework/command_icons.h"
#include "framework/dialog_builder.h"
#include "framework/event_loop.h"
#include "framework/local_text.h"
#include "framework/mirrored_layout.h"
#include "framework/resource_text.h"
#include "framework/shown_text.h"
#include "framework/string_resources.h"
#include "results/hex_view_pane.h"
#include "search/content_matcher.h"
#include "search/hex_decoding.h"
#include "search/pump_throttle.h"
#include "search/search_criteria.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QPointer>
#include <QWheelEvent>

#include <memory>
#include <vector>

namespace sifter {

CHexViewDialog::CHexViewDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("CHexViewDialog"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                   Qt::WindowCloseButtonHint);
    setModal(false);
    setWindowIcon(ProgramIcon());
    const DialogResource *resource = FindDialogResource(res::kDialogHexView);
    setWindowTitle(DialogText(resource->caption));
    const DialogUnits units(font());

    const DialogControls controls = BuildDialogControls(*resource, *this, units);
    laidOutWidth_ = units.ToPixelsX(resource->width);
    searchBox_ = controls.Find<QLineEdit>(ctl::hexview::kSearchText);
    hexadecimalBox_ = controls.Find<QCheckBox>(ctl::hexview::kHexadecimal);
    searchButton_ = controls.Find<QPushButton>(ctl::hexview::kSearch);
    paneTop_ = qobject_cast<QFrame *>(controls.Find(ctl::hexview::kPaneTop));
    pane_ = new CHexViewPane(this);
    // The dump is a table of bytes, offsets to the left of them and their text to the right,
    // in every language: it and its scroll bars stay left to right; the window around is mirrored.
    pane_->setLayoutDirection(Qt::LeftToRight);
    connect(searchButton_, &QPushButton::clicked, this, &CHexViewDialog::SearchNext);
    connect(pane_, &CHexViewPane::FocusToDialogRequested, this, [this] { searchBox_->setFocus(); });
    setTabOrder(searchButton_, pane_);

    messageHandler_ = [this](const QString &text) {
        QMessageBox::critical(this, LoadResString(str::kAppName), text);
    };
    resize(units.ToPixels(resource->width, resource->height));
    LayOutControls();
    searchBox_->setFocus();
}

CHexViewDialog::~CHexViewDialog() = default;

void CHexViewDialog::LayOutControls()
{
    // Placed left to right and mirrored when the window runs right to left.
    KeepLogicalPlaces(*this, laidOutWidth_);
    const QRect client = rect();
    pane_->setGeometry(0, paneTop_->y(), client.width(), std::max(0, client.height() - paneTop_->y()));
    QRect box = LogicalGeometry(*searchBox_);
    box.setRight(client.right());
    SetLogicalGeometry(*searchBox_, box);
    QRect button = LogicalGeometry(*searchButton_);
    button.moveRight(client.right());
    SetLogicalGeometry(*searchButton_, button);
}

bool CHexViewDialog::ShowFile(const std::string &path, std::int64_t offset)
{
    cancelled_ = true;  // a search still reading the last file ends without moving
    // The window manager lays out the title: a megabyte path from a result file is cut first.
    setWindowTitle(ShownText(FromLocalText(path)));
    return pane_->OpenFile(path, offset);
}

void CHexViewDialog::SearchNext()
{
    if (searching_)
        return;  // a click while the search pumps events
    searchText_ = searchBox_->text().toLocal8Bit().toStdString();
    hexadecimal_ = hexadecimalBox_->isChecked();
    std::vector<std::string> list{searchText_};
    std::string phrase = searchText_;
    if (hexadecimal_) {
        if (!DecodeHexWords(list))
            return;
        DecodeHexPhrase(phrase);
    }
    const auto start = static_cast<std::int64_t>(pane_->TopOffset() + phrase.size());
    // The search's own reference: the pane may open another file while events are handled.
    const std::shared_ptr<FileReader> file = pane_->File();
    std::int64_t found = kNoMatch;
    if (phrase.empty()) {
        found = 0;
    } else if (file) {
        ContentMatcher matcher(phrase, list, kWordModeAny, true, hexadecimal_);
        PumpThrottle throttle;
        // The window may even be destroyed while events are handled; then nothing of it is touched.
        const QPointer<CHexViewDialog> alive(this);
        matcher.SetChunkCallback([this, &throttle, &alive] {
            if (throttle.Due())
                HandlePendingEvents();
            return alive && !cancelled_;
        });
        searching_ = true;
        cancelled_ = false;
        // The window answers while a large file is read; the cursor says it is still busy.
        QGuiApplication::setOverrideCursor(Qt::BusyCursor);
        found = matcher.Match(*file, start);
        QGuiApplication::restoreOverrideCursor();
        if (!alive)
            return;
        searching_ = false;
        if (cancelled_)
            return;
    }
    if (found < 0)
        messageHandler_(LoadResString(str::kNoMoreMatches));
    else
        pane_->GoToOffset(found);
}

void CHexViewDialog::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    LayOutControls();
}

void CHexViewDialog::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && searching_) {
        cancelled_ = true;
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CHexViewDialog::wheelEvent(QWheelEvent *event)
{
    // Wheel messages from the search box and the other controls reach the dialog.
    const int delta = event->angleDelta().y();
    if (delta > 0)
        pane_->ScrollVertical(CHexViewPane::kLineUp);
    else if (delta < 0)
        pane_->ScrollVertical(CHexViewPane::kLineDown);
    event->accept();
}

void CHexViewDialog::hideEvent(QHideEvent *event)
{
    cancelled_ = true;
    QDialog::hideEvent(event);
}

} // namespace sifter
