#include "tools/icon_file.h"

#include <QImage>
#include <cstddef>
#include <map>
#include <stdexcept>

namespace talvex::tools {
namespace {

constexpr int kSide = 32;
constexpr std::size_t kPixelCount = std::size_t{kSide} * kSide;
constexpr std::size_t kPaletteSize = 256;
constexpr std::uint32_t kDirectorySize = 6;
constexpr std::uint32_t kEntrySize = 16;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kXorRowBytes = kSide;     // one byte per pixel, already a multiple of 4
constexpr std::uint32_t kAndRowBytes = kSide / 8; // one bit per pixel, already a multiple of 4
constexpr std::uint32_t kPixelBytes = kSide * (kXorRowBytes + kAndRowBytes);
constexpr std::uint32_t kImageBytes = kInfoHeaderSize + kPaletteSize * 4 + kPixelBytes;

void put16(std::vector<std::uint8_t>& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<std::uint8_t>((value >> shift) & 0xFF));
    }
}

// Where pixel (x, y) sits in a picture's pixels stored row by row.
std::size_t offset(int x, int y) {
    return static_cast<std::size_t>(y) * kSide + static_cast<std::size_t>(x);
}

// The AND mask, bottom row first like the bitmap: a set bit lets the background show through.
void putMask(std::vector<std::uint8_t>& out, const std::vector<bool>& transparent) {
    for (int y = kSide - 1; y >= 0; --y) {
        for (int byte = 0; byte < static_cast<int>(kAndRowBytes); ++byte) {
            std::uint8_t bits = 0;
            for (int bit = 0; bit < 8; ++bit) {
                if (transparent[offset(byte * 8 + bit, y)]) {
                    bits |= static_cast<std::uint8_t>(0x80 >> bit);
                }
            }
            out.push_back(bits);
        }
    }
}

} // namespace

std::vector<std::uint8_t> windowsIcon(const QImage& picture) {
    if (picture.width() != kSide || picture.height() != kSide) {
        throw std::invalid_argument("an icon picture must be 32 x 32 pixels");
    }

    // Index 0 stays black: transparent pixels point at it, so whatever shows through the mask
    // is left untouched by the XOR step. An opaque black pixel can share it.
    std::vector<QRgb> palette{qRgb(0, 0, 0)};
    std::map<QRgb, std::uint8_t> indexOf{{qRgb(0, 0, 0), 0}};
    std::vector<std::uint8_t> indices(kPixelCount, 0);
    std::vector<bool> transparent(kPixelCount, false);
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            const QRgb pixel = picture.pixel(x, y);
            const int alpha = qAlpha(pixel);
            const std::size_t at = offset(x, y);
            if (alpha == 0) {
                transparent[at] = true;
                continue;
            }
            if (alpha != 255) {
                throw std::invalid_argument("an icon picture's pixels must be opaque or fully "
                                            "transparent");
            }
            const QRgb colour = qRgb(qRed(pixel), qGreen(pixel), qBlue(pixel));
            auto found = indexOf.find(colour);
            if (found == indexOf.end()) {
                if (palette.size() == kPaletteSize) {
                    throw std::invalid_argument("an icon picture has more colours than 256 "
                                                "palette entries hold");
                }
                found = indexOf.emplace(colour, static_cast<std::uint8_t>(palette.size())).first;
                palette.push_back(colour);
            }
            indices[at] = found->second;
        }
    }

    std::vector<std::uint8_t> out;
    out.reserve(kDirectorySize + kEntrySize + kImageBytes);

    // Icon directory with its one entry.
    put16(out, 0); // reserved
    put16(out, 1); // resource type: icon
    put16(out, 1); // image count
    out.push_back(kSide);
    out.push_back(kSide);
    out.push_back(0); // colour count: 0 for 256 colours
    out.push_back(0); // reserved
    put16(out, 1);    // planes
    put16(out, 8);    // bits per pixel
    put32(out, kImageBytes);
    put32(out, kDirectorySize + kEntrySize);

    // The bitmap header counts the XOR image and the AND mask together, hence twice the height.
    put32(out, kInfoHeaderSize);
    put32(out, kSide);
    put32(out, 2 * kSide);
    put16(out, 1); // planes
    put16(out, 8); // bits per pixel
    put32(out, 0); // BI_RGB
    put32(out, kPixelBytes);
    put32(out, 0); // horizontal resolution
    put32(out, 0); // vertical resolution
    put32(out, 0); // colours used: 0 means all 256
    put32(out, 0); // important colours: all

    for (std::size_t i = 0; i < kPaletteSize; ++i) {
        const QRgb colour = i < palette.size() ? palette[i] : 0;
        out.push_back(static_cast<std::uint8_t>(qBlue(colour)));
        out.push_back(static_cast<std::uint8_t>(qGreen(colour)));
        out.push_back(static_cast<std::uint8_t>(qRed(colour)));
        out.push_back(0);
    }

    // Bitmaps are stored bottom row first.
    for (int y = kSide - 1; y >= 0; --y) {
        for (int x = 0; x < kSide; ++x) {
            out.push_back(indices[offset(x, y)]);
        }
    }
    putMask(out, transparent);
    return out;
}

} // namespace talvex::tools
