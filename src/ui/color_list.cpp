#include "ui/color_list.h"

#include <QAbstractItemView>
#include <QColorDialog>
#include <QFontMetrics>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QStylePainter>

namespace quarvel {

namespace {

QColor qColorOf(ColorRef color)
{
    return QColor(redOf(color), greenOf(color), blueOf(color));
}

QFont entryFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(9);
    return font;
}

constexpr int kEntryWidth = 110;

int entryHeight()
{
    return std::max(18, QFontMetrics(entryFont()).height() + 4);
}

class ColorEntryDelegate final : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        drawColorEntry(*painter, option.rect, index.row());
    }

    QSize sizeHint(const QStyleOptionViewItem &, const QModelIndex &) const override
    {
        return {kEntryWidth, entryHeight()};
    }
};

} // namespace

std::optional<ColorRef> chooseColorInDialog(QWidget *parent, ColorRef initial)
{
    const QColor chosen = QColorDialog::getColor(qColorOf(initial), parent);
    if (!chosen.isValid())
        return std::nullopt;
    return rgbColor(chosen.red(), chosen.green(), chosen.blue());
}

void drawColorEntry(QPainter &painter, const QRect &rect, int index)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    const QColor silver(192, 192, 192);
    painter.fillRect(rect, silver);
    painter.setPen(QPen(Qt::black, 1));
    const QRect swatch(rect.left() + 3, rect.top() + 3, 11, 11);
    if (index == kCustomColorEntry) {
        painter.setBrush(Qt::white);
        painter.drawRect(swatch.adjusted(0, 0, -1, -1));
    } else {
        painter.setBrush(qColorOf(colorOfIndex(index)));
        painter.drawEllipse(swatch.adjusted(0, 0, -1, -1));
    }
    painter.setBrush(silver);
    painter.setFont(entryFont());
    const QRect text(rect.left() + 20, rect.top() + 1, std::max(0, rect.width() - 20), rect.height() - 1);
    painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, QString::fromLatin1(colorEntryName(index)));
    painter.restore();
}

ColorList::ColorList(QWidget *parent)
    : QComboBox(parent)
{
    setEditable(false);
    for (int i = 0; i < kColorEntries; ++i)
        addItem(QString::number(i));
    setItemDelegate(new ColorEntryDelegate(this));
    setCurrentIndex(0);
    connect(this, &QComboBox::activated, this, &ColorList::entryActivated);
}

void ColorList::setColor(ColorRef color)
{
    m_color = color;
    setCurrentIndex(indexOfColor(color));
}

void ColorList::entryActivated(int index)
{
    m_color = colorOfIndex(index, [this] { return m_chooser ? m_chooser(this, m_color) : std::nullopt; });
    emit colorChosen(m_color);
}

QSize ColorList::sizeHint() const
{
    QStyleOptionComboBox option;
    initStyleOption(&option);
    return style()->sizeFromContents(QStyle::CT_ComboBox, &option, QSize(kEntryWidth, entryHeight()), this);
}

QSize ColorList::minimumSizeHint() const
{
    return sizeHint();
}

void ColorList::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    option.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    if (currentIndex() >= 0)
        drawColorEntry(painter, field, currentIndex());
    if (!isEnabled())
        painter.fillRect(field, QColor(255, 255, 255, 110));
}

} // namespace quarvel
