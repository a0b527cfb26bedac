#pragma once

#include <QFont>

class QTranslator;

// The interface font, "ＭＳ ゴシック" at 13 pixels. Where that family is not
// installed a Japanese Gothic stands in for the whole font (not only for the
// Japanese glyphs), so that every text of the interface is set in one face.
QFont InterfaceFont();

// Loads Qt's own Japanese texts, those of the standard dialogs and their
// buttons, into translator and installs it in the application.
void LoadDialogTexts(QTranslator& translator);
