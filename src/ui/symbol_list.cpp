#include "ui/symbol_list.h"

#include "render/qpainter_canvas.h"
#include "ui/symbol_cell.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace quarvel {

namespace {

constexpr int kRows = (SymbolList::kEntries + SymbolList::kColumns - 1) / SymbolList::kColumns;

ColorRef toColorRef(const QColor &color)
{
    return rgbColor(color.red(), color.green(), color.blue());
}

} // namespace

SymbolList::SymbolList(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("symbolList"));
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize SymbolList::sizeHint() const
{
    return QSize(kColumns * kItemWidth + 2, kRows * kItemHeight + 2);
}

void SymbolList::setFace(const QString &face, int points)
{
    m_face = face;
    m_points = points;
    update();
}

void SymbolList::setCurrentEntry(int entry)
{
    m_current = entry >= 0 && entry < kEntries ? entry : -1;
    update();
}

QRect SymbolList::entryRect(int entry) const
{
    return QRect(1 + (entry % kColumns) * kItemWidth, 1 + (entry / kColumns) * kItemHeight, kItemWidth, kItemHeight);
}

int SymbolList::entryAt(QPoint position) const
{
    const int column = (position.x() - 1) / kItemWidth;
    const int row = (position.y() - 1) / kItemHeight;
    if (position.x() < 1 || position.y() < 1 || column >= kColumns)
        return -1;
    const int entry = row * kColumns + column;
    return entry < kEntries ? entry : -1;
}

void SymbolList::paintEvent(QPaintEvent *)
{
    QPainterCanvas canvas(this, logicalDpiY());
    QPainter &p = canvas.painter();
    p.fillRect(rect(), Qt::white);
    p.setPen(palette().color(QPalette::Mid));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    const ColorRef ink = toColorRef(palette().color(QPalette::Text));
    const ColorRef selectedInk = toColorRef(palette().color(QPalette::HighlightedText));
    for (int entry = 0; entry < kEntries; ++entry) {
        const QRect box = entryRect(entry);
        const bool current = entry == m_current;
        if (current)
            p.fillRect(box, palette().color(QPalette::Highlight));
        p.save();
        p.setClipRect(box);
        drawSymbolCentred(canvas, box, SymbolStyle{m_face, m_points, current ? selectedInk : ink},
                          entry + kFirstCode);
        p.restore();
        if (current && hasFocus()) {
            p.setPen(QPen(palette().color(QPalette::HighlightedText), 1, Qt::DotLine));
            p.drawRect(box.adjusted(0, 0, -1, -1));
        }
    }
}

void SymbolList::mousePressEvent(QMouseEvent *event)
{
    const int entry = entryAt(event->position().toPoint());
    if (event->button() != Qt::LeftButton || entry < 0)
        return;
    setCurrentEntry(entry);
    emit entryClicked(entry);
}

void SymbolList::mouseDoubleClickEvent(QMouseEvent *event)
{
    const int entry = entryAt(event->position().toPoint());
    if (event->button() != Qt::LeftButton || entry < 0)
        return;
    setCurrentEntry(entry);
    emit entryDoubleClicked(entry);
}

void SymbolList::keyPressEvent(QKeyEvent *event)
{
    int entry = m_current < 0 ? 0 : m_current;
    switch (event->key()) {
    case Qt::Key_Left: entry -= 1; break;
    case Qt::Key_Right: entry += 1; break;
    case Qt::Key_Up: entry -= kColumns; break;
    case Qt::Key_Down: entry += kColumns; break;
    case Qt::Key_Home: entry = 0; break;
    case Qt::Key_End: entry = kEntries - 1; break;
    default: QWidget::keyPressEvent(event); return;
    }
    if (entry < 0 || entry >= kEntries)
        return;
    setCurrentEntry(entry);
    emit entryClicked(entry);
}

} // namespace quarvel
