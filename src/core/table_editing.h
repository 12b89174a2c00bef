#pragma once

#include "core/document.h"
#include "core/document_changes.h"
#include "core/user_prompt.h"

#include <optional>
#include <string>
#include <string_view>

#include <QString>

namespace quarvel {

// The data editing commands of the Edit menu and the grid's pop-up menu, and the grid's own cell
// edits and moves, as operations on the document. They work on grid positions, not on column
// titles. Selections are clamped to the data cells (columns 1 to 6, rows 1 to the last row).
// Each operation reports its changes to the document's listeners.

enum class PasteMode { Insert, Overwrite };

inline constexpr int kMinimumRowCount = 101;

// The selection clamped to the data cells of the table; empty when nothing of it is left.
CellRange dataCells(const Table &table, const CellRange &selection);

// The clipboard text of a selection: for each row the cells separated by TAB, each row ended by
// CR. The whole selection, whatever its size.
std::string selectionTextUtf8(const Table &table, const CellRange &selection);
QString selectionText(const Table &table, const CellRange &selection);

// One typed cell edit: the text is stored and the document is marked modified when it differs.
// Titles and the status column are not edited this way.
void setCellText(Document &document, int row, int column, QStringView text);

struct CutResult
{
    QString text;         // for the clipboard, as Copy would give it
    CellRange selection;  // the selection afterwards
    bool rowsRemoved = false;
};
// Cut: the cells are emptied; when the selected rows hold nothing more in columns 1 to 6 they are
// removed (the rows below move up, the row count stays) and the selection becomes row 1, column 1.
// Refresh, modified.
CutResult cutSelection(Document &document, const CellRange &selection);

struct PasteResult
{
    CellRange block;      // the cells the text reached
    int rowsInserted = 0; // insert mode only
};
// Paste at the selection's top-left cell. CR, CR LF and LF each end a row; TAB moves to the next
// cell; text beyond column 6 is dropped; the grid grows so that one empty row stays below the
// text. In insert mode a text of two rows or more first gets as many empty rows at the
// selection's top row. An empty text empties the top-left cell. Refresh, modified.
PasteResult pasteText(Document &document, QStringView text, const CellRange &selection, PasteMode mode);

// Select All: columns 1 to 5 from row 1 to the last row holding any of them; none on a table
// without such data.
std::optional<CellRange> selectAllRange(const Table &table);

// count empty rows at `row` (grid positions); the grid grows by count. No refresh.
void insertRows(Document &document, int row, int count);
// "Insert row at cursor": the grid grows by one row, then one empty row at the current row.
// Refresh, modified.
void insertRowAtCursor(Document &document, int currentRow);

// "Clear selected cells". Refresh, modified.
void clearCells(Document &document, const CellRange &selection);

// "Delete selected rows": the selected rows go whatever columns were selected; one more empty row
// stays at the bottom and the grid keeps at least 101 rows. Returns the selection afterwards: the
// cell at column 1 of the current row. Refresh, modified.
CellRange deleteRows(Document &document, const CellRange &selection, int currentRow);

// "Sort data", after the confirmation: the non-empty rows ordered by group label and then by the
// text of the whole row, from row 1 down. Refresh, modified. False when cancelled.
bool sortData(Document &document, UserPrompt &prompt);

struct RecalculateResult
{
    bool confirmed = false;
    bool completed = false; // false after an error stop: the rows before it keep their new values
    int stoppedAtRow = 0;
    QString error;          // shown through the prompt with the caption "Warning"
};
// Recalculate, after the confirmation: the parts of every row of a known group become
// percentages of their sum, written with the number format. buildGroups and evaluateSamples
// follow unless an error stopped it. The document is not marked modified.
RecalculateResult recalculate(Document &document, UserPrompt &prompt);

// The user dropped grid column `from` at `to` (both 1 to 6): the cells travel with it, titles
// included, and columnPositions follows the titles. Not marked modified.
void moveColumn(Document &document, int from, int to);
// Row `from` now stands at `to` (both data rows); only the order changes. Not marked modified.
void moveRow(Document &document, int from, int to);

} // namespace quarvel
