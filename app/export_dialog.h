#pragma once

#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QWidget>

#include <optional>
#include <string>

// The Export… dialog: the file-save dialog for the 3D model, with the
// drawing's unit below its own controls and a note on what goes into the
// file. The controls are declared holder first.
struct TExportDialog
{
    explicit TExportDialog(QWidget* parent);

    QFileDialog Dialog;
    QWidget Options;
    QLabel UnitLabel;
    QComboBox Unit; // mm, cm or m: what a drawing unit is
    QLabel Note;

    // The file chosen, as the bytes of its path, or nothing when the user
    // cancelled. Shows the dialog through RunSaveDialog.
    std::optional<std::string> Run();
    // The unit chosen, as the companion's --unit takes it.
    std::string UnitName() const;
};
