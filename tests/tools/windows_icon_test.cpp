// The committed resources/talvex.ico, which the Windows builds embed without a Linux build,
// read back picture by picture and held against what the drawing code draws today.

#include "tools/windows_icon.h"

#include <QImage>
#include <QImageReader>
#include <QSize>
#include <QString>
#include <gtest/gtest.h>

namespace talvex::tools {
namespace {

// A transparent pixel matches any other, whatever colour it hides.
int differingPixels(const QImage& stored, const QImage& drawn) {
    int differing = 0;
    for (int y = 0; y < drawn.height(); ++y) {
        for (int x = 0; x < drawn.width(); ++x) {
            const QRgb a = stored.pixel(x, y);
            const QRgb b = drawn.pixel(x, y);
            differing += a != b && (qAlpha(a) != 0 || qAlpha(b) != 0) ? 1 : 0;
        }
    }
    return differing;
}

TEST(WindowsIcon, CommittedIconHoldsWhatTheDrawingCodeDrawsInItsOrder) {
    QImageReader icon(QStringLiteral(TALVEX_ICO_PATH));
    ASSERT_EQ(icon.imageCount(), static_cast<int>(kWindowsIconSides.size()))
        << qPrintable(icon.errorString()) << ": resources/talvex.ico is stale, run scripts/icons";
    int index = 0;
    for (const int side : kWindowsIconSides) {
        ASSERT_TRUE(icon.jumpToImage(index++));
        const QImage stored = icon.read().convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(stored.size(), QSize(side, side)) << "picture out of order or unreadable";
        EXPECT_EQ(differingPixels(stored, windowsIconPicture(side)), 0)
            << side << " px: resources/talvex.ico is stale, run scripts/icons";
    }
}

} // namespace
} // namespace talvex::tools
