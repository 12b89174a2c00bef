#pragma once

#include <QImage>
#include <QRect>

class QPainter;

namespace quarvel {

// The groups panel's "on" and "off" pictures: a green tick and a red cross in the top left
// 16 x 16 pixels of a transparent 32 x 32 picture.
const QImage &onPicture();
const QImage &offPicture();

// Where a picture goes in a cell of the groups panel: the square from (left + 5, top + 5) to
// (left + 16, top + 16).
QRect onOffPictureRect(const QRect &cell);
void drawOnOffPicture(QPainter &painter, const QRect &cell, bool on);

} // namespace quarvel
