#include "resources/talvex.xpm"
#include "tools/icon_file.h"

#include <QImage>
#include <array>
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <stdexcept>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint32_t read16(const Bytes& bytes, std::size_t at) {
    return bytes.at(at) | bytes.at(at + 1) << 8;
}

std::uint32_t read32(const Bytes& bytes, std::size_t at) {
    return read16(bytes, at) | read16(bytes, at + 2) << 16;
}

// Reads the icon back the way Windows does, on its own terms rather than the encoder's, and
// compares every pixel with the picture it came from.
void expectDecodesTo(const Bytes& icon, const QImage& picture) {
    ASSERT_GE(icon.size(), 22u);
    EXPECT_EQ(read16(icon, 0), 0u);
    EXPECT_EQ(read16(icon, 2), 1u) << "resource type must be icon";
    ASSERT_EQ(read16(icon, 4), 1u) << "exactly one image";
    EXPECT_EQ(icon[6], 32);
    EXPECT_EQ(icon[7], 32);
    EXPECT_EQ(icon[8], 0) << "256 colours are written as 0";
    EXPECT_EQ(icon[9], 0);
    EXPECT_EQ(read16(icon, 10), 1u);
    EXPECT_EQ(read16(icon, 12), 8u);
    const std::size_t imageSize = read32(icon, 14);
    const std::size_t image = read32(icon, 18);
    ASSERT_EQ(image, 22u);
    ASSERT_EQ(image + imageSize, icon.size());

    ASSERT_EQ(read32(icon, image), 40u);
    EXPECT_EQ(read32(icon, image + 4), 32u);
    EXPECT_EQ(read32(icon, image + 8), 64u) << "height covers the XOR image and the AND mask";
    EXPECT_EQ(read16(icon, image + 12), 1u);
    ASSERT_EQ(read16(icon, image + 14), 8u);
    EXPECT_EQ(read32(icon, image + 16), 0u) << "BI_RGB";
    EXPECT_EQ(read32(icon, image + 32), 0u) << "colours used: the whole palette";

    const std::size_t palette = image + 40;
    const std::size_t xorBits = palette + std::size_t{256} * 4;
    const std::size_t andBits = xorBits + std::size_t{32} * 32;
    ASSERT_EQ(andBits + std::size_t{32} * 4, icon.size());

    std::array<bool, 256> used{};
    for (int y = 0; y < 32; ++y) {
        const auto row = static_cast<std::size_t>(31 - y);
        for (int x = 0; x < 32; ++x) {
            SCOPED_TRACE(testing::Message() << "pixel " << x << "," << y);
            const std::uint8_t index = icon[xorBits + row * 32 + static_cast<std::size_t>(x)];
            const std::uint8_t maskByte = icon[andBits + row * 4 + static_cast<std::size_t>(x / 8)];
            const bool masked = ((maskByte >> (7 - x % 8)) & 1) != 0;
            const QRgb expected = picture.pixel(x, y);
            ASSERT_EQ(masked, qAlpha(expected) == 0);
            if (masked) {
                EXPECT_EQ(index, 0) << "transparent pixels must not tint the background";
                continue;
            }
            used[index] = true;
            const std::size_t entry = palette + std::size_t{index} * 4;
            EXPECT_EQ(icon[entry], qBlue(expected));
            EXPECT_EQ(icon[entry + 1], qGreen(expected));
            EXPECT_EQ(icon[entry + 2], qRed(expected));
        }
    }
    for (std::size_t index = 0; index < 256; ++index) {
        const std::size_t entry = palette + index * 4;
        EXPECT_EQ(icon[entry + 3], 0) << "reserved byte of palette entry " << index;
        if (!used[index]) {
            EXPECT_EQ(read32(icon, entry), 0u) << "unused palette entry " << index;
        }
    }
}

TEST(IconFile, CommittedIconIsTheXpmEncodedAndDecodesBackToIt) {
    const QImage xpm(talvex_xpm);
    ASSERT_FALSE(xpm.isNull());
    const Bytes encoded = talvex::tools::windowsIcon(xpm);

    std::ifstream file(TALVEX_ICO_PATH, std::ios::binary);
    ASSERT_TRUE(file) << "cannot open " << TALVEX_ICO_PATH;
    const Bytes committed{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    EXPECT_EQ(committed, encoded) << "resources/talvex.ico is stale: run scripts/icons";

    expectDecodesTo(encoded, xpm);
}

TEST(IconFile, RejectsPicturesItCannotHold) {
    for (const auto& [width, height] : {std::pair{16, 16}, {32, 31}, {33, 32}, {64, 64}}) {
        QImage picture(width, height, QImage::Format_ARGB32);
        picture.fill(Qt::red);
        EXPECT_THROW(talvex::tools::windowsIcon(picture), std::invalid_argument)
            << width << " x " << height;
    }

    QImage halfTransparent(32, 32, QImage::Format_ARGB32);
    halfTransparent.fill(Qt::red);
    halfTransparent.setPixel(5, 5, qRgba(0, 0, 255, 128));
    EXPECT_THROW(talvex::tools::windowsIcon(halfTransparent), std::invalid_argument);
}

} // namespace
