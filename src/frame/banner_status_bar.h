// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// BannerStatusBar: the main window's status bar with two panes. Pane 0 (the message pane)
// stretches over the width pane 1 leaves and shows prompts and the idle text; pane 1
// (res::kStatusPaneBanner) is exactly as wide as the banner title "Norvane Search"
// (str::kBannerTitle) in the bar's font and draws the title banner.
#include <QLabel>
#include <QStatusBar>

namespace sifter {

// Pane 1: draws the banner whenever it repaints.
class BannerPane : public QWidget {
    Q_OBJECT

public:
    explicit BannerPane(QWidget *parent = nullptr);
    const QString &Title() const { return title_; }
    // Where the banner is drawn inside the pane (the item rectangle).
    QRect ItemRect() const;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    QString title_;
};

class BannerStatusBar : public QStatusBar {
    Q_OBJECT

public:
    explicit BannerStatusBar(QWidget *parent = nullptr);

    // The text of pane 0, whole. A text wider than the pane shows elided in the middle, the
    // text as the pane's tip.
    QString MessageText() const { return messageText_; }
    void SetMessageText(const QString &text);
    QLabel *MessagePane() const { return message_; }
    BannerPane *Banner() const { return banner_; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Shows the text in the message pane's present width.
    void FitMessage();

    QLabel *message_;
    BannerPane *banner_;
    QString messageText_;
};

} // namespace sifter
