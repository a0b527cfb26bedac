// The floor for the window's start: a Qt Widgets window holding one label,
// titled like the real one so that the start benchmark finds it the same way.
#include <QApplication>
#include <QLabel>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QLabel label("Kestrelview");
    label.setWindowTitle("Kestrelview");
    label.show();
    return QApplication::exec();
}
