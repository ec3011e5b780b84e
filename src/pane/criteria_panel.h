// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// CCriteriaPanel: the body of one section of the criteria pane, a child of the pane built
// from its dialog template. It starts hidden (its section shows it), its controls take
// part in the pane's tab order, Enter and Escape inside it hand the keyboard focus back
// to the pane, and its listed controls reach its right edge whatever its width.
#include "framework/dialog_builder.h"
#include "res/resource_ids.h"

#include <QFrame>

#include <initializer_list>
#include <utility>
#include <vector>

class QAbstractButton;
class QLabel;

namespace sifter {

class CCriteriaPanel : public QFrame {
    Q_OBJECT

public:
    // pull: the controls into the members; else the members into the controls. False
    // when a control holds a value that cannot be read.
    virtual bool ExchangeValues(bool pull) = 0;

    // The panel's handling of Enter and Escape: the focus goes to the parent; the panel
    // stays as it is.
    void OnOK();
    void OnCancel();

    const DialogControls &Controls() const { return controls_; }
    // The width from the panel's left edge that shows every option's text whole.
    int WidthForWholeTexts() const;
    // Stretches the listed controls to the right edge; an option's or label's text that no
    // longer fits shows elided, with the whole text as its tip. Runs on every resize; a
    // hidden panel gets its resize only when shown, so the pane calls it too.
    void StretchControls();

protected:
    // Builds the controls of template dialogId (a thin border when the template asks for
    // one), hidden, sized to the template; stretched lists the controls that follow the
    // right edge.
    CCriteriaPanel(ResourceId dialogId, std::initializer_list<int> stretched, QWidget *pane);

    template <typename T>
    T &Control(int id) const
    {
        return *controls_.Find<T>(id);
    }

    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    DialogControls controls_;
    std::vector<int> stretched_;
    std::vector<std::pair<QAbstractButton *, QString>> options_; // each check box or radio button with its whole text
    std::vector<std::pair<QLabel *, QString>> labels_;           // each label with its whole text
    int laidOutWidth_ = 0;  // the width the controls were last mirrored in, right to left
};

} // namespace sifter
