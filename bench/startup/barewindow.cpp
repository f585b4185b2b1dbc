// The yardstick for the program's start-up: an empty top-level window of the
// same inner size, made and shown the way the program shows its own.
#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Dalmiro"));
    window.setFixedSize(797, 601);
    window.show();
    return app.exec();
}
