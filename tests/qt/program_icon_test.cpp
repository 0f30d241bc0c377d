#include "app/qt/program_icon.h"
#include "resources/talvex.xpm"

#include <QImage>
#include <QList>
#include <QSize>
#include <gtest/gtest.h>

namespace talvex::qt {
namespace {

TEST(ProgramIcon, EveryPictureIsThePixelArtWithEachPixelRepeated) {
    const QImage art = QImage(talvex_xpm).convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(art.size(), QSize(32, 32));
    for (const int side : kIconSides) {
        const QImage picture = iconPicture(side).convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(picture.size(), QSize(side, side));
        const int factor = side / art.width();
        ASSERT_EQ(factor * art.width(), side) << "a whole multiple of the drawing";
        int differing = 0;
        for (int y = 0; y < side; ++y) {
            for (int x = 0; x < side; ++x) {
                differing += picture.pixel(x, y) != art.pixel(x / factor, y / factor) ? 1 : 0;
            }
        }
        EXPECT_EQ(differing, 0) << "pixels blended or misplaced at " << side;
    }
}

TEST(ProgramIcon, HoldsAPictureAtEveryWindowIconSide) {
    QList<QSize> sides;
    for (const int side : kWindowIconSides) {
        sides.append(QSize(side, side));
    }
    EXPECT_EQ(programIcon().availableSizes(), sides);
}

} // namespace
} // namespace talvex::qt
