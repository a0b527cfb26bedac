#pragma once

#include <QString>

#include <functional>

class QFileDialog;
class QWidget;

// The two modal windows the main window opens. Tests put their own functions
// here so that nothing waits for a user.

// Shows text in the error box: error icon, OK button, caption "Kestrelview".
extern std::function<void(QWidget* parent, const QString& text)> ShowErrorBox;

// Shows the save dialog and waits; true when the user chose a file.
extern std::function<bool(QFileDialog& dialog)> RunSaveDialog;
