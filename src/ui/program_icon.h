#pragma once

#include <QIcon>
#include <QPixmap>

namespace quarvel {

// The program's icon (the one the desktop entry installs), drawn from its SVG at the usual sizes.
QIcon programIcon();
QPixmap programIconPixmap(int size);

} // namespace quarvel
