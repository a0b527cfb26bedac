#include "app/export_dialog.h"

#include "app/modal_dialogs.h"

#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace
{

// The formats, as the dialog's filters list them, each with its ending.
const char* const Filters[][2] = {
    {"glTF バイナリ (*.glb)", "glb"},
    {"glTF (*.gltf)", "gltf"},
    {"Wavefront OBJ (*.obj)", "obj"},
    {"Web ページ (*.html)", "html"},
};

} // namespace

TExportDialog::TExportDialog(QWidget* parent)
    : Dialog(parent), UnitLabel(&Options), Unit(&Options), Note(&Options)
{
    Dialog.setObjectName("ExportDialog");
    Dialog.setWindowTitle("書き出し");
    Dialog.setAcceptMode(QFileDialog::AcceptSave);
    QStringList filters;
    for (const auto& [filter, ending] : Filters)
        filters << filter;
    Dialog.setNameFilters(filters);
    Dialog.setDefaultSuffix(Filters[0][1]);
    Dialog.setOption(QFileDialog::DontUseNativeDialog);
    Dialog.setSizeGripEnabled(true);
    // The name typed gets the ending of the format chosen, unless it has one.
    QObject::connect(&Dialog, &QFileDialog::filterSelected, &Dialog,
                     [this](const QString& filter)
                     {
                         for (const auto& [name, ending] : Filters)
                             if (filter == name)
                                 Dialog.setDefaultSuffix(ending);
                     });

    UnitLabel.setText("図面の単位:");
    Unit.setObjectName("ExportUnit");
    Unit.addItems({"mm", "cm", "m"});
    Note.setText("非表示のレイヤは書き出しません。切断高さは見え方だけを変え、書き出すモデルは切りません。");
    Note.setWordWrap(true);
    auto* unitRow = new QHBoxLayout;
    unitRow->addWidget(&UnitLabel);
    unitRow->addWidget(&Unit);
    unitRow->addStretch();
    auto* column = new QVBoxLayout(&Options);
    column->setContentsMargins(0, 0, 0, 0);
    column->addLayout(unitRow);
    column->addWidget(&Note);
    if (auto* grid = qobject_cast<QGridLayout*>(Dialog.layout()))
        grid->addWidget(&Options, grid->rowCount(), 0, 1, grid->columnCount());
}

std::optional<std::string> TExportDialog::Run()
{
    if (!RunSaveDialog(Dialog))
        return std::nullopt;
    const QStringList chosen = Dialog.selectedFiles();
    if (chosen.isEmpty())
        return std::nullopt;
    return QFile::encodeName(chosen.first()).toStdString();
}

std::string TExportDialog::UnitName() const
{
    return Unit.currentText().toStdString();
}
