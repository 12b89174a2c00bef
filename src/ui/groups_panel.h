#pragma once

#include "core/color_table.h"
#include "core/document_changes.h"

#include <QAbstractScrollArea>

#include <functional>
#include <optional>
#include <vector>

namespace quarvel {

class QPainterCanvas;
class Document;

// What the groups panel asks of the program around it, so that tests can answer instead of the
// dialogs. Empty functions use the colour dialog and the program's symbol chooser.
struct GroupsPanelServices
{
    // The colour dialog: the colour the user confirmed, nothing when they cancelled.
    std::function<std::optional<ColorRef>(ColorRef current)> chooseColor;
    // The symbol chooser, shown modally for one group; true when it changed the document.
    std::function<bool(Document &document, int group)> chooseSymbol;
};

// The groups of a document in a drawn grid, on one of three tabs: the symbol, colour, visibility
// and label switches of each group ("Symbol", "Color"), or its sample count and means
// ("Statistics"). Row 0 holds the headers, row k group k - 1. A click acts on the group under
// the mouse and ends with the document's refresh sequence.
class GroupsPanel : public QAbstractScrollArea
{
    Q_OBJECT
public:
    enum Tab { SymbolTab = 0, ColorTab = 1, StatisticsTab = 2 };
    static constexpr int kMinimumRows = 20;
    static constexpr int kRowHeight = 28;

    GroupsPanel(Document &document, GroupsPanelServices services = {}, QWidget *parent = nullptr);

    Tab tab() const { return m_tab; }
    // The tab control's choice: 6 columns on "Statistics", 4 on the others.
    void setTab(int tab);
    // Every column gets this width, as after a resize, which sets it to a quarter of the client
    // width less one.
    void setDefaultColumnWidth(int width);

    int rowCount() const;
    int columnCount() const { return static_cast<int>(m_widths.size()); }
    int columnWidth(int column) const { return m_widths[static_cast<std::size_t>(column)]; }
    // The cell's rectangle in viewport coordinates as the panel is scrolled now.
    QRect cellRect(int column, int row) const;
    int currentRow() const { return m_currentRow; }
    // The text a cell shows; empty for the symbol and picture cells and below the last group.
    QString cellText(int column, int row) const;

public slots:
    // Row count, scroll range and picture after the groups changed; every evaluation of the
    // document calls it.
    void refresh();

signals:
    // A click on a group's name: this table row (the title row is 0) should become the data
    // grid's current row.
    void rowRequested(int row);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    struct Cell
    {
        int column = -1;
        int row = -1;
    };
    int fixedColumns() const { return m_tab == StatisticsTab ? 1 : 0; }
    int columnLeft(int column) const; // unscrolled
    int fixedWidth() const;
    Cell cellAt(QPoint position) const;
    int resizeBoundaryAt(QPoint position) const;
    bool selected(int column, int row) const;
    void setCurrent(Cell cell, bool extend);
    void updateScrollBars();

    void drawCell(QPainterCanvas &canvas, int column, int row, const QRect &rect);
    QString headerText(int column) const;
    QString statisticsText(int column, int group) const;
    QFont panelFont() const;

    void clicked(Cell cell);
    std::optional<ColorRef> chooseColor(ColorRef current);
    bool chooseSymbol(int group);
    int firstRowOfGroup(int group) const;

    Document &m_document;
    GroupsPanelServices m_services;
    DocumentChanges::Connection m_evaluations;
    Tab m_tab = SymbolTab;
    int m_defaultWidth = 64;
    std::vector<int> m_widths;
    int m_currentColumn = 1;
    int m_currentRow = 1;
    int m_anchorColumn = 1;
    int m_anchorRow = 1;
    int m_resizing = -1; // the column whose right edge is being dragged
    int m_resizeGrab = 0;
    bool m_pressed = false;
};

} // namespace quarvel
