#include "ui/data_grid.h"

#include <QResizeEvent>

#include "core/table_editing.h"
#include "core/table_model.h"
#include "ui/busy_cursor.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>

namespace quarvel {

namespace {

constexpr int kColumnWidth = 60;
constexpr int kRowHeight = 24;

} // namespace

DataGrid::DataGrid(Document &document, QWidget *parent) : QTableView(parent), m_document(document)
{
    setObjectName(QStringLiteral("dataGrid"));
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::AnyKeyPressed);
    setTabKeyNavigation(true);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    m_model = new TableModel(document, this);
    setModel(m_model);

    QHeaderView *titles = horizontalHeader();
    titles->setObjectName(QStringLiteral("titleRow"));
    titles->setDefaultSectionSize(kColumnWidth);
    titles->setSectionsMovable(true);
    titles->setHighlightSections(false);
    connect(titles, &QHeaderView::sectionMoved, this, &DataGrid::columnDropped);

    QHeaderView *status = verticalHeader();
    status->setObjectName(QStringLiteral("statusColumn"));
    // Fixed heights keep a million rows cheap: the view never measures rows.
    status->setSectionResizeMode(QHeaderView::Fixed);
    status->setDefaultSectionSize(kRowHeight);
    status->setSectionsMovable(true);
    status->setHighlightSections(false);
    status->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    status->setMinimumWidth(kColumnWidth);
    connect(status, &QHeaderView::sectionMoved, this, &DataGrid::rowDropped);

    connect(qApp, &QApplication::focusChanged, this, &DataGrid::focusChanged);
}

void DataGrid::setMode(Mode mode)
{
    m_mode = mode;
    if (mode == Mode::Editing) {
        setSelectionMode(QAbstractItemView::SingleSelection);
        setEditTriggers(QAbstractItemView::AllEditTriggers);
        setTabKeyNavigation(true);
    } else {
        finishEditing();
        setSelectionMode(QAbstractItemView::ContiguousSelection);
        setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::AnyKeyPressed);
        setTabKeyNavigation(false);
    }
}

void DataGrid::finishEditing()
{
    if (state() != QAbstractItemView::EditingState)
        return;
    if (QWidget *editor = indexWidget(currentIndex())) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

void DataGrid::keyPressEvent(QKeyEvent *event)
{
    const QString text = event->text();
    const bool character = !text.isEmpty() && text.at(0).isPrint()
                           && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (character && m_mode != Mode::Editing && state() != QAbstractItemView::EditingState)
        setMode(Mode::Editing);
    QTableView::keyPressEvent(event);
}

void DataGrid::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && m_mode != Mode::Selection)
        setMode(Mode::Selection);
    QTableView::mousePressEvent(event);
}

void DataGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        setMode(Mode::Editing);
    QTableView::mouseDoubleClickEvent(event);
}

bool DataGrid::holdsFocus(const QWidget *widget) const
{
    return widget && (widget == this || isAncestorOf(widget));
}

void DataGrid::focusChanged(QWidget *old, QWidget *now)
{
    // Menus, dialogs and other windows are not a move to another control of this window.
    if (holdsFocus(old) && now && !holdsFocus(now) && now->window() == window())
        emit leftGrid();
}

CellRange DataGrid::selection() const
{
    const QItemSelection selected = selectionModel()->selection();
    if (!selected.isEmpty())
        return m_model->rangeOf(selected.constFirst());
    const QModelIndex current = currentIndex();
    if (!current.isValid())
        return CellRange::cell(1, 1);
    return CellRange::cell(TableModel::gridRow(current.row()), TableModel::gridColumn(current.column()));
}

int DataGrid::currentRow() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? TableModel::gridRow(current.row()) : 1;
}

void DataGrid::select(const CellRange &range)
{
    const QItemSelection selection = m_model->selectionOf(range);
    if (selection.isEmpty())
        return;
    selectionModel()->setCurrentIndex(m_model->indexAt(range.bottom, range.right), QItemSelectionModel::NoUpdate);
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

void DataGrid::setCurrentCell(int row, int column)
{
    const QModelIndex index = m_model->indexAt(row, column);
    if (!index.isValid())
        return;
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    scrollTo(index);
}

void DataGrid::resizeEvent(QResizeEvent *event)
{
    QTableView::resizeEvent(event);
    fitColumnsToWidth();
}

void DataGrid::fitColumnsToWidth()
{
    const int width = std::max(kColumnWidth, viewport()->width() + verticalHeader()->width());
    const int column = std::max(20, width / Table::kColumns - 1);
    horizontalHeader()->setDefaultSectionSize(column);
    verticalHeader()->setFixedWidth(column);
}

void DataGrid::columnDropped(int, int oldVisual, int newVisual)
{
    // The cells travel with the column in the table itself; the header goes back to the identity
    // order so that view positions stay grid positions.
    QHeaderView *titles = horizontalHeader();
    {
        const QSignalBlocker block(titles);
        titles->moveSection(newVisual, oldVisual);
    }
    BusyCursor busy;
    moveColumn(m_document, TableModel::gridColumn(oldVisual), TableModel::gridColumn(newVisual));
}

void DataGrid::rowDropped(int, int oldVisual, int newVisual)
{
    QHeaderView *status = verticalHeader();
    {
        const QSignalBlocker block(status);
        status->moveSection(newVisual, oldVisual);
    }
    BusyCursor busy;
    moveRow(m_document, TableModel::gridRow(oldVisual), TableModel::gridRow(newVisual));
}

} // namespace quarvel
