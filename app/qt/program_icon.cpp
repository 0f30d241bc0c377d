#include "program_icon.h"

#include "resources/talvex.xpm"

#include <QPixmap>

namespace talvex::qt {

QImage iconPicture(int side) {
    // Fast transformation is nearest-neighbour: at a whole factor, every source pixel becomes
    // a block of identical pixels.
    static const QImage art(talvex_xpm);
    return art.scaled(side, side, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

QIcon programIcon() {
    QIcon icon;
    for (const int side : kWindowIconSides) {
        icon.addPixmap(QPixmap::fromImage(iconPicture(side)));
    }
    return icon;
}

} // namespace talvex::qt
