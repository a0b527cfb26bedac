// Prints the text on the X clipboard: the window's end-to-end test reads
// what Ctrl+Shift+C copied with it.
#include <QClipboard>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    QGuiApplication application(argc, argv);
    std::fputs(QGuiApplication::clipboard()->text().toUtf8().constData(), stdout);
    std::fputs("\n", stdout);
    return 0;
}
