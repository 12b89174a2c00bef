#pragma once

#include "core/document.h"
#include "core/document_changes.h"

#include <QAbstractTableModel>
#include <QItemSelection>

namespace quarvel {

// The data grid's model: reads the document's table in place. The title row is the horizontal
// header and the status column the vertical header, so both stay fixed while the cells scroll;
// model rows and columns are therefore the grid's data rows and columns less one. This is the one
// place where those offsets live.
class TableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit TableModel(Document &document, QObject *parent = nullptr);

    Document &document() const { return m_document; }

    static int gridRow(int modelRow) { return modelRow + 1; }
    static int gridColumn(int modelColumn) { return modelColumn + 1; }
    static int modelRow(int gridRow) { return gridRow - 1; }
    static int modelColumn(int gridColumn) { return gridColumn - 1; }
    // Invalid for the title row and the status column.
    QModelIndex indexAt(int gridRow, int gridColumn) const;
    CellRange rangeOf(const QItemSelectionRange &range) const;
    QItemSelection selectionOf(const CellRange &range) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    // DisplayRole: data cells through parseNumber and the number format, other cells as typed;
    // EditRole: the text as typed.
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    // Horizontal: the column titles; vertical: the status texts.
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // A typed edit: stored, and the document marked modified when the text changed.
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

private:
    void documentChanged(const DocumentChange &change);
    void followRowCount();

    Document &m_document;
    int m_rows = 0; // the data rows the views know of
    enum class Pending { None, Insert, Remove, Reset };
    Pending m_pending = Pending::None; // between a report before a change and the one after it
    DocumentChanges::Connection m_connection;
};

} // namespace quarvel
