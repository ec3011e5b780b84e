// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window of the document commands: menu bar, accelerators and toolbar built from
// the resources on one action per command, command routing (active view, document, frame,
// application) with update handlers run before a menu opens and whenever the program
// goes idle, status prompts, the title "<document> - <program>", bars shown and hidden by
// View commands, files dropped on the window, and the save question before it closes.
#include "framework/command_actions.h"
#include "framework/command_router.h"
#include "framework/command_target.h"
#include "framework/menu_builder.h"

#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <QTimer>

#include <map>
#include <memory>

class QToolBar;

namespace sifter {

class Application;
class Document;

class FrameWindow : public QMainWindow, public CommandTarget {
    Q_OBJECT

public:
    FrameWindow(Application &app, Document &document);
    ~FrameWindow() override;

    Application &App() const { return app_; }
    Document &GetDocument() const { return document_; }
    CommandRouter &Router() { return router_; }
    CommandActions &Actions() { return *actions_; }
    MenuBuilder &Menus() { return *menus_; }

    // Makes the window's parts; false fails the frame's creation. The base makes the menu
    // bar (res::kMenuMain), puts every command's keys on the window, starts idle updates, and
    // asks for the idle status text; derived frames add their bars and client area.
    virtual bool CreateFrame();
    // Tells the document's views to fill themselves (after a new document or an open).
    virtual void InitialUpdateFrame();

    // The set-message-string request: with a text that text, else the prompt of the id
    // (the part of its string before "\n"). The base shows it in the status bar.
    virtual void SetMessageString(CommandId id, const QString *text = nullptr);
    // The same request, handled when the event loop next runs.
    void PostMessageString(CommandId id);
    // The id of the last request (0 for a request with a text only).
    CommandId LastMessageId() const { return lastMessageId_; }

    // Routes a command as a click on its menu item would; false when nothing ran.
    bool SendCommand(CommandId id);
    // Gives every command's action its current state (what idle time does).
    void UpdateCommandUi();

    // True while a close waits for the busy document to wind down.
    bool ClosePending() const { return closePending_; }
    // Closes as the close box does but drops the document's changes without asking (no one
    // is there to answer: a signal ends the program). False when the close has to wait.
    bool CloseDiscardingChanges();

protected:
    // The head of the routing chain: the active view, if it handles commands.
    virtual CommandTarget *ActiveViewTarget() const { return nullptr; }
    // Bookkeeping of the set-message-string request for frames that show texts themselves.
    void RecordMessageId(CommandId id) { lastMessageId_ = id; }
    // A bar that the View command id shows and hides; its check mark follows the bar.
    void AddControlBar(CommandId id, QWidget *bar);
    // A toolbar with the toolbar resource's buttons and separators, on the shared actions.
    QToolBar *CreateResourceToolBar(const QString &title);

    // The close is wanted while the document is busy: ask what keeps it busy to stop. The
    // window closes by itself once the document is no longer busy.
    virtual void OnBusyClose() {}
    // Before the window goes, after the user agreed to close (placement, running flag).
    virtual void OnClosingFrame() {}
    // Files dropped on the window from another program (a drag that starts in this one is
    // refused); the base opens each as the document, in order.
    virtual void OnDropFiles(const QStringList &paths);
    virtual void UpdateFrameTitle();

    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    std::vector<CommandTarget *> RoutingChain() const;
    void RetryClose();

    Application &app_;
    Document &document_;
    CommandRouter router_;
    CommandActions *actions_;  // a child object
    std::unique_ptr<MenuBuilder> menus_;
    std::map<CommandId, QPointer<QWidget>> controlBars_;
    CommandId lastMessageId_ = 0;
    bool closePending_ = false;
    bool discardChanges_ = false;
    QTimer closeRetry_;
    QMetaObject::Connection idleConnection_;
};

} // namespace sifter
