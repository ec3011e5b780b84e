// SPDX-License-Identifier: GPL-3.0-or-later
// A row dragged out of the results list and dropped back on the main window is not opened as
// a result file, even when it is one. Needs a real X display, where a drag runs until the
// button is released:
//   xvfb-run -a env QT_QPA_PLATFORM=xcb build/tests/own_drag_drop_gui_test
// Elsewhere (offscreen, as ctest runs it) a drag ends at once and the test skips itself.
#include "fs/file_attributes.h"
#include "results/results_model.h"
#include "results/sifter_view.h"
#include "stores/result_file.h"
#include "support/found_records.h"
#include "support/qt_printers.h"
#include "support/sifter_app_fixture.h"

#include <QAbstractItemView>
#include <QDrag>
#include <QItemSelectionModel>
#include <QMouseEvent>
#include <QTimer>

namespace sifter::test {
namespace {

class OwnDragDropTest : public SifterAppFixture {};

TEST_F(OwnDragDropTest, AResultFileDraggedOntoTheWindowIsNotOpened)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X display (xvfb-run with QT_QPA_PLATFORM=xcb)";
    // The row's file is itself a result file: a drop the window took would open it.
    FileSearch inner;
    auto innerRecord = std::make_unique<FoundFile>();
    innerRecord->SetName("inner");
    innerRecord->SetFolder("/nowhere");
    inner.AppendFoundFile(std::move(innerRecord));
    tree.MakeFolder("files");
    ASSERT_TRUE(SaveResultFile(inner, tree.Path("files/other.sifter")));
    FileSearch search;
    SetSearchedFolders(search, tree.Path("files"));
    auto record = std::make_unique<FoundFile>();
    record->SetName("other.sifter");
    record->SetFolder(tree.Path("files"));
    record->attributes = kAttributeNormal;
    search.AppendFoundFile(std::move(record));
    const std::string file = tree.Path("rows.sifter");
    ASSERT_TRUE(SaveResultFile(search, file));
    StartShown();
    ASSERT_NE(app->OpenDocumentFile(QString::fromStdString(file)), nullptr);
    CSifterView &list = *Frame().GetResultsView();
    list.SelectionModel()->select(list.Model().index(0, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);

    // The drag moves the pointer over the list a few steps, then drops there.
    Qt::DropAction dropped = Qt::CopyAction;
    list.SetDragLoop([&list, &dropped](QDrag &drag, Qt::DropActions allowed, Qt::DropAction preferred) {
        QWidget *viewport = list.CurrentView()->viewport();
        const QPointF local(viewport->rect().center());
        const QPointF global = viewport->mapToGlobal(local);
        QCursor::setPos(global.toPoint());
        constexpr int kSteps = 6;
        constexpr int kStepMilliseconds = 100;
        for (int step = 1; step <= kSteps; ++step) {
            QTimer::singleShot(kStepMilliseconds * step, viewport, [viewport, local, global, step] {
                const QPointF offset(step, step);
                QCursor::setPos((global + offset).toPoint());
                QMouseEvent move(QEvent::MouseMove, local + offset, global + offset, Qt::NoButton, Qt::LeftButton,
                                 Qt::NoModifier);
                QApplication::sendEvent(viewport, &move);
            });
        }
        QTimer::singleShot(kStepMilliseconds * (kSteps + 3), viewport, [viewport, local, global] {
            QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton,
                                Qt::NoModifier);
            QApplication::sendEvent(viewport, &release);
        });
        dropped = drag.exec(allowed, preferred);
        return dropped;
    });
    list.OnBeginDrag();
    QTest::qWait(500);  // a drop that was taken opens its file once the event loop turns
    EXPECT_EQ(dropped, Qt::IgnoreAction);
    EXPECT_EQ(Doc().PathName(), QString::fromStdString(file));
    EXPECT_EQ(list.ItemCount(), 1);
}

} // namespace
} // namespace sifter::test
