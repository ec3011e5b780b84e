// SPDX-License-Identifier: GPL-3.0-or-later
// Sifter's start: --help and --version are answered on the terminal without a window;
// otherwise the application starts, runs its main window and tidies up at exit.
#include "app/command_line.h"
#include "app/sifter_app.h"
#include "frame/main_frame.h"
#include "frame/user_desktop.h"
#include "text/translation.h"

#include <QApplication>

#include <clocale>
#include <memory>
#include <cstdio>

int main(int argc, char *argv[])
{
    // Texts are in the locale's code page, as everything else on the desktop.
    std::setlocale(LC_ALL, "");

    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    // Before any window: every text is looked up as it is made.
    sifter::Translations translations;
    if (const auto answer = sifter::TerminalAnswer(arguments, QStringLiteral(SIFTER_VERSION), &translations)) {
        std::fputs(answer->toLocal8Bit().constData(), stdout);
        return 0;
    }

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Sifter"));
    QApplication::setApplicationVersion(QStringLiteral(SIFTER_VERSION));
    // The installed entry's id, which Wayland compositors match windows with.
    QApplication::setDesktopFileName(QStringLiteral("com.norvane.Sifter"));
    translations.Install();

    // Qt has taken its own options (-platform, -style, ...) out of argv by now.
    sifter::CSifterApp app(QCoreApplication::arguments());
    if (!app.InitInstance())
        return 1;
    if (sifter::CMainFrame *frame = app.Frame())
        frame->SetOptionsDesktop([] { return std::make_unique<sifter::UserDesktop>(); });
    const int code = QApplication::exec();
    return app.ExitInstance(code);
}
