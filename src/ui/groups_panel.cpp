#include "ui/groups_panel.h"

#include "core/document.h"
#include "core/number_format.h"
#include "render/qpainter_canvas.h"
#include "ui/on_off_pictures.h"
#include "ui/symbol_cell.h"
#include "ui/symbol_chooser.h"

#include <QColorDialog>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QScrollBar>

#include <algorithm>

namespace quarvel {

namespace {

constexpr int kLine = 1; // grid line between cells
constexpr int kRowPitch = GroupsPanel::kRowHeight + kLine;
constexpr int kTextInset = 3;
constexpr int kSymbolPoints = 13;
constexpr int kResizeGrip = 3; // pixels either side of a column edge in the header row

const QColor kCellColor(Qt::white);
const QColor kLineColor(192, 192, 192);
const QColor kFixedLineColor(128, 128, 128);

} // namespace

GroupsPanel::GroupsPanel(Document &document, GroupsPanelServices services, QWidget *parent)
    : QAbstractScrollArea(parent), m_document(document), m_services(std::move(services))
{
    setObjectName(QStringLiteral("groupsPanel"));
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    viewport()->setAutoFillBackground(false);
    horizontalScrollBar()->setTracking(true);
    verticalScrollBar()->setTracking(true);
    verticalScrollBar()->setSingleStep(kRowPitch);
    m_widths.assign(4, m_defaultWidth);
    m_currentColumn = m_anchorColumn = 0;
    updateScrollBars();
    m_evaluations = document.changes.connect([this](const DocumentChange &change) {
        if (change.kind == DocumentChange::Evaluated)
            refresh();
    });
}

void GroupsPanel::setTab(int tab)
{
    m_tab = tab == StatisticsTab ? StatisticsTab : (tab == ColorTab ? ColorTab : SymbolTab);
    m_widths.resize(m_tab == StatisticsTab ? 6 : 4, m_defaultWidth);
    m_currentColumn = std::clamp(m_currentColumn, fixedColumns(), columnCount() - 1);
    m_anchorColumn = m_currentColumn;
    m_anchorRow = m_currentRow;
    updateScrollBars();
    viewport()->update();
}

void GroupsPanel::setDefaultColumnWidth(int width)
{
    m_defaultWidth = std::max(width, 1);
    std::fill(m_widths.begin(), m_widths.end(), m_defaultWidth);
    updateScrollBars();
    viewport()->update();
}

int GroupsPanel::rowCount() const
{
    return std::max(m_document.groupList.size() + 1, kMinimumRows);
}

void GroupsPanel::refresh()
{
    m_currentRow = std::min(m_currentRow, rowCount() - 1);
    m_anchorRow = std::min(m_anchorRow, rowCount() - 1);
    updateScrollBars();
    viewport()->update();
}

int GroupsPanel::columnLeft(int column) const
{
    int x = 0;
    for (int c = 0; c < column; ++c)
        x += m_widths[static_cast<std::size_t>(c)] + kLine;
    return x;
}

int GroupsPanel::fixedWidth() const
{
    return columnLeft(fixedColumns());
}

QRect GroupsPanel::cellRect(int column, int row) const
{
    int x = columnLeft(column);
    if (column >= fixedColumns())
        x -= horizontalScrollBar()->value();
    int y = row * kRowPitch;
    if (row >= 1)
        y -= verticalScrollBar()->value();
    return QRect(x, y, columnWidth(column), kRowHeight);
}

GroupsPanel::Cell GroupsPanel::cellAt(QPoint position) const
{
    Cell cell;
    if (position.x() < 0 || position.y() < 0)
        return cell;
    const int y = position.y() < kRowPitch ? position.y() : position.y() + verticalScrollBar()->value();
    const int row = y / kRowPitch;
    if (row >= rowCount() || y % kRowPitch >= kRowHeight)
        return cell;
    const int fixed = fixedWidth();
    const int x = position.x() < fixed ? position.x() : position.x() + horizontalScrollBar()->value();
    for (int c = position.x() < fixed ? 0 : fixedColumns(); c < columnCount(); ++c) {
        const int left = columnLeft(c);
        if (x >= left && x < left + columnWidth(c)) {
            cell.column = c;
            cell.row = row;
            break;
        }
    }
    return cell;
}

int GroupsPanel::resizeBoundaryAt(QPoint position) const
{
    if (position.y() < 0 || position.y() >= kRowHeight)
        return -1;
    for (int c = 0; c < columnCount(); ++c) {
        const int edge = cellRect(c, 0).right() + 1;
        if (std::abs(position.x() - edge) <= kResizeGrip)
            return c;
    }
    return -1;
}

bool GroupsPanel::selected(int column, int row) const
{
    if (column < fixedColumns() || row < 1)
        return false;
    if (m_tab != StatisticsTab)
        return column == m_currentColumn && row == m_currentRow;
    return column >= std::min(m_anchorColumn, m_currentColumn) && column <= std::max(m_anchorColumn, m_currentColumn)
        && row >= std::min(m_anchorRow, m_currentRow) && row <= std::max(m_anchorRow, m_currentRow);
}

void GroupsPanel::setCurrent(Cell cell, bool extend)
{
    if (cell.row < 1 || cell.column < fixedColumns())
        return;
    m_currentColumn = cell.column;
    m_currentRow = cell.row;
    // Ranges only on "Statistics"; elsewhere a click selects one cell.
    if (!extend || m_tab != StatisticsTab) {
        m_anchorColumn = cell.column;
        m_anchorRow = cell.row;
    }
    viewport()->update();
}

void GroupsPanel::updateScrollBars()
{
    const QSize view = viewport()->size();
    const int scrollableWidth = columnLeft(columnCount()) - fixedWidth();
    horizontalScrollBar()->setRange(0, std::max(0, scrollableWidth - (view.width() - fixedWidth())));
    horizontalScrollBar()->setPageStep(std::max(1, view.width() - fixedWidth()));
    const int bodyHeight = (rowCount() - 1) * kRowPitch;
    verticalScrollBar()->setRange(0, std::max(0, bodyHeight - (view.height() - kRowPitch)));
    verticalScrollBar()->setPageStep(std::max(1, view.height() - kRowPitch));
}

void GroupsPanel::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    // The document window's layout rule, applied where the panel's own width is known for sure.
    if (event->size().width() != event->oldSize().width())
        setDefaultColumnWidth(viewport()->width() / 4 - 1);
    updateScrollBars();
}

void GroupsPanel::scrollContentsBy(int, int)
{
    viewport()->update();
}

QFont GroupsPanel::panelFont() const
{
    const FontSpec &fontSpec = m_document.dataSettings.groupsFont;
    QFont font = this->font();
    if (!fontSpec.face().isEmpty())
        font.setFamily(fontSpec.face());
    // A size only a damaged file holds would make every cell unreadable.
    font.setPointSize(std::clamp(fontSpec.size, 1, 72));
    const FontStyles styles = fontStyleFromBits(fontSpec.style);
    font.setBold(styles.bold);
    font.setItalic(styles.italic);
    font.setUnderline(styles.underline);
    font.setStrikeOut(styles.strikeOut);
    return font;
}

QString GroupsPanel::headerText(int column) const
{
    if (column == 0)
        return QStringLiteral("Group");
    if (m_tab != StatisticsTab) {
        switch (column) {
        case 1: return QStringLiteral("Symbol");
        case 2: return QStringLiteral("Visible");
        default: return QStringLiteral("Sample labels");
        }
    }
    if (column == 1)
        return QStringLiteral("Number ");
    // The title in the grid of the data column that the diagram puts on this axis.
    const int axis = column - 2;
    const std::array<std::int32_t, 4> axisOfColumn = m_document.diagramSettings.axisOfColumns();
    const std::array<int, 6> gridColumn = m_document.dataSettings.gridColumns();
    for (int k = 0; k < 4; ++k) {
        if (axisOfColumn[static_cast<std::size_t>(k)] == axis)
            return QStringLiteral("Mean ") + m_document.table.cell(0, gridColumn[static_cast<std::size_t>(k + 1)]);
    }
    return QStringLiteral("Mean ");
}

QString GroupsPanel::statisticsText(int column, int group) const
{
    const Group &g = m_document.groupList.group(group);
    if (column == 1)
        return QString::number(g.count);
    return formatFloat(m_document.dataSettings.numberFormatPattern(), g.means[static_cast<std::size_t>(column - 2)], m_document.locale());
}

QString GroupsPanel::cellText(int column, int row) const
{
    if (column < 0 || column >= columnCount() || row < 0)
        return {};
    if (row == 0)
        return headerText(column);
    const int group = row - 1;
    if (group >= m_document.groupList.size())
        return {};
    if (column == 0)
        return m_document.groupList.name(group);
    if (m_tab == StatisticsTab)
        return statisticsText(column, group);
    return {};
}

void GroupsPanel::paintEvent(QPaintEvent *)
{
    QPainterCanvas canvas(viewport(), viewport()->logicalDpiY());
    QPainter &p = canvas.painter();
    const QRect view = viewport()->rect();
    p.fillRect(view, kCellColor);

    const int rows = rowCount();
    const int firstRow = 1 + verticalScrollBar()->value() / kRowPitch;
    const int lastRow = std::min(rows - 1, firstRow + view.height() / kRowPitch + 1);
    const int fixed = fixedWidth();
    const QRect body(fixed, kRowPitch, view.width() - fixed, view.height() - kRowPitch);
    const QRect fixedBody(0, kRowPitch, fixed, view.height() - kRowPitch);
    const QRect header(fixed, 0, view.width() - fixed, kRowPitch);
    const QRect corner(0, 0, fixed, kRowPitch);

    auto drawIn = [&](const QRect &area, int column, int row) {
        const QRect rect = cellRect(column, row);
        const QRect pitch = rect.adjusted(0, 0, kLine, kLine);
        if (!pitch.intersects(area) || !pitch.intersects(view))
            return;
        p.save();
        p.setClipRect(area);
        drawCell(canvas, column, row, rect);
        p.restore();
    };
    for (int row = firstRow; row <= lastRow; ++row) {
        for (int c = fixedColumns(); c < columnCount(); ++c)
            drawIn(body, c, row);
        for (int c = 0; c < fixedColumns(); ++c)
            drawIn(fixedBody, c, row);
    }
    for (int c = fixedColumns(); c < columnCount(); ++c)
        drawIn(header, c, 0);
    for (int c = 0; c < fixedColumns(); ++c)
        drawIn(corner, c, 0);
}

void GroupsPanel::drawCell(QPainterCanvas &canvas, int column, int row, const QRect &rect)
{
    QPainter &p = canvas.painter();
    const bool fixedCell = row == 0 || column < fixedColumns();
    p.fillRect(rect, fixedCell ? palette().color(QPalette::Button) : kCellColor);
    p.setPen(fixedCell ? kFixedLineColor : kLineColor);
    p.drawLine(rect.right() + 1, rect.top(), rect.right() + 1, rect.bottom() + 1);
    p.drawLine(rect.left(), rect.bottom() + 1, rect.right() + 1, rect.bottom() + 1);
    if (selected(column, row)) {
        QColor highlight = palette().color(QPalette::Highlight);
        highlight.setAlpha(60);
        p.fillRect(rect, highlight);
    }

    p.setClipRect(rect, Qt::IntersectClip);
    const QRect textRect = rect.adjusted(kTextInset, kTextInset, 0, 0);
    auto drawText = [&](const QString &text) {
        p.setFont(panelFont());
        p.setPen(toQColor(m_document.dataSettings.groupsFont.color));
        p.drawText(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
    };

    const int group = row - 1;
    if (const QString text = cellText(column, row); !text.isEmpty()) {
        drawText(text);
    } else if (row > 0 && group < m_document.groupList.size() && m_tab != StatisticsTab && column > 0) {
        const Group &g = m_document.groupList.group(group);
        if (column == 1) {
            const SymbolStyle style{m_document.diagramSettings.symbolFont.face(), kSymbolPoints, g.color};
            drawSymbol(canvas, textRect.left(), textRect.top(), style, g.symbol);
        } else {
            drawOnOffPicture(p, rect, (column == 2 ? g.visible : g.showLabels) != 0);
        }
    }

    if (column == m_currentColumn && row == m_currentRow && !fixedCell) {
        p.setPen(QPen(palette().color(QPalette::Highlight), 1, hasFocus() ? Qt::SolidLine : Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(rect.adjusted(0, 0, -1, -1));
    }
}

void GroupsPanel::mousePressEvent(QMouseEvent *event)
{
    const QPoint position = event->position().toPoint();
    if (event->button() != Qt::LeftButton)
        return;
    if (const int edge = resizeBoundaryAt(position); edge >= 0) {
        m_resizing = edge;
        m_resizeGrab = position.x() - (cellRect(edge, 0).right() + 1);
        return;
    }
    m_pressed = true;
    setCurrent(cellAt(position), (event->modifiers() & Qt::ShiftModifier) != 0);
}

void GroupsPanel::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint position = event->position().toPoint();
    if (m_resizing >= 0) {
        const int width = position.x() - m_resizeGrab - cellRect(m_resizing, 0).left();
        m_widths[static_cast<std::size_t>(m_resizing)] = std::max(width, 1);
        updateScrollBars();
        viewport()->update();
        return;
    }
    if (m_pressed && m_tab == StatisticsTab) {
        setCurrent(cellAt(position), true);
        return;
    }
    viewport()->setCursor(resizeBoundaryAt(position) >= 0 ? Qt::SplitHCursor : Qt::ArrowCursor);
}

void GroupsPanel::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    if (m_resizing >= 0) {
        m_resizing = -1;
        return;
    }
    m_pressed = false;
    clicked(cellAt(event->position().toPoint()));
}

void GroupsPanel::keyPressEvent(QKeyEvent *event)
{
    Cell cell{m_currentColumn, m_currentRow};
    switch (event->key()) {
    case Qt::Key_Left: cell.column = std::max(fixedColumns(), cell.column - 1); break;
    case Qt::Key_Right: cell.column = std::min(columnCount() - 1, cell.column + 1); break;
    case Qt::Key_Up: cell.row = std::max(1, cell.row - 1); break;
    case Qt::Key_Down: cell.row = std::min(rowCount() - 1, cell.row + 1); break;
    default: QAbstractScrollArea::keyPressEvent(event); return;
    }
    setCurrent(cell, (event->modifiers() & Qt::ShiftModifier) != 0);
}

void GroupsPanel::clicked(Cell cell)
{
    const int group = cell.row - 1;
    if (m_tab != StatisticsTab && group >= 0 && group < m_document.groupList.size()) {
        Group &g = m_document.groupList.group(group);
        if (cell.column == 1 && m_tab == ColorTab) {
            // The dialog is modal, but the group is looked up again after it all the same.
            const std::optional<ColorRef> color = chooseColor(g.color);
            if (color && group < m_document.groupList.size()) {
                m_document.groupList.group(group).color = *color;
                m_document.modified = true;
            }
        } else if (cell.column == 1) {
            if (chooseSymbol(group))
                m_document.modified = true;
        } else if (cell.column == 2) {
            g.visible = g.visible ? 0 : 1;
        } else if (cell.column == 3) {
            g.showLabels = g.showLabels ? 0 : 1;
        } else if (cell.column == 0) {
            if (const int row = firstRowOfGroup(group); row > 0)
                emit rowRequested(row);
        }
    }
    m_document.updateTriangle();
    refresh();
}

std::optional<ColorRef> GroupsPanel::chooseColor(ColorRef current)
{
    if (m_services.chooseColor)
        return m_services.chooseColor(current);
    const QColor chosen = QColorDialog::getColor(toQColor(current), this);
    if (!chosen.isValid())
        return std::nullopt;
    return rgbColor(chosen.red(), chosen.green(), chosen.blue());
}

bool GroupsPanel::chooseSymbol(int group)
{
    if (m_services.chooseSymbol)
        return m_services.chooseSymbol(m_document, group);
    return SymbolChooser::shared().chooseFor(m_document, group);
}

int GroupsPanel::firstRowOfGroup(int group) const
{
    // The group label column, wherever the user moved it: the groups were built from it.
    const int column = m_document.dataSettings.gridColumns()[0];
    const QString key = m_document.locale().caseKey(m_document.groupList.name(group));
    const Table &table = m_document.table;
    for (int row = 1; row < table.rowCount(); ++row) {
        if (!table.isEmpty(row, column) && m_document.locale().caseKey(table.cell(row, column)) == key)
            return row;
    }
    return -1;
}

} // namespace quarvel
