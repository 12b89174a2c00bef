#pragma once

#include "core/document.h"
#include "core/document_changes.h"

#include <QTableView>

namespace quarvel {

class TableModel;

// The data grid: a view over the document's table. The title row and the status column are the
// view's headers, so they stay in place while the cells scroll.
class DataGrid : public QTableView
{
    Q_OBJECT

public:
    enum class Mode { Initial, Selection, Editing };

    DataGrid(Document &document, QWidget *parent = nullptr);

    Mode mode() const { return m_mode; }
    void setMode(Mode mode);
    bool isEditing() const { return state() == QAbstractItemView::EditingState; }
    // Commits and closes an open cell editor.
    void finishEditing();

    // The selected rectangle and the row of the cursor cell, in grid positions.
    CellRange selection() const;
    int currentRow() const;
    void select(const CellRange &selection);
    void setCurrentCell(int row, int column);

    // Default column width: the client width shared by the seven columns.
    void fitColumnsToWidth();
    TableModel *tableModel() const { return m_model; }

signals:
    // The focus went from the grid to another control of the same window.
    void leftGrid();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    // The viewport has its new width only here, not yet when the data window places the grid.
    void resizeEvent(QResizeEvent *event) override;

private:
    void focusChanged(QWidget *old, QWidget *now);
    void columnDropped(int logical, int oldVisual, int newVisual);
    void rowDropped(int logical, int oldVisual, int newVisual);
    bool holdsFocus(const QWidget *widget) const;

    Document &m_document;
    TableModel *m_model = nullptr;
    Mode m_mode = Mode::Initial;
};

} // namespace quarvel
