// Cursor and icon file layout: a 6-byte header, 16-byte directory entries, then BMP or PNG images.
#include "app/logic/cursor_file.h"

#include <array>
#include <cstdlib>
#include <initializer_list>

namespace app {
namespace {

constexpr std::size_t kHeaderSize = 6;
constexpr std::size_t kEntrySize = 16;
constexpr std::array<std::uint8_t, 8> kPngSignature{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
constexpr std::size_t kPngHeaderEnd = 8 + 8 + 13 + 4;  // signature, IHDR length and type, its data, its CRC

std::uint32_t Le16(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at] | (b[at + 1] << 8));
}
std::uint32_t Le32(std::span<const std::uint8_t> b, std::size_t at) {
    return Le16(b, at) | (Le16(b, at + 2) << 16);
}
std::uint32_t Be32(std::span<const std::uint8_t> b, std::size_t at) {
    return (static_cast<std::uint32_t>(b[at]) << 24) | (static_cast<std::uint32_t>(b[at + 1]) << 16) |
           (static_cast<std::uint32_t>(b[at + 2]) << 8) | b[at + 3];
}
std::int32_t LeInt32(std::span<const std::uint8_t> b, std::size_t at) {
    const std::uint32_t u = Le32(b, at);
    return u <= 0x7FFFFFFFu ? static_cast<std::int32_t>(u) : -static_cast<std::int32_t>(~u) - 1;
}

// Rows of a bitmap are padded to whole 32-bit words.
std::uint64_t RowBytes(std::uint64_t width, std::uint64_t bitsPerPixel) { return (width * bitsPerPixel + 31) / 32 * 4; }

CursorFault CheckBitmap(std::span<const std::uint8_t> image, int width, int height) {
    if (image.size() < bitmap::kHeaderSize || Le32(image, 0) != bitmap::kHeaderSize) return CursorFault::Bitmap;
    const std::int32_t bitmapWidth = LeInt32(image, bitmap::kWidth);
    const std::int32_t doubledHeight = LeInt32(image, bitmap::kHeight);  // colour rows and mask rows
    const std::uint32_t planes = Le16(image, bitmap::kPlanes);
    const std::uint32_t bitsPerPixel = Le16(image, bitmap::kBitCount);
    const std::uint32_t compression = Le32(image, bitmap::kCompression);
    const std::uint32_t coloursUsed = Le32(image, bitmap::kColoursUsed);
    if (planes != 1 || compression != bitmap::kUncompressed) return CursorFault::Bitmap;
    if (bitsPerPixel != 1 && bitsPerPixel != 4 && bitsPerPixel != 8 && bitsPerPixel != 16 && bitsPerPixel != 24 &&
        bitsPerPixel != 32) {
        return CursorFault::Bitmap;
    }
    if (bitmapWidth < 1 || bitmapWidth > kMaxCursorSide || doubledHeight < 2 ||
        doubledHeight > 2 * kMaxCursorSide || doubledHeight % 2 != 0) {
        return CursorFault::Bitmap;
    }
    if (bitmapWidth != width || doubledHeight / 2 != height) return CursorFault::Size;
    // A palette: a full one for up to 8 bits unless fewer are named; optional above 8 bits.
    const std::uint64_t fullPalette = bitsPerPixel <= 8 ? (1u << bitsPerPixel) : 256;
    if (coloursUsed > fullPalette) return CursorFault::Bitmap;
    const std::uint64_t colours = coloursUsed != 0 || bitsPerPixel > 8 ? coloursUsed : fullPalette;
    const std::uint64_t needed = bitmap::kHeaderSize + colours * bitmap::kPaletteEntrySize +
                                 RowBytes(static_cast<std::uint64_t>(width), bitsPerPixel) * height +
                                 RowBytes(static_cast<std::uint64_t>(width), 1) * height;
    return needed <= image.size() ? CursorFault::None : CursorFault::Bitmap;
}

bool ValidPngDepth(std::uint32_t colourType, std::uint32_t depth) {
    switch (colourType) {
        case 0:  // grey
            return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
        case 3:  // palette
            return depth == 1 || depth == 2 || depth == 4 || depth == 8;
        case 2:  // RGB
        case 4:  // grey and alpha
        case 6:  // RGBA
            return depth == 8 || depth == 16;
        default:
            return false;
    }
}

// Only the header: the size is what a decoder allocates for, so that is what must be sane. The rest of
// the stream is the decoder's to judge; a broken one makes the loader fail, not crash.
CursorFault CheckPng(std::span<const std::uint8_t> image, int width, int height) {
    if (image.size() < kPngHeaderEnd) return CursorFault::Png;
    if (Be32(image, 8) != 13 || image[12] != 'I' || image[13] != 'H' || image[14] != 'D' || image[15] != 'R') {
        return CursorFault::Png;
    }
    const std::uint32_t pngWidth = Be32(image, 16);
    const std::uint32_t pngHeight = Be32(image, 20);
    if (pngWidth < 1 || pngWidth > kMaxCursorSide || pngHeight < 1 || pngHeight > kMaxCursorSide) {
        return CursorFault::Png;
    }
    if (!ValidPngDepth(image[25], image[24]) || image[26] != 0 || image[27] != 0 || image[28] > 1) {
        return CursorFault::Png;
    }
    if (pngWidth != static_cast<std::uint32_t>(width) || pngHeight != static_cast<std::uint32_t>(height)) {
        return CursorFault::Size;
    }
    return CursorFault::None;
}

bool IsPng(std::span<const std::uint8_t> image) {
    if (image.size() < kPngSignature.size()) return false;
    for (std::size_t i = 0; i < kPngSignature.size(); ++i) {
        if (image[i] != kPngSignature[i]) return false;
    }
    return true;
}

}  // namespace

CursorFile CheckCursorFile(std::span<const std::uint8_t> file) {
    CursorFile result;
    auto fail = [&result](CursorFault fault) {
        result.fault = fault;
        result.images.clear();
        return result;
    };
    if (file.size() < kHeaderSize || file.size() > kMaxCursorFileSize) return fail(CursorFault::FileSize);
    const std::uint32_t type = Le16(file, 2);
    const std::size_t count = Le16(file, 4);
    if (Le16(file, 0) != 0 || (type != kIconFileType && type != kCursorFileType) || count == 0) {
        return fail(CursorFault::Header);
    }
    const std::size_t directoryEnd = kHeaderSize + count * kEntrySize;
    if (directoryEnd > file.size()) return fail(CursorFault::Header);

    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t entry = kHeaderSize + i * kEntrySize;
        CursorImage image;
        image.width = file[entry] != 0 ? file[entry] : kMaxCursorSide;  // 0 stands for 256
        image.height = file[entry + 1] != 0 ? file[entry + 1] : kMaxCursorSide;
        image.size = Le32(file, entry + 8);
        image.offset = Le32(file, entry + 12);
        // Compared without adding, so that no sum can wrap around.
        if (image.offset < directoryEnd || image.offset > file.size() || image.size > file.size() - image.offset) {
            return fail(CursorFault::Entry);
        }
        const std::span<const std::uint8_t> data = file.subspan(image.offset, image.size);
        image.png = IsPng(data);
        const CursorFault fault =
            image.png ? CheckPng(data, image.width, image.height) : CheckBitmap(data, image.width, image.height);
        if (fault != CursorFault::None) return fail(fault);
        if (type == kCursorFileType) {
            image.hotX = static_cast<int>(Le16(file, entry + 4));
            image.hotY = static_cast<int>(Le16(file, entry + 6));
            if (image.hotX >= image.width || image.hotY >= image.height) return fail(CursorFault::HotSpot);
        } else {
            image.hotX = image.width / 2;
            image.hotY = image.height / 2;
        }
        result.images.push_back(image);
    }
    return result;
}

std::size_t ChooseCursorImage(const std::vector<CursorImage>& images, int wantedSide) {
    std::size_t best = 0;
    int bestDistance = -1;
    for (std::size_t i = 0; i < images.size(); ++i) {
        const int side = images[i].width > images[i].height ? images[i].width : images[i].height;
        const int distance = std::abs(side - wantedSide);
        if (bestDistance < 0 || distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

std::vector<std::uint8_t> CursorResource(std::span<const std::uint8_t> file, const CursorImage& image) {
    std::vector<std::uint8_t> resource;
    resource.reserve(4 + image.size);
    for (const int value : {image.hotX, image.hotY}) {
        resource.push_back(static_cast<std::uint8_t>(value & 0xFF));
        resource.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
    }
    const std::span<const std::uint8_t> data = file.subspan(image.offset, image.size);
    resource.insert(resource.end(), data.begin(), data.end());
    return resource;
}

}  // namespace app
