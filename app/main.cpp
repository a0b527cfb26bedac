// kestrelview: shows the host's drawing in one window, once.
#include "app/display_check.h"
#include "app/form2.h"
#include "app/japanese_interface.h"
#include "render/context_preparation.h"
#include "render/float_control.h"

#include <QApplication>
#include <QIcon>
#include <QScreen>
#include <QTranslator>

#include <cstdio>
#include <cstring>
#include <utility>

int main(int argc, char* argv[])
{
    // The one argument taken; any other is passed to Qt as before.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0)
    {
        std::fputs("kestrelview " KV_VERSION "\n", stdout);
        return 0;
    }
    MaskFloatingPointExceptions();
    if (!WindowSystemReachable())
    {
        std::fputs("kestrelview: no display to open the window on (is DISPLAY set to a running X server?)\n",
                   stderr);
        return 1;
    }

    QApplication application(argc, argv);
    // OSMesa and llvmpipe load, and compile the render's shaders, on a second
    // thread while Qt builds the window; the first render waits for them.
    std::future<OSMesaContext> prepared = PrepareContext(QGuiApplication::primaryScreen()->depth(), 1);
    QApplication::setApplicationDisplayName("Kestrelview");
    // The installed kestrelview.desktop names the window and its task bar
    // entry. The icon is compiled in as PNG: decoding SVG would slow the start.
    QGuiApplication::setDesktopFileName("kestrelview");
    QIcon icon;
    icon.addFile(":/icons/kestrelview-48.png", QSize(48, 48));
    icon.addFile(":/icons/kestrelview-256.png", QSize(256, 256));
    QApplication::setWindowIcon(icon);
    QApplication::setFont(InterfaceFont());
    QTranslator dialogTexts;
    LoadDialogTexts(dialogTexts);

    TForm2 Form2(std::move(prepared));
    Form2.show();
    return QApplication::exec();
}
