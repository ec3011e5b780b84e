// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Open With": the applications whose desktop entries declare a file's type first, then every
// other application shown in choosers, each with its name and icon, filtered by a search
// field; or a command of the user's own ("Other program..."). The choice can be kept as the
// type's default ("Always use").
#include "desktop/desktop_applications.h"
#include "desktop/desktop_entry.h"

#include <QDialog>

#include <optional>
#include <string>
#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace sifter {

class OpenWithDialog : public QDialog {
    Q_OBJECT

public:
    // fileName is shown in the question, type (a MIME type name) by the "Always use" box. The
    // first application is selected and the search field has the focus.
    OpenWithDialog(const QString &fileName, const std::string &type, ChooserApplications applications,
                   QWidget *parent = nullptr);

    // What was chosen when the dialog was accepted: a listed application, or for "Other
    // program..." the command's application (CommandApplication: no id); null before.
    const DesktopEntry *Chosen() const { return chosen_ ? &*chosen_ : nullptr; }
    // Whether "Always use" was ticked (it starts unticked).
    bool AlwaysUse() const;
    QListWidget *List() const { return list_; }

    // Takes the current row; for "Other program..." only a command that parses and whose
    // program is there, else the reason is shown and the dialog stays.
    void accept() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void AddApplicationRows(const std::vector<DesktopEntry> &applications);
    void Filter(const QString &text);
    void CurrentRowChanged();
    void Activated(QListWidgetItem *item);
    bool TakeCommand();
    void ShowCommandFault(const QString &reason);

    std::vector<DesktopEntry> applications_;  // the declared ones, then the others
    std::optional<DesktopEntry> chosen_;
    QLineEdit *search_ = nullptr;
    QListWidget *list_ = nullptr;
    QListWidgetItem *heading_ = nullptr;  // above the others, when there are both kinds
    QListWidgetItem *otherProgram_ = nullptr;
    QLabel *commandLabel_ = nullptr;
    QLineEdit *command_ = nullptr;
    QLabel *commandFault_ = nullptr;
    QCheckBox *alwaysUse_ = nullptr;
    QPushButton *ok_ = nullptr;
};

} // namespace sifter
