// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader says of each control: every input control of the criteria pane and of
// every dialog has a name, every button a name and a description. The controls are found by
// walking each window, so a control added without them fails here.
#include "fileops/open_with_dialog.h"
#include "fileops/properties_dialog.h"
#include "fileops/transfer_progress_dialog.h"
#include "frame/about_dialog.h"
#include "framework/name_conflict_dialog.h"
#include "fs/file_properties.h"
#include "pane/left_view.h"
#include "results/hex_view_dialog.h"
#include "support/sifter_app_fixture.h"

#include <QAbstractSpinBox>
#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTimer>

namespace sifter::test {
namespace {

bool IsInput(const QWidget *widget)
{
    return qobject_cast<const QLineEdit *>(widget) || qobject_cast<const QComboBox *>(widget) ||
           qobject_cast<const QAbstractSpinBox *>(widget) || qobject_cast<const QPlainTextEdit *>(widget) ||
           qobject_cast<const QCheckBox *>(widget) || qobject_cast<const QRadioButton *>(widget);
}

// The editing field inside a combo box or a spin box is a part of it, named with it.
bool IsPartOfAnInput(const QWidget *widget)
{
    for (const QWidget *up = widget->parentWidget(); up; up = up->parentWidget()) {
        if (IsInput(up))
            return true;
    }
    return false;
}

// Checks every control of window; returns how many it checked.
int ExpectSpokenNames(QWidget &window)
{
    int checked = 0;
    for (QWidget *widget : window.findChildren<QWidget *>()) {
        const bool input = IsInput(widget);
        const bool button = !input && qobject_cast<QAbstractButton *>(widget);
        if ((!input && !button) || IsPartOfAnInput(widget))
            continue;
        QAccessibleInterface *node = QAccessible::queryAccessibleInterface(widget);
        if (!node) {
            ADD_FAILURE() << "no interface for " << widget->metaObject()->className();
            continue;
        }
        const QString what = QStringLiteral("%1 \"%2\" named \"%4\" in %3")
                                 .arg(QLatin1String(widget->metaObject()->className()), widget->objectName(),
                                      window.windowTitle(), node->text(QAccessible::Name));
        EXPECT_FALSE(node->text(QAccessible::Name).trimmed().isEmpty()) << what.toStdString();
        if (button) {
            EXPECT_FALSE(node->text(QAccessible::Description).trimmed().isEmpty()) << what.toStdString();
        }
        ++checked;
    }
    return checked;
}

class AccessibleNamesTest : public SifterAppFixture {
protected:
    void SetUp() override
    {
        SifterAppFixture::SetUp();
        QAccessible::setActive(true);
    }
    void TearDown() override
    {
        QAccessible::setActive(false);
        SifterAppFixture::TearDown();
    }
};

TEST_F(AccessibleNamesTest, EveryControlOfTheCriteriaPaneIsNamed)
{
    ASSERT_NO_FATAL_FAILURE(StartWithFiles({"notes.txt"}));
    CLeftView &pane = *Frame().GetLeftView();
    for (int section = 0; section < CLeftView::kSectionCount; ++section)
        pane.ToggleSection(CLeftView::Section(section));
    // The three boxes, the buttons and every panel's controls.
    EXPECT_GT(ExpectSpokenNames(pane), 25);
}

TEST_F(AccessibleNamesTest, EveryControlOfEveryDialogIsNamed)
{
    ASSERT_NO_FATAL_FAILURE(StartWithFiles({"notes.txt"}));
    const std::string file = tree.Path("files/notes.txt");

    CHexViewDialog &hexView = *Frame().GetResultsView()->HexViewDialog();
    ASSERT_TRUE(hexView.ShowFile(file, 0));
    EXPECT_GE(ExpectSpokenNames(hexView), 3);

    CAboutDialog about(QStringLiteral("file:///guide"), QStringLiteral("https://example.org"), [](CommandId) {}, &Frame());
    EXPECT_GE(ExpectSpokenNames(about), 4);

    FileProperties properties;
    ASSERT_TRUE(ReadFileProperties(file, properties));
    PropertiesDialog propertiesDialog(file, QStringLiteral("Plain Text"), properties, &Frame());
    EXPECT_GE(ExpectSpokenNames(propertiesDialog), 1);

    DesktopEntry editor;
    editor.id = "editor.desktop";
    editor.name = "Editor";
    OpenWithDialog openWith(QStringLiteral("notes.txt"), "text/plain", {{editor}, {}}, &Frame());
    EXPECT_GE(ExpectSpokenNames(openWith), 2);

    NameConflictDialog conflict(QStringLiteral("notes.txt"), QString::fromStdString(tree.Root()), false, &Frame());
    EXPECT_GE(ExpectSpokenNames(conflict), 2);

    TransferProgressDialog progress(TransferKind::kCopy, QStringLiteral("/dest"), *prompts, &Frame());
    EXPECT_GE(ExpectSpokenNames(progress), 1);
}

TEST_F(AccessibleNamesTest, EveryControlOfTheOptionsDialogIsNamed)
{
    ASSERT_NO_FATAL_FAILURE(StartWithFiles({"notes.txt"}));
    int checked = 0;
    QTimer::singleShot(0, [&checked] {
        QWidget *dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        checked = ExpectSpokenNames(*dialog);
        dialog->close();
    });
    ASSERT_TRUE(Frame().SendCommand(cmd::kOptions));
    EXPECT_GE(checked, 6);
}

} // namespace
} // namespace sifter::test
