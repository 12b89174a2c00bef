#include "core/table_model.h"

#include "core/number_format.h"
#include "core/table_editing.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace quarvel {

TableModel::TableModel(Document &document, QObject *parent)
    : QAbstractTableModel(parent), m_document(document),
      m_rows(std::max(document.table.rowCount() - 1, 0)),
      m_connection(document.changes.connect([this](const DocumentChange &change) { documentChanged(change); }))
{
}

QModelIndex TableModel::indexAt(int gridRow, int gridColumn) const
{
    return index(modelRow(gridRow), modelColumn(gridColumn));
}

CellRange TableModel::rangeOf(const QItemSelectionRange &range) const
{
    return {gridColumn(range.left()), gridRow(range.top()), gridColumn(range.right()), gridRow(range.bottom())};
}

QItemSelection TableModel::selectionOf(const CellRange &range) const
{
    const CellRange cells = dataCells(m_document.table, range);
    if (cells.isEmpty())
        return {};
    return QItemSelection(indexAt(cells.top, cells.left), indexAt(cells.bottom, cells.right));
}

int TableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int TableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : Table::kColumns - 1;
}

QVariant TableModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    const int row = gridRow(index.row());
    const int column = gridColumn(index.column());
    const Table &table = m_document.table;
    if (!index.isValid() || row >= table.rowCount() || column >= Table::kColumns)
        return {};
    const std::string_view text = table.cellUtf8(row, column);
    if (role == Qt::DisplayRole && !text.empty()) {
        const auto &positions = m_document.dataSettings.columnPositions;
        if (std::find(positions.begin() + 1, positions.begin() + 5, column) != positions.begin() + 5) {
            // The number the evaluation would read, in the document's format; the cell keeps its text.
            const ParsedNumber number = m_document.parseNumber(text);
            if (number.ok) {
                const auto &format = m_document.dataSettings.numberFormat;
                return formatFloat(std::string_view(format.data(), ::strnlen(format.data(), format.size())),
                                   number.value, m_document.locale());
            }
        }
    }
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QVariant TableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    const Table &table = m_document.table;
    if (orientation == Qt::Horizontal) {
        const int column = gridColumn(section);
        if (section < 0 || column >= Table::kColumns || table.rowCount() == 0)
            return {};
        return table.cell(0, column);
    }
    const int row = gridRow(section);
    if (section < 0 || row >= table.rowCount())
        return {};
    return table.cell(row, 0);
}

Qt::ItemFlags TableModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

bool TableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !index.isValid())
        return false;
    const int row = gridRow(index.row());
    if (row >= m_document.table.rowCount())
        return false;
    setCellText(m_document, row, gridColumn(index.column()), value.toString());
    return true;
}

// The views only learn of rows between the begin and end calls, so a table that grew or shrank
// without a report of its own (an import, a reader) is caught up here, at its end.
void TableModel::followRowCount()
{
    if (m_pending != Pending::None)
        return;
    const int rows = std::max(m_document.table.rowCount() - 1, 0);
    if (rows > m_rows) {
        beginInsertRows({}, m_rows, rows - 1);
        m_rows = rows;
        endInsertRows();
    } else if (rows < m_rows) {
        beginRemoveRows({}, rows, m_rows - 1);
        m_rows = rows;
        endRemoveRows();
    }
}

void TableModel::documentChanged(const DocumentChange &change)
{
    const int tableRows = std::max(m_document.table.rowCount() - 1, 0);
    switch (change.kind) {
    case DocumentChange::TableAboutToBeReset:
        followRowCount();
        beginResetModel();
        m_pending = Pending::Reset;
        return;
    case DocumentChange::TableReset:
        if (m_pending != Pending::Reset)
            beginResetModel();
        m_pending = Pending::None;
        m_rows = tableRows;
        endResetModel();
        emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
        return;
    case DocumentChange::RowsAboutToBeInserted: {
        followRowCount();
        const int first = std::clamp(modelRow(change.first), 0, m_rows);
        if (change.count > 0) {
            beginInsertRows({}, first, first + change.count - 1);
            m_pending = Pending::Insert;
        }
        return;
    }
    case DocumentChange::RowsAboutToBeRemoved: {
        followRowCount();
        const int first = std::clamp(modelRow(change.first), 0, m_rows);
        const int count = std::min(change.count, m_rows - first);
        if (count > 0) {
            beginRemoveRows({}, first, first + count - 1);
            m_pending = Pending::Remove;
        }
        return;
    }
    case DocumentChange::RowsInserted:
    case DocumentChange::RowsRemoved:
        if (m_pending == Pending::Insert || m_pending == Pending::Remove) {
            const Pending pending = std::exchange(m_pending, Pending::None);
            m_rows = tableRows;
            if (pending == Pending::Insert)
                endInsertRows();
            else
                endRemoveRows();
        }
        followRowCount();
        return;
    case DocumentChange::CellsChanged: {
        followRowCount();
        const CellRange &cells = change.cells;
        if (cells.isEmpty())
            return;
        if (cells.top <= 0)
            emit headerDataChanged(Qt::Horizontal, std::max(modelColumn(cells.left), 0),
                                   std::min(modelColumn(cells.right), columnCount() - 1));
        const int top = std::max(modelRow(cells.top), 0);
        const int bottom = std::min(modelRow(cells.bottom), m_rows - 1);
        if (top > bottom)
            return;
        if (cells.left <= 0)
            emit headerDataChanged(Qt::Vertical, top, bottom);
        const int left = std::max(modelColumn(cells.left), 0);
        const int right = std::min(modelColumn(cells.right), columnCount() - 1);
        if (left <= right)
            emit dataChanged(index(top, left), index(bottom, right), {Qt::DisplayRole, Qt::EditRole});
        return;
    }
    case DocumentChange::Evaluated:
    case DocumentChange::PictureChanged:
    case DocumentChange::ModifiedChanged:
        followRowCount();
        return;
    }
}

} // namespace quarvel
