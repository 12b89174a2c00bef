#pragma once

#include <QImage>

class QIODevice;

namespace quarvel {

// Writes the image as an 8-bit RGB PNG with its resolution. Unfiltered rows and run-length
// compression: a diagram is mostly runs of one colour, so this is several times faster than an
// adaptive filter and the file stays small. Premultiplied pixels are written as their RGB32
// conversion would give them. False when the device fails.
bool writePng(const QImage &image, QIODevice &device);

} // namespace quarvel
