// The window on a screen with more than one device pixel per window pixel, as QT_SCALE_FACTOR
// makes it; TALVEX_EXPECTED_SCALE names the ratio the run set up (1 when unset).

#include "app/form.h"
#include "app/qt/main_window.h"
#include "resources/talvex.xpm"
#include "tests/support/scripted_random.h"

#include <QColor>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QTest>
#include <algorithm>
#include <gtest/gtest.h>

namespace talvex::qt {
namespace {

int expectedScale() {
    const QByteArray scale = qgetenv("TALVEX_EXPECTED_SCALE");
    return scale.isEmpty() ? 1 : scale.toInt();
}

class HighDensity : public testing::Test {
protected:
    void SetUp() override {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        ASSERT_EQ(window.devicePixelRatio(), expectedScale()) << "the screen the run set up";
    }

    test::ScriptedRandom random{};
    MainWindow window{random};
};

TEST_F(HighDensity, KeepsItsSizeInWindowPixelsAndGrabsEveryDevicePixel) {
    const int scale = expectedScale();
    const form::Window& form = form::talvex();
    const QSize size(form.clientWidth / 15, form.clientHeight / 15);
    EXPECT_EQ(window.size(), size) << "so its physical size stays";

    const QPixmap grab = window.grab();
    EXPECT_EQ(grab.devicePixelRatio(), scale);
    EXPECT_EQ(grab.size(), size * scale);
}

// Text laid out for window pixels and enlarged would come out as blocks of scale x scale
// identical pixels, or at half the height if the font ignored the scale.
TEST_F(HighDensity, DrawsTextAtTheScreensResolution) {
    const int scale = expectedScale();
    if (scale < 2) {
        GTEST_SKIP() << "only a screen of more than one device pixel per window pixel tells";
    }
    auto* label = window.findChild<QLabel*>(QStringLiteral("Label1(0)"));
    ASSERT_NE(label, nullptr);
    const QImage image = label->grab().toImage();
    const QColor background = label->palette().color(QPalette::Window);

    int inkedBlocks = 0;
    int detailedBlocks = 0;
    int inkTop = image.height();
    int inkBottom = -1;
    for (int y = 0; y + scale <= image.height(); y += scale) {
        for (int x = 0; x + scale <= image.width(); x += scale) {
            bool inked = false;
            bool detailed = false;
            for (int dy = 0; dy < scale; ++dy) {
                for (int dx = 0; dx < scale; ++dx) {
                    inked = inked || image.pixelColor(x + dx, y + dy) != background;
                    detailed = detailed || image.pixel(x + dx, y + dy) != image.pixel(x, y);
                }
            }
            if (inked) {
                ++inkedBlocks;
                inkTop = std::min(inkTop, y);
                inkBottom = std::max(inkBottom, y + scale);
            }
            detailedBlocks += detailed ? 1 : 0;
        }
    }
    ASSERT_GT(inkedBlocks, 0) << "the title shows";
    EXPECT_GT(detailedBlocks, inkedBlocks / 4) << "edges finer than a window pixel";
    const int lineHeight = QFontMetrics(label->font()).height();
    EXPECT_GT(inkBottom - inkTop, lineHeight * scale / 2)
        << "glyphs as tall as the scale makes them";
}

// Drawn from the icon's own larger picture: scaled up by the desktop, a 32 x 32 one would blur.
TEST_F(HighDensity, OffersTheWindowIconAtTheScreensDensityWithoutBlur) {
    const int scale = expectedScale();
    const QPixmap pixmap = window.windowIcon().pixmap(QSize(32, 32), scale);
    EXPECT_EQ(pixmap.devicePixelRatio(), scale);
    ASSERT_EQ(pixmap.size(), QSize(32, 32) * scale);

    const QImage art = QImage(talvex_xpm).convertToFormat(QImage::Format_ARGB32);
    const QImage icon = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    int differing = 0;
    for (int y = 0; y < icon.height(); ++y) {
        for (int x = 0; x < icon.width(); ++x) {
            differing += icon.pixel(x, y) != art.pixel(x / scale, y / scale) ? 1 : 0;
        }
    }
    EXPECT_EQ(differing, 0) << "pixels that are not the pixel art's";
}

} // namespace
} // namespace talvex::qt
