// The yardstick of the start-up benchmark: the least a Qt Widgets program
// does to show a window (one main window holding a label), built with the
// same compiler, flags and Qt as the program.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare window"));
    window.setCentralWidget(new QLabel(QStringLiteral("A bare Qt Widgets window")));
    window.show();
    return app.exec();
}
