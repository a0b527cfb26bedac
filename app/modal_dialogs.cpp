#include "app/modal_dialogs.h"

#include <QFileDialog>
#include <QMessageBox>

std::function<void(QWidget* parent, const QString& text)> ShowErrorBox =
    [](QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::Critical, "Kestrelview", text, QMessageBox::Ok, parent);
    box.exec();
};

std::function<bool(QFileDialog& dialog)> RunSaveDialog = [](QFileDialog& dialog)
{ return dialog.exec() == QDialog::Accepted; };
