#pragma once

#include "check/finding_rows.h"

#include <QAbstractTableModel>
#include <QIcon>

#include <optional>
#include <vector>

// The findings list's rows for Qt's table view, which asks for each visible
// row's texts as it paints, so that a list of tens of thousands opens at
// once.
class TFindingsModel : public QAbstractTableModel
{
public:
    // The columns: severity (with its icon), kind, sentence, layer, line.
    static constexpr int ColumnCount = 5;

    void SetRows(std::vector<TFindingRow> rows);
    // The row's finding, by its place in the check's list; none for a row
    // that is not there.
    std::optional<size_t> FindingAt(int row) const;
    // The row showing the finding; -1 when the filter leaves it out.
    int RowOf(size_t finding) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<TFindingRow> Rows;
};
