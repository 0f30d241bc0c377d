#include "tools/windows_icon.h"

#include "app/qt/program_icon.h"
#include "resources/talvex.xpm"

#include <QPoint>
#include <QRect>

namespace talvex::tools {
namespace {

bool isOpaque(const QImage& art, int x, int y) {
    return art.valid(x, y) && qAlpha(art.pixel(x, y)) != 0;
}

// An opaque pixel beside the transparent background or the edge: a piece of the outline.
bool isOnOutline(const QImage& art, int x, int y) {
    return isOpaque(art, x, y) && !(isOpaque(art, x - 1, y) && isOpaque(art, x + 1, y) &&
                                    isOpaque(art, x, y - 1) && isOpaque(art, x, y + 1));
}

// Keeping every other row and column, as nearest-neighbour halving does, keeps the one-pixel
// outline on one side and drops it on the other, so a small picture would lose its edge where
// a title bar needs it most. A block that becomes one pixel keeps a piece of the outline where
// it has one, and its bottom-right pixel otherwise: in this drawing that is each layer's own
// colour (lettuce, tomato, cheese and its drips), where the top-left pixels would mix the
// lettuce with the tomato.
QPoint keptPixel(const QImage& art, const QRect& block) {
    for (int y = block.top(); y <= block.bottom(); ++y) {
        for (int x = block.left(); x <= block.right(); ++x) {
            if (isOnOutline(art, x, y)) {
                return {x, y};
            }
        }
    }
    return block.bottomRight();
}

QImage reduced(const QImage& art, int side) {
    QImage picture(side, side, QImage::Format_ARGB32);
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            const QRect block(
                QPoint(x * art.width() / side, y * art.height() / side),
                QPoint(((x + 1) * art.width() / side) - 1, ((y + 1) * art.height() / side) - 1));
            picture.setPixel(x, y, art.pixel(keptPixel(art, block)));
        }
    }
    return picture;
}

} // namespace

QImage windowsIconPicture(int side) {
    static const QImage art(talvex_xpm);
    const QImage picture = side < art.width() ? reduced(art, side) : qt::iconPicture(side);
    // Windows reads a picture that an icon holds as PNG, as it holds the largest, only in 32-bit
    // ARGB; to the others the format makes no difference.
    return picture.convertToFormat(QImage::Format_ARGB32);
}

} // namespace talvex::tools
