#include "core/table_editing.h"
#include "ui/data_grid.h"
#include "ui/data_window.h"
#include "ui/main_window.h"

#include <QClipboard>
#include <QGuiApplication>

namespace quarvel {

namespace {

// The active window's grid with an open cell editor committed first, so that a command from the
// menu sees what the user typed.
DataGrid *readyGrid(DataWindow *window)
{
    if (!window)
        return nullptr;
    window->dataGrid()->finishEditing();
    return window->dataGrid();
}

} // namespace

void MainWindow::editCut()
{
    DataWindow *window = activeDataWindow();
    DataGrid *grid = readyGrid(window);
    if (!grid)
        return;
    const CutResult result = cutSelection(window->document(), grid->selection());
    QGuiApplication::clipboard()->setText(result.text);
    grid->select(result.selection);
}

void MainWindow::editCopy()
{
    DataWindow *window = activeDataWindow();
    DataGrid *grid = readyGrid(window);
    if (!grid)
        return;
    QGuiApplication::clipboard()->setText(selectionText(window->document().table, grid->selection()));
}

void MainWindow::editPaste()
{
    DataWindow *window = activeDataWindow();
    DataGrid *grid = readyGrid(window);
    if (!grid)
        return;
    // No text on the clipboard reads as an empty text, which empties the top-left cell.
    const QString text = QGuiApplication::clipboard()->text();
    pasteText(window->document(), text, grid->selection(), m_pasteMode);
    grid->setMode(DataGrid::Mode::Selection);
}

void MainWindow::editSelectAll()
{
    DataWindow *window = activeDataWindow();
    DataGrid *grid = readyGrid(window);
    if (!grid)
        return;
    if (const std::optional<CellRange> range = selectAllRange(window->document().table))
        grid->select(*range);
}

void MainWindow::insertRowAtCursor()
{
    DataWindow *window = activeDataWindow();
    if (DataGrid *grid = readyGrid(window))
        quarvel::insertRowAtCursor(window->document(), grid->currentRow());
}

void MainWindow::clearSelectedCells()
{
    DataWindow *window = activeDataWindow();
    if (DataGrid *grid = readyGrid(window))
        clearCells(window->document(), grid->selection());
}

void MainWindow::deleteSelectedRows()
{
    DataWindow *window = activeDataWindow();
    DataGrid *grid = readyGrid(window);
    if (!grid)
        return;
    const CellRange after = deleteRows(window->document(), grid->selection(), grid->currentRow());
    grid->setCurrentCell(after.top, after.left);
}

void MainWindow::sortData()
{
    DataWindow *window = activeDataWindow();
    if (readyGrid(window))
        quarvel::sortData(window->document(), m_prompt);
}

void MainWindow::editRecalculate()
{
    DataWindow *window = activeDataWindow();
    if (readyGrid(window))
        recalculate(window->document(), m_prompt);
}

void MainWindow::editUpdateTriangle()
{
    DataWindow *window = activeDataWindow();
    if (readyGrid(window))
        window->updateTriangle();
}

} // namespace quarvel
