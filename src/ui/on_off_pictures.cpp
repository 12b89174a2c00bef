#include "ui/on_off_pictures.h"

#include <QPainter>
#include <QPainterPath>

namespace quarvel {

namespace {

QImage blankPicture()
{
    QImage image(32, 32, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QPen pictureStroke(const QColor &color)
{
    QPen pen(color, 2.6);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

QImage makeTick()
{
    QImage image = blankPicture();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(pictureStroke(QColor(0, 150, 0)));
    QPainterPath tick;
    tick.moveTo(2.5, 8.5);
    tick.lineTo(6.5, 12.8);
    tick.lineTo(13.5, 3.0);
    p.drawPath(tick);
    return image;
}

QImage makeCross()
{
    QImage image = blankPicture();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(pictureStroke(QColor(210, 0, 0)));
    p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
    p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
    return image;
}

} // namespace

const QImage &onPicture()
{
    static const QImage picture = makeTick();
    return picture;
}

const QImage &offPicture()
{
    static const QImage picture = makeCross();
    return picture;
}

QRect onOffPictureRect(const QRect &cell)
{
    return QRect(QPoint(cell.left() + 5, cell.top() + 5), QPoint(cell.left() + 16, cell.top() + 16));
}

void drawOnOffPicture(QPainter &painter, const QRect &cell, bool on)
{
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(onOffPictureRect(cell), on ? onPicture() : offPicture(), QRect(0, 0, 16, 16));
    painter.restore();
}

} // namespace quarvel
