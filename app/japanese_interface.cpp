#include "app/japanese_interface.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QStringList>
#include <QTranslator>

namespace
{

const QString InterfaceFamily = "ＭＳ ゴシック";

// Japanese Gothic families tried in turn when the interface family is
// missing; the first comes with the install script (fonts-ipafont-gothic).
const QStringList GothicFamilies = {"IPAGothic", "IPAPGothic", "Noto Sans CJK JP", "VL Gothic",
                                    "TakaoGothic"};

} // namespace

QFont InterfaceFont()
{
    if (QFont::substitutes(InterfaceFamily).isEmpty())
        QFont::insertSubstitutions(InterfaceFamily, GothicFamilies);
    QFont font(InterfaceFamily);
    font.setPixelSize(13);
    return font;
}

void LoadDialogTexts(QTranslator& translator)
{
    if (translator.load(QLocale(QLocale::Japanese), "qt", "_",
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&translator);
}
