#include "core/table_editing.h"

#include "core/number_format.h"

#include <QCollator>
#include <cstring>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

namespace quarvel {

namespace {

constexpr int kLastColumn = Table::kColumns - 1;
const QString kIrreversible = QStringLiteral("This operation can't be reversed. Proceed?");
const QString kWarning = QStringLiteral("Warning");

void refreshModified(Document &document)
{
    document.updateTriangle();
    document.modified = true;
}

// The texts of a row as owned strings, so that the row can be stored again from them.
struct RowCopy
{
    std::string texts[Table::kColumns];

    RowCopy(const Table &table, int row)
    {
        const Table::RowTexts views = table.rowUtf8(row);
        for (int c = 1; c < Table::kColumns; ++c)
            texts[c] = std::string(views[static_cast<std::size_t>(c)]);
    }
    void storeInto(Table &table, int row) const
    {
        Table::RowTexts views;
        for (int c = 1; c < Table::kColumns; ++c)
            views[static_cast<std::size_t>(c)] = texts[c];
        table.setRowUtf8(row, views);
    }
};

bool rowHoldsData(const Table::RowTexts &texts, int firstColumn, int lastColumn)
{
    for (int c = firstColumn; c <= lastColumn; ++c) {
        if (!texts[static_cast<std::size_t>(c)].empty())
            return true;
    }
    return false;
}

void emptyCells(Table &table, const CellRange &cells)
{
    const bool wholeRows = cells.left == 1 && cells.right == kLastColumn;
    for (int r = cells.top; r <= cells.bottom; ++r) {
        if (wholeRows) {
            table.setRowUtf8(r, {});
            continue;
        }
        RowCopy row(table, r);
        for (int c = cells.left; c <= cells.right; ++c)
            row.texts[c].clear();
        row.storeInto(table, r);
    }
}

// Every change of the table's rows goes through these three, which report it before and after.
void insertTableRows(Document &document, int row, int count)
{
    if (count <= 0)
        return;
    document.changes.rowsAboutToBeInserted(row, count);
    document.table.insertRows(row, count);
    document.changes.rowsInserted(row, count);
}

void removeTableRows(Document &document, int row, int count)
{
    if (count <= 0)
        return;
    document.changes.rowsAboutToBeRemoved(row, count);
    document.table.removeRows(row, count);
    document.changes.rowsRemoved(row, count);
}

void resizeTable(Document &document, int rows)
{
    const int before = document.table.rowCount();
    if (rows == before)
        return;
    const int first = std::min(rows, before);
    const int count = std::abs(rows - before);
    if (rows > before)
        document.changes.rowsAboutToBeInserted(first, count);
    else
        document.changes.rowsAboutToBeRemoved(first, count);
    document.table.setRowCount(rows);
    if (rows > before)
        document.changes.rowsInserted(first, count);
    else
        document.changes.rowsRemoved(first, count);
}

// Rows from `first` on move up by `count`; as many empty rows come in at the bottom.
void shiftRowsUp(Document &document, int first, int count)
{
    const int rows = document.table.rowCount();
    removeTableRows(document, first, count);
    resizeTable(document, rows);
}

std::string_view formatPattern(const DataSettings &settings)
{
    const auto &format = settings.numberFormat;
    return {format.data(), ::strnlen(format.data(), format.size())};
}

} // namespace

CellRange dataCells(const Table &table, const CellRange &selection)
{
    return {std::max(selection.left, 1), std::max(selection.top, 1), std::min(selection.right, kLastColumn),
            std::min(selection.bottom, table.rowCount() - 1)};
}

std::string selectionTextUtf8(const Table &table, const CellRange &selection)
{
    const CellRange cells = dataCells(table, selection);
    std::string text;
    if (cells.isEmpty())
        return text;
    for (int r = cells.top; r <= cells.bottom; ++r) {
        const Table::RowTexts texts = table.rowUtf8(r);
        for (int c = cells.left; c <= cells.right; ++c) {
            text += texts[static_cast<std::size_t>(c)];
            text += c < cells.right ? '\t' : '\r';
        }
    }
    return text;
}

QString selectionText(const Table &table, const CellRange &selection)
{
    const std::string text = selectionTextUtf8(table, selection);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void setCellText(Document &document, int row, int column, QStringView text)
{
    Table &table = document.table;
    if (row < 1 || row >= table.rowCount() || column < 1 || column > kLastColumn)
        return;
    const QByteArray utf8 = text.toUtf8();
    const std::string_view value(utf8.constData(), static_cast<std::size_t>(utf8.size()));
    if (table.cellUtf8(row, column) == value)
        return;
    table.setCellUtf8(row, column, value);
    document.changes.cellsChanged(CellRange::cell(row, column));
    document.modified = true;
}

CutResult cutSelection(Document &document, const CellRange &selection)
{
    CutResult result;
    result.selection = selection;
    Table &table = document.table;
    const CellRange cells = dataCells(table, selection);
    if (!cells.isEmpty()) {
        result.text = selectionText(table, cells);
        emptyCells(table, cells);
        document.changes.cellsChanged(cells);
        bool rowsEmpty = true;
        for (int r = cells.top; r <= cells.bottom && rowsEmpty; ++r)
            rowsEmpty = !rowHoldsData(table.rowUtf8(r), 1, kLastColumn);
        if (rowsEmpty) {
            shiftRowsUp(document, cells.top, cells.rowCount());
            result.selection = CellRange::cell(1, 1);
            result.rowsRemoved = true;
        }
    }
    refreshModified(document);
    return result;
}

PasteResult pasteText(Document &document, QStringView text, const CellRange &selection, PasteMode mode)
{
    QByteArray bytes = text.toUtf8();
    // A NUL cannot be typed and would end the cell in the document file.
    bytes.removeIf([](char c) { return c == '\0'; });
    const std::string_view all(bytes.constData(), static_cast<std::size_t>(bytes.size()));

    // The rows of the text: CR, CR LF and LF each end one; text after the last end is a row too.
    std::vector<std::string_view> lines;
    for (std::size_t start = 0;;) {
        const std::size_t end = all.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            if (start < all.size() || lines.empty())
                lines.push_back(all.substr(start));
            break;
        }
        lines.push_back(all.substr(start, end - start));
        start = end + 1;
        if (all[end] == '\r' && start < all.size() && all[start] == '\n')
            ++start;
    }

    Table &table = document.table;
    const int left = std::clamp(selection.left, 1, kLastColumn);
    const int top = std::clamp(selection.top, 1, std::max(table.rowCount() - 1, 1));
    PasteResult result;
    const int rows = static_cast<int>(lines.size());
    if (mode == PasteMode::Insert && rows > 1) {
        // At the top row, where the text is written: rows above the cursor are never overwritten.
        insertRows(document, top, rows);
        result.rowsInserted = rows;
    }

    // The grid grows so that one empty row stays below the last row that receives text.
    int lastFilled = -1;
    for (int i = 0; i < rows; ++i) {
        std::string_view line = lines[static_cast<std::size_t>(i)];
        for (int column = left; column <= kLastColumn; ++column) {
            const std::size_t tab = line.find('\t');
            if (tab != 0 && !line.empty()) {
                lastFilled = top + i;
                break;
            }
            if (tab == std::string_view::npos)
                break;
            line.remove_prefix(tab + 1);
        }
    }
    if (lastFilled + 2 > table.rowCount())
        resizeTable(document, lastFilled + 2);

    int right = left;
    for (int i = 0; i < rows; ++i) {
        const int row = top + i;
        if (row >= table.rowCount())
            break; // only empty cells would land here
        RowCopy copy(table, row);
        std::string_view line = lines[static_cast<std::size_t>(i)];
        for (int column = left; column <= kLastColumn; ++column) {
            const std::size_t tab = line.find('\t');
            const std::string_view field = line.substr(0, tab);
            // The first cell of a later row is emptied only when text lands in it.
            if (i == 0 || column > left || !field.empty())
                copy.texts[column] = std::string(field);
            right = std::max(right, column);
            if (tab == std::string_view::npos)
                break;
            line.remove_prefix(tab + 1);
        }
        copy.storeInto(table, row);
    }
    result.block = {left, top, right, std::min(top + rows - 1, table.rowCount() - 1)};
    document.changes.cellsChanged(result.block);
    refreshModified(document);
    return result;
}

std::optional<CellRange> selectAllRange(const Table &table)
{
    for (int r = table.rowCount() - 1; r >= 1; --r) {
        if (rowHoldsData(table.rowUtf8(r), 1, 5))
            return CellRange{1, 1, 5, r};
    }
    return std::nullopt;
}

void insertRows(Document &document, int row, int count)
{
    Table &table = document.table;
    if (count <= 0)
        return;
    insertTableRows(document, std::clamp(row, 1, std::max(table.rowCount(), 1)), count);
}

void insertRowAtCursor(Document &document, int currentRow)
{
    Table &table = document.table;
    resizeTable(document, table.rowCount() + 1);
    insertRows(document, std::clamp(currentRow, 1, table.rowCount() - 1), 1);
    refreshModified(document);
}

void clearCells(Document &document, const CellRange &selection)
{
    const CellRange cells = dataCells(document.table, selection);
    if (!cells.isEmpty()) {
        emptyCells(document.table, cells);
        document.changes.cellsChanged(cells);
    }
    refreshModified(document);
}

CellRange deleteRows(Document &document, const CellRange &selection, int currentRow)
{
    Table &table = document.table;
    const CellRange cells = dataCells(table, {1, selection.top, kLastColumn, selection.bottom});
    if (!cells.isEmpty()) {
        // The removed rows leave one more empty row at the bottom than they took.
        const int rows = table.rowCount();
        removeTableRows(document, cells.top, cells.rowCount());
        resizeTable(document, rows - cells.rowCount() + 1);
    }
    if (table.rowCount() < kMinimumRowCount)
        resizeTable(document, kMinimumRowCount);
    refreshModified(document);
    return CellRange::cell(std::clamp(currentRow, 1, table.rowCount() - 1), 1);
}

bool sortData(Document &document, UserPrompt &prompt)
{
    if (!prompt.askOkCancel(kIrreversible, kWarning))
        return false;
    Table &table = document.table;

    // Key: the group label, '@', then every cell of the row (the status too) followed by CR LF.
    const UserLocale &locale = document.locale();
    std::vector<int> rows;
    std::vector<QString> keyTexts;
    std::vector<QCollatorSortKey> keys;
    for (int r = 1; r < table.rowCount(); ++r) {
        const Table::RowTexts texts = table.rowUtf8(r);
        if (!rowHoldsData(texts, 1, kLastColumn))
            continue;
        QString key = QString::fromUtf8(texts[1].data(), static_cast<qsizetype>(texts[1].size()));
        key += QLatin1Char('@');
        for (int c = 0; c < Table::kColumns; ++c) {
            key += c == 0 ? table.cell(r, 0)
                          : QString::fromUtf8(texts[static_cast<std::size_t>(c)].data(),
                                              static_cast<qsizetype>(texts[static_cast<std::size_t>(c)].size()));
            key += QLatin1String("\r\n");
        }
        keys.push_back(locale.sortKey(key));
        keyTexts.push_back(std::move(key));
        rows.push_back(r);
    }
    std::vector<int> order(rows.size());
    std::iota(order.begin(), order.end(), 0);
    // The order of UserLocale::compareText: the collator, and the case keys where it sees no difference.
    std::sort(order.begin(), order.end(), [&](int a, int b) {
        const auto ia = static_cast<std::size_t>(a);
        const auto ib = static_cast<std::size_t>(b);
        const int byCollator = keys[ia].compare(keys[ib]);
        if (byCollator != 0)
            return byCollator < 0;
        return locale.caseKey(keyTexts[ia]) < locale.caseKey(keyTexts[ib]);
    });
    keys = {};
    keyTexts = {};

    Table sorted(table.rowCount());
    sorted.setRowUtf8(0, table.rowUtf8(0));
    for (std::size_t i = 0; i < order.size(); ++i)
        sorted.setRowUtf8(static_cast<int>(i) + 1, table.rowUtf8(rows[static_cast<std::size_t>(order[i])]));
    document.changes.tableAboutToBeReset();
    table = std::move(sorted);
    document.changes.tableReset();
    refreshModified(document);
    return true;
}

RecalculateResult recalculate(Document &document, UserPrompt &prompt)
{
    RecalculateResult result;
    if (!prompt.askOkCancel(kIrreversible, kWarning))
        return result;
    result.confirmed = true;
    Table &table = document.table;
    const UserLocale &locale = document.locale();
    const std::string_view format = formatPattern(document.dataSettings);

    auto number = [&](int row, int column, float &value) {
        const std::string_view text = table.cellUtf8(row, column);
        const std::optional<double> parsed = textToFloat(text, locale);
        if (!parsed || !std::isfinite(static_cast<float>(*parsed))) {
            result.error = QStringLiteral("'%1' is not a valid floating point value")
                               .arg(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
            return false;
        }
        value = static_cast<float>(*parsed);
        return true;
    };
    auto write = [&](int row, int column, float part, float sum) {
        const QByteArray text = formatFloat(format, double(part) * 100 / double(sum), locale).toUtf8();
        table.setCellUtf8(row, column, std::string_view(text.constData(), static_cast<std::size_t>(text.size())));
    };

    int changedUpTo = 0;
    for (int r = 1; r < table.rowCount(); ++r) {
        if (document.groupList.indexOf(table.cell(r, 1)) < 0)
            continue;
        const bool upper = !table.isEmpty(r, 3) && !table.isEmpty(r, 4);
        const int second = upper ? 3 : 4;
        const int third = upper ? 4 : 5;
        float a = 0, b = 0, c = 0;
        bool ok = number(r, 2, a) && number(r, second, b) && number(r, third, c);
        const float sum = a + b + c;
        if (ok && (upper ? !(sum > 0) : sum == 0)) {
            result.error = sum == 0 && a != 0 ? QStringLiteral("Floating point division by zero")
                                              : QStringLiteral("Invalid floating point operation");
            ok = false;
        }
        if (!ok) {
            result.stoppedAtRow = r;
            break;
        }
        write(r, 2, a, sum);
        write(r, second, b, sum);
        write(r, third, c, sum);
        changedUpTo = r;
    }
    if (changedUpTo > 0)
        document.changes.cellsChanged({1, 1, kLastColumn, changedUpTo});
    if (result.stoppedAtRow > 0) {
        prompt.warn(result.error, kWarning);
        return result;
    }
    result.completed = true;
    document.buildGroups();
    document.evaluateSamples();
    return result;
}

void moveColumn(Document &document, int from, int to)
{
    Table &table = document.table;
    from = std::clamp(from, 1, kLastColumn);
    to = std::clamp(to, 1, kLastColumn);
    if (from == to)
        return;
    table.moveColumn(from, to);
    for (int i = 0; i < 6; ++i)
        document.dataSettings.columnPositions[static_cast<std::size_t>(i)] = document.findColumn(document.dataSettings.title(i));
    document.changes.cellsChanged({0, 0, kLastColumn, table.rowCount() - 1});
}

void moveRow(Document &document, int from, int to)
{
    Table &table = document.table;
    const int last = table.rowCount() - 1;
    if (from < 1 || to < 1 || from > last || to > last || from == to)
        return;
    table.moveRow(from, to);
    document.changes.cellsChanged({0, std::min(from, to), kLastColumn, std::max(from, to)});
}

} // namespace quarvel
