#pragma once

#include "app/findings_model.h"
#include "check/finding.h"
#include "model/build_record.h"
#include "model/layers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QTableView>
#include <QWidget>

#include <vector>

// The panel at the window's right: the findings and the layers on two tabs,
// and under them the plan view's switch, the cut height, reload and export.
// The window connects the controls; the panel fills them. The controls are
// declared holder first, so that each is destroyed before its holder.
class TSidePanel : public QWidget
{
public:
    explicit TSidePanel(QWidget* parent);

    QTabWidget Tabs;
    QWidget FindingsPage;
    QComboBox SeverityFilter; // all, the warnings, the notes
    QTableView FindingsTable;
    QListWidget LayerList;   // one checkable item a layer, its slot as data
    QCheckBox B_plan;        // the plan view in place of the picture
    QCheckBox B_cut;         // the cut height on
    QSlider CutSlider;       // in millimetres
    QDoubleSpinBox CutField; // in metres
    QPushButton B_reload;
    QPushButton B_export;
    TFindingsModel FindingsModel;

    // Lists the findings the filter lets through.
    void ShowFindings(const std::vector<TFinding>& findings, const TBuildRecord& record);
    // Lists the drawing's layers, those of hidden unchecked.
    void ShowLayers(const TBuildRecord& record, const THiddenLayers& hidden);
    // The layers left unchecked.
    THiddenLayers HiddenLayers() const;
    // Checks the layer's box again, if it is listed.
    void ShowLayer(int slot);
    // Lets the cut height run from low to high, in metres.
    void SetCutRange(double low, double high);
    // Selects the finding's row, if the filter lets it through.
    void SelectFinding(size_t finding);

    TSeverityFilter Filter() const;
};
