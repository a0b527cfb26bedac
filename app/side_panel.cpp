#include "app/side_panel.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QSignalBlocker>
#include <QTabBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>
#include <initializer_list>

namespace
{

// A control's hint, "short|long": the long part shows in the status line.
void SetHint(QWidget& control, const QString& hint)
{
    control.setStatusTip(hint);
    control.setToolTip(hint.section('|', 0, 0));
}

} // namespace

TSidePanel::TSidePanel(QWidget* parent)
    : QWidget(parent), Tabs(this), FindingsPage(&Tabs), SeverityFilter(&FindingsPage),
      FindingsTable(&FindingsPage), LayerList(&Tabs), B_plan(this), B_cut(this), CutSlider(this),
      CutField(this), B_reload(this), B_export(this)
{
    setObjectName("SidePanel");
    SeverityFilter.setObjectName("SeverityFilter");
    SeverityFilter.addItems({"すべて", "警告のみ", "注記のみ"});
    SetHint(SeverityFilter, "表示する指摘|表示する指摘の重要度を選びます");

    FindingsTable.setObjectName("FindingsTable");
    FindingsTable.setModel(&FindingsModel);
    FindingsTable.setSelectionBehavior(QAbstractItemView::SelectRows);
    FindingsTable.setSelectionMode(QAbstractItemView::SingleSelection);
    FindingsTable.setEditTriggers(QAbstractItemView::NoEditTriggers);
    FindingsTable.setWordWrap(false);
    FindingsTable.verticalHeader()->hide();
    // Fixed row heights and column widths: nothing measures all the rows.
    FindingsTable.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    FindingsTable.verticalHeader()->setDefaultSectionSize(FindingsTable.fontMetrics().height() + 6);
    FindingsTable.horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    const int widths[TFindingsModel::ColumnCount] = {60, 130, 300, 80, 44};
    for (int column = 0; column < TFindingsModel::ColumnCount; ++column)
        FindingsTable.setColumnWidth(column, widths[column]);
    auto* findingsLayout = new QVBoxLayout(&FindingsPage);
    findingsLayout->setContentsMargins(2, 2, 2, 2);
    findingsLayout->addWidget(&SeverityFilter);
    findingsLayout->addWidget(&FindingsTable);

    LayerList.setObjectName("LayerList");
    SetHint(LayerList, "レイヤ|チェックを外したレイヤは描きません");
    Tabs.setObjectName("Tabs");
    Tabs.addTab(&FindingsPage, "指摘");
    Tabs.addTab(&LayerList, "レイヤ");

    B_plan.setObjectName("B_plan");
    B_plan.setText("平面図");
    SetHint(B_plan, "平面図|画像の代わりに平面図を表示します");

    B_cut.setObjectName("B_cut");
    B_cut.setText("切断高さ");
    SetHint(B_cut, "切断高さ|この高さより上を描きません");
    CutSlider.setObjectName("CutSlider");
    CutSlider.setOrientation(Qt::Horizontal);
    SetHint(CutSlider, "切断高さ|この高さより上を描きません");
    CutField.setObjectName("CutField");
    CutField.setDecimals(3);
    CutField.setSuffix(" m");
    CutField.setKeyboardTracking(false);
    SetHint(CutField, "切断高さ|この高さより上を描きません (m)");
    // Slider and field show one height.
    connect(&CutSlider, &QSlider::valueChanged, this, [this](int mm) { CutField.setValue(mm / 1000.0); });
    connect(&CutField, &QDoubleSpinBox::valueChanged, this,
            [this](double m)
            {
                const QSignalBlocker quiet(CutSlider);
                CutSlider.setValue(int(std::lround(m * 1000)));
            });

    B_reload.setObjectName("B_reload");
    B_reload.setText("再読込");
    SetHint(B_reload, "再読込|図面を読み直します (F5)");
    B_export.setObjectName("B_export");
    B_export.setText("書き出し…");
    SetHint(B_export, "書き出し|3D モデルをファイルに書き出します");

    // Only the height's field takes the keyboard: the rest leave the keys to
    // the picture, and the mouse works them all the same.
    for (QWidget* control :
         std::initializer_list<QWidget*>{&Tabs, Tabs.tabBar(), &SeverityFilter, &FindingsTable, &LayerList,
                                         &B_plan, &B_cut, &CutSlider, &B_reload, &B_export})
        control->setFocusPolicy(Qt::NoFocus);
    for (QToolButton* scroll : Tabs.tabBar()->findChildren<QToolButton*>())
        scroll->setFocusPolicy(Qt::NoFocus);

    auto* cutRow = new QHBoxLayout;
    cutRow->addWidget(&B_cut);
    cutRow->addWidget(&CutField);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addWidget(&B_plan);
    buttonRow->addStretch();
    buttonRow->addWidget(&B_reload);
    buttonRow->addWidget(&B_export);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(&Tabs, 1);
    layout->addLayout(cutRow);
    layout->addWidget(&CutSlider);
    layout->addLayout(buttonRow);
    SetCutRange(0, 0);
}

TSeverityFilter TSidePanel::Filter() const
{
    switch (SeverityFilter.currentIndex())
    {
    case 1:
        return TSeverityFilter::Warnings;
    case 2:
        return TSeverityFilter::Notes;
    default:
        return TSeverityFilter::All;
    }
}

void TSidePanel::ShowFindings(const std::vector<TFinding>& findings, const TBuildRecord& record)
{
    FindingsModel.SetRows(FindingRows(findings, record, Filter()));
}

void TSidePanel::ShowLayers(const TBuildRecord& record, const THiddenLayers& hidden)
{
    const QSignalBlocker quiet(LayerList);
    LayerList.clear();
    for (int slot : DrawingLayers(record))
    {
        auto* item = new QListWidgetItem(QString::fromStdString(LayerLabel(record, slot)), &LayerList);
        item->setData(Qt::UserRole, slot);
        item->setToolTip(QString::fromStdString(LayerNumberText(slot)));
        item->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
        item->setCheckState(hidden[size_t(slot)] ? Qt::Unchecked : Qt::Checked);
    }
}

THiddenLayers TSidePanel::HiddenLayers() const
{
    THiddenLayers hidden;
    for (int row = 0; row < LayerList.count(); ++row)
    {
        const QListWidgetItem* item = LayerList.item(row);
        if (item->checkState() != Qt::Checked)
            hidden.set(size_t(item->data(Qt::UserRole).toInt()));
    }
    return hidden;
}

void TSidePanel::ShowLayer(int slot)
{
    for (int row = 0; row < LayerList.count(); ++row)
        if (LayerList.item(row)->data(Qt::UserRole).toInt() == slot)
            LayerList.item(row)->setCheckState(Qt::Checked);
}

void TSidePanel::SetCutRange(double low, double high)
{
    const QSignalBlocker quietSlider(CutSlider);
    const QSignalBlocker quietField(CutField);
    CutSlider.setRange(int(std::floor(low * 1000)), int(std::ceil(high * 1000)));
    CutField.setRange(low, high);
    // While the cut is off its height waits at the top, so that moving it
    // down cuts the model from above.
    if (!B_cut.isChecked())
    {
        CutField.setValue(high);
        CutSlider.setValue(CutSlider.maximum());
    }
}

void TSidePanel::SelectFinding(size_t finding)
{
    const int row = FindingsModel.RowOf(finding);
    if (row < 0)
        return;
    FindingsTable.selectRow(row);
    FindingsTable.scrollTo(FindingsModel.index(row, 0));
}
