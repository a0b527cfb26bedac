#include "app/findings_model.h"

#include <QApplication>
#include <QStyle>

#include <algorithm>
#include <utility>

void TFindingsModel::SetRows(std::vector<TFindingRow> rows)
{
    beginResetModel();
    Rows = std::move(rows);
    endResetModel();
}

std::optional<size_t> TFindingsModel::FindingAt(int row) const
{
    if (row < 0 || size_t(row) >= Rows.size())
        return std::nullopt;
    return Rows[size_t(row)].Finding;
}

int TFindingsModel::RowOf(size_t finding) const
{
    // Rows are in the order of the findings.
    auto at = std::lower_bound(Rows.begin(), Rows.end(), finding,
                               [](const TFindingRow& row, size_t f) { return row.Finding < f; });
    if (at == Rows.end() || at->Finding != finding)
        return -1;
    return int(at - Rows.begin());
}

int TFindingsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(Rows.size());
}

int TFindingsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant TFindingsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || size_t(index.row()) >= Rows.size())
        return {};
    const TFindingRow& row = Rows[size_t(index.row())];
    if (role == Qt::DecorationRole && index.column() == 0)
        return QApplication::style()->standardIcon(row.Warning ? QStyle::SP_MessageBoxWarning
                                                               : QStyle::SP_MessageBoxInformation);
    if (role == Qt::ToolTipRole && index.column() == 2)
        return QString::fromStdString(row.Sentence);
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column())
    {
    case 0:
        return QString::fromStdString(row.Severity);
    case 1:
        return QString::fromStdString(row.Kind);
    case 2:
        return QString::fromStdString(row.Sentence);
    case 3:
        return QString::fromStdString(row.Layer);
    default:
        return row.Line;
    }
}

QVariant TFindingsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    const char* const titles[ColumnCount] = {"重要度", "種類", "内容", "レイヤ", "行"};
    return section >= 0 && section < ColumnCount ? QString(titles[section]) : QVariant();
}
