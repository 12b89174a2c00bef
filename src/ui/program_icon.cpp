#include "ui/program_icon.h"

#include <QPainter>
#include <QSvgRenderer>

namespace quarvel {

QPixmap programIconPixmap(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QSvgRenderer svg(QStringLiteral(":/quarvel/quarvel.svg"));
    QPainter painter(&pixmap);
    svg.render(&painter);
    return pixmap;
}

QIcon programIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(programIconPixmap(size));
    return icon;
}

} // namespace quarvel
