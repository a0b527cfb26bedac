// kestrelview: shows the host's drawing in one window, once.
#include "app/display_check.h"
#include "app/form2.h"
#include "app/japanese_interface.h"
#include "render/float_control.h"

#include <QApplication>
#include <QTranslator>

#include <cstdio>

int main(int argc, char* argv[])
{
    MaskFloatingPointExceptions();
    if (!WindowSystemReachable())
    {
        std::fputs("kestrelview: no display to open the window on (is DISPLAY set to a running X server?)\n",
                   stderr);
        return 1;
    }

    QApplication application(argc, argv);
    QApplication::setApplicationDisplayName("Kestrelview");
    QApplication::setFont(InterfaceFont());
    QTranslator dialogTexts;
    LoadDialogTexts(dialogTexts);

    TForm2 Form2;
    Form2.show();
    return QApplication::exec();
}
