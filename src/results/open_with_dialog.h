#pragma once
// "Open With": the applications whose desktop entries declare a file's type, each with its
// name and icon; the user picks the one that opens the file.
#include "platform/desktop_entry.h"

#include <QDialog>

#include <vector>

class QListWidget;

namespace sifter {

class OpenWithDialog : public QDialog {
    Q_OBJECT

public:
    // fileName is shown in the question; the first application is selected.
    OpenWithDialog(const QString &fileName, std::vector<DesktopEntry> applications, QWidget *parent = nullptr);

    // The application picked when the dialog was accepted; null when none is selected.
    const DesktopEntry *Chosen() const;
    QListWidget *List() const { return list_; }

private:
    std::vector<DesktopEntry> applications_;
    QListWidget *list_ = nullptr;
};

} // namespace sifter
