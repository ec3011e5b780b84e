#include <QApplication>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Sifter"));
    QApplication::setApplicationVersion(QStringLiteral(SIFTER_VERSION));
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Sifter"));
    window.resize(800, 560);
    window.show();
    return app.exec();
}
