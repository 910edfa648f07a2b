// Unit tests of the pointer file's own check: what passes, what is turned down and why, the image chosen.
#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "app/logic/cursor_file.h"

namespace {

using app::CheckCursorFile;
using app::CursorFault;
using Bytes = std::vector<std::uint8_t>;

void Put16(Bytes& b, std::size_t at, std::uint32_t v) {
    b[at] = static_cast<std::uint8_t>(v);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}
void Put32(Bytes& b, std::size_t at, std::uint32_t v) {
    Put16(b, at, v & 0xFFFF);
    Put16(b, at + 2, v >> 16);
}
void PutBe32(Bytes& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (24 - 8 * i));
}

// Where the fields lie, each from the start of its part: the file's header, a directory entry, a bitmap's header
// and a PNG stream's start (signature, then the IHDR chunk's length, type and data).
namespace header {
constexpr std::size_t kReserved = 0, kType = 2, kCount = 4, kSize = 6;
}
namespace entry {
constexpr std::size_t kWidth = 0, kHeight = 1, kHotX = 4, kHotY = 6, kBytesInRes = 8, kImageOffset = 12, kSize = 16;
}
namespace bitmap {
constexpr std::size_t kHeaderSize = 0, kWidth = 4, kHeight = 8, kPlanes = 12, kBitCount = 14, kCompression = 16,
                      kColoursUsed = 32, kSize = 40;
}
namespace png {
constexpr std::size_t kChunkLength = 8, kChunkType = 12, kWidth = 16, kHeight = 20, kBitDepth = 24, kColourType = 25,
                      kCompression = 26, kInterlace = 28, kHeaderEnd = 16 + 13 + 4;
}

// A bitmap image as cursor files hold it: header, palette, colour rows, mask rows.
Bytes Bitmap(int width, int height, int bitsPerPixel) {
    const std::size_t palette = bitsPerPixel <= 8 ? (std::size_t{1} << bitsPerPixel) * 4 : 0;
    const std::size_t colourRows = static_cast<std::size_t>((width * bitsPerPixel + 31) / 32 * 4 * height);
    const std::size_t maskRows = static_cast<std::size_t>((width + 31) / 32 * 4 * height);
    Bytes image(bitmap::kSize + palette + colourRows + maskRows, 0);
    Put32(image, bitmap::kHeaderSize, bitmap::kSize);
    Put32(image, bitmap::kWidth, static_cast<std::uint32_t>(width));
    Put32(image, bitmap::kHeight, static_cast<std::uint32_t>(2 * height));  // colour rows and mask rows
    Put16(image, bitmap::kPlanes, 1);
    Put16(image, bitmap::kBitCount, static_cast<std::uint32_t>(bitsPerPixel));
    return image;
}

// The start of a PNG stream: signature and IHDR; the decoder's part after it is left out.
Bytes Png(std::uint32_t width, std::uint32_t height, std::uint8_t depth = 8, std::uint8_t colourType = 6) {
    Bytes image{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
    image.resize(png::kHeaderEnd + 12, 0);  // and as many bytes again as an empty chunk takes
    PutBe32(image, png::kWidth, width);
    PutBe32(image, png::kHeight, height);
    image[png::kBitDepth] = depth;
    image[png::kColourType] = colourType;
    return image;
}

struct Entry {
    int width;  // as the directory states it: 0 for 256
    int height;
    int hotX;
    int hotY;
    Bytes image;
};

Bytes CursorFileOf(const std::vector<Entry>& entries, std::uint32_t type = 2) {
    Bytes file(header::kSize + entry::kSize * entries.size(), 0);
    Put16(file, header::kType, type);
    Put16(file, header::kCount, static_cast<std::uint32_t>(entries.size()));
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::size_t at = header::kSize + entry::kSize * i;
        file[at + entry::kWidth] = static_cast<std::uint8_t>(entries[i].width);
        file[at + entry::kHeight] = static_cast<std::uint8_t>(entries[i].height);
        Put16(file, at + entry::kHotX, static_cast<std::uint32_t>(entries[i].hotX));
        Put16(file, at + entry::kHotY, static_cast<std::uint32_t>(entries[i].hotY));
        Put32(file, at + entry::kBytesInRes, static_cast<std::uint32_t>(entries[i].image.size()));
        Put32(file, at + entry::kImageOffset, static_cast<std::uint32_t>(file.size()));
        file.insert(file.end(), entries[i].image.begin(), entries[i].image.end());
    }
    return file;
}

Bytes OneImage(int width, int height, Bytes image) { return CursorFileOf({{width, height, 0, 0, std::move(image)}}); }
Bytes Plain() { return CursorFileOf({{32, 32, 9, 13, Bitmap(32, 32, 1)}}); }

// A field of a file of one image, such as Plain(): where it lies and how it is written.
enum class Form { Byte, Le16, Le32, Be32 };
struct Field {
    std::size_t at;
    Form form;
};
constexpr std::size_t kEntry = header::kSize;          // the one directory entry
constexpr std::size_t kImage = kEntry + entry::kSize;  // its image
constexpr Field kReserved{header::kReserved, Form::Byte};
constexpr Field kType{header::kType, Form::Le16};
constexpr Field kCount{header::kCount, Form::Le16};
constexpr Field kEntryWidth{kEntry + entry::kWidth, Form::Byte};
constexpr Field kEntryHotX{kEntry + entry::kHotX, Form::Le16};
constexpr Field kEntryHotY{kEntry + entry::kHotY, Form::Le16};
constexpr Field kEntryBytesInRes{kEntry + entry::kBytesInRes, Form::Le32};
constexpr Field kEntryImageOffset{kEntry + entry::kImageOffset, Form::Le32};
constexpr Field kBitmapHeaderSize{kImage + bitmap::kHeaderSize, Form::Le32};
constexpr Field kBitmapWidth{kImage + bitmap::kWidth, Form::Le32};
constexpr Field kBitmapHeight{kImage + bitmap::kHeight, Form::Le32};
constexpr Field kBitmapPlanes{kImage + bitmap::kPlanes, Form::Le16};
constexpr Field kBitmapBitCount{kImage + bitmap::kBitCount, Form::Le16};
constexpr Field kBitmapCompression{kImage + bitmap::kCompression, Form::Le32};
constexpr Field kBitmapColoursUsed{kImage + bitmap::kColoursUsed, Form::Le32};
constexpr Field kPngChunkLength{kImage + png::kChunkLength, Form::Be32};
constexpr Field kPngChunkType{kImage + png::kChunkType, Form::Byte};  // its first letter
constexpr Field kPngWidth{kImage + png::kWidth, Form::Be32};
constexpr Field kPngHeight{kImage + png::kHeight, Form::Be32};
constexpr Field kPngBitDepth{kImage + png::kBitDepth, Form::Byte};
constexpr Field kPngColourType{kImage + png::kColourType, Form::Byte};
constexpr Field kPngCompression{kImage + png::kCompression, Form::Byte};
constexpr Field kPngInterlace{kImage + png::kInterlace, Form::Byte};

// One change a row makes to a file: a field set to a value.
struct Edit {
    Field field;
    std::uint32_t value;
};

Bytes Edited(Bytes file, std::initializer_list<Edit> edits) {
    for (const Edit& e : edits) {
        switch (e.field.form) {
            case Form::Byte:
                file[e.field.at] = static_cast<std::uint8_t>(e.value);
                break;
            case Form::Le16:
                Put16(file, e.field.at, e.value);
                break;
            case Form::Le32:
                Put32(file, e.field.at, e.value);
                break;
            case Form::Be32:
                PutBe32(file, e.field.at, e.value);
                break;
        }
    }
    return file;
}

// The bytes cut to size, or grown to it with fill.
Bytes Resized(Bytes bytes, std::size_t size, std::uint8_t fill = 0) {
    bytes.resize(size, fill);
    return bytes;
}
Bytes WithoutLastByte(Bytes bytes) { return Resized(bytes, bytes.size() - 1); }

Bytes PlainWith(std::initializer_list<Edit> edits) { return Edited(Plain(), edits); }
// A file of one 32 x 32 PNG image.
Bytes PngWith(std::initializer_list<Edit> edits) { return Edited(OneImage(32, 32, Png(32, 32)), edits); }

TEST(CheckCursorFile, TakesWellFormedFiles) {
    const auto plainImage = static_cast<std::uint32_t>(Bitmap(32, 32, 1).size());
    const struct {
        const char* name;
        Bytes file;
        std::size_t images;
    } cases[] = {
        {"32x32 at 1 bit", Plain(), 1},
        {"every bit depth", CursorFileOf({{16, 16, 0, 0, Bitmap(16, 16, 4)}, {24, 24, 0, 0, Bitmap(24, 24, 8)},
                                          {20, 20, 0, 0, Bitmap(20, 20, 16)}, {33, 33, 32, 32, Bitmap(33, 33, 24)},
                                          {48, 48, 0, 0, Bitmap(48, 48, 32)}}),
         5},
        {"256x256 stated as 0", CursorFileOf({{0, 0, 255, 255, Bitmap(256, 256, 32)}}), 1},
        {"PNG image", CursorFileOf({{0, 0, 4, 4, Png(256, 256)}}), 1},
        {"PNG 1-bit grey, interlaced", Edited(CursorFileOf({{7, 9, 6, 8, Png(7, 9, 1, 0)}}), {{kPngInterlace, 1}}), 1},
        {"icon file", CursorFileOf({{32, 32, 1, 32, Bitmap(32, 32, 32)}}, 1), 1},
        {"spare bytes after the image",
         Edited(Resized(Plain(), Plain().size() + 100, 0xAB), {{kEntryBytesInRes, plainImage + 50}}), 1},
    };
    for (const auto& c : cases) {
        const app::CursorFile result = CheckCursorFile(c.file);
        EXPECT_EQ(result.fault, CursorFault::None) << c.name;
        EXPECT_EQ(result.images.size(), c.images) << c.name;
    }
}

TEST(CheckCursorFile, ReadsSizesHotSpotsAndPlaces) {
    const Bytes file = CursorFileOf({{32, 32, 9, 13, Bitmap(32, 32, 1)}, {0, 0, 200, 100, Png(256, 256)}});
    const app::CursorFile result = CheckCursorFile(file);
    ASSERT_EQ(result.images.size(), 2u);
    const app::CursorImage& bmp = result.images[0];
    const app::CursorImage& png = result.images[1];
    EXPECT_EQ(std::vector<int>({bmp.width, bmp.height, bmp.hotX, bmp.hotY}), std::vector<int>({32, 32, 9, 13}));
    EXPECT_EQ(std::vector<int>({png.width, png.height, png.hotX, png.hotY}), std::vector<int>({256, 256, 200, 100}));
    EXPECT_EQ(bmp.offset, header::kSize + 2 * entry::kSize);
    EXPECT_EQ(bmp.size, Bitmap(32, 32, 1).size());
    EXPECT_EQ(png.offset, bmp.offset + bmp.size);
    EXPECT_FALSE(bmp.png);
    EXPECT_TRUE(png.png);

    const app::CursorFile icon = CheckCursorFile(CursorFileOf({{48, 32, 1, 32, Bitmap(48, 32, 32)}}, 1));
    ASSERT_EQ(icon.images.size(), 1u);
    EXPECT_EQ(icon.images[0].hotX, 24) << "an icon's hot spot is its centre";
    EXPECT_EQ(icon.images[0].hotY, 16);
}

TEST(CheckCursorFile, TurnsDownBrokenAndHostileFiles) {
    // The file that crashed the platform's loader: 91 bytes, one PNG image claiming 65535 x 65535 pixels.
    const Bytes crafted = Edited(Resized(OneImage(0, 0, Png(65535, 65535)), 91), {{kEntryBytesInRes, 91 - kImage}});

    const struct {
        const char* name;
        Bytes file;
        CursorFault fault;
    } cases[] = {
        {"crafted 91-byte PNG of 65535 x 65535", crafted, CursorFault::Png},
        {"empty", {}, CursorFault::FileSize},
        {"shorter than the header", {0, 0, 2, 0, 1}, CursorFault::FileSize},
        {"larger than any cursor", Bytes(app::kMaxCursorFileSize + 1, 0), CursorFault::FileSize},
        {"text", Bytes(400, 'x'), CursorFault::Header},
        {"reserved field set", PlainWith({{kReserved, 1}}), CursorFault::Header},
        {"bitmap file type", PlainWith({{kType, 3}}), CursorFault::Header},
        {"no images", PlainWith({{kCount, 0}}), CursorFault::Header},
        {"directory longer than the file", PlainWith({{kCount, 0xFFFF}}), CursorFault::Header},
        {"image starts beyond the end", PlainWith({{kEntryImageOffset, 0xFFFFFFF0}}), CursorFault::Entry},
        {"offset plus size wraps around", PlainWith({{kEntryBytesInRes, 0xFFFFFFFF}, {kEntryImageOffset, kImage}}),
         CursorFault::Entry},
        {"image one byte past the end", WithoutLastByte(Plain()), CursorFault::Entry},
        {"image over the directory", PlainWith({{kEntryImageOffset, kEntry}}), CursorFault::Entry},
        {"image size zero", PlainWith({{kEntryBytesInRes, 0}}), CursorFault::Bitmap},
        {"bitmap header size 12", PlainWith({{kBitmapHeaderSize, 12}}), CursorFault::Bitmap},
        {"bitmap width 65535", PlainWith({{kBitmapWidth, 65535}}), CursorFault::Bitmap},
        {"bitmap width negative", PlainWith({{kBitmapWidth, 0xFFFFFFE0}}), CursorFault::Bitmap},
        {"bitmap height top-down", PlainWith({{kBitmapHeight, 0xFFFFFFC0}}), CursorFault::Bitmap},
        {"bitmap height odd", PlainWith({{kBitmapHeight, 63}}), CursorFault::Bitmap},
        {"bitmap two planes", PlainWith({{kBitmapPlanes, 2}}), CursorFault::Bitmap},
        {"bitmap 3 bits per pixel", PlainWith({{kBitmapBitCount, 3}}), CursorFault::Bitmap},
        {"bitmap compressed", PlainWith({{kBitmapCompression, 1}}), CursorFault::Bitmap},
        {"palette larger than the depth allows", PlainWith({{kBitmapColoursUsed, 3}}), CursorFault::Bitmap},
        {"huge palette count", PlainWith({{kBitmapColoursUsed, 0x40000000}}), CursorFault::Bitmap},
        {"pixels cut short", OneImage(32, 32, WithoutLastByte(Bitmap(32, 32, 32))), CursorFault::Bitmap},
        {"24-bit image with a palette it does not hold",
         Edited(OneImage(8, 8, Bitmap(8, 8, 24)), {{kBitmapColoursUsed, 256}}), CursorFault::Bitmap},
        {"bitmap wider than its entry", PlainWith({{kEntryWidth, 16}}), CursorFault::Size},
        {"PNG without IHDR first", PngWith({{kPngChunkType, 'X'}}), CursorFault::Png},
        {"PNG IHDR of the wrong length", PngWith({{kPngChunkLength, 14}}), CursorFault::Png},
        {"PNG width 0", PngWith({{kPngWidth, 0}}), CursorFault::Png},
        {"PNG height 257", PngWith({{kPngHeight, 257}}), CursorFault::Png},
        {"PNG width 2^31", PngWith({{kPngWidth, 0x80000000}}), CursorFault::Png},
        {"PNG RGB at 4 bits", PngWith({{kPngBitDepth, 4}, {kPngColourType, 2}}), CursorFault::Png},
        {"PNG colour type 5", PngWith({{kPngColourType, 5}}), CursorFault::Png},
        {"PNG unknown compression", PngWith({{kPngCompression, 1}}), CursorFault::Png},
        {"PNG unknown interlace", PngWith({{kPngInterlace, 2}}), CursorFault::Png},
        {"PNG cut inside IHDR", OneImage(32, 32, Resized(Png(32, 32), 30)), CursorFault::Png},
        {"PNG larger than its entry", OneImage(32, 32, Png(64, 64)), CursorFault::Size},
        {"hot spot right of the image", PlainWith({{kEntryHotX, 32}}), CursorFault::HotSpot},
        {"hot spot below the image", PlainWith({{kEntryHotY, 0xFFFF}}), CursorFault::HotSpot},
        {"one bad image of two", CursorFileOf({{32, 32, 0, 0, Bitmap(32, 32, 1)}, {32, 32, 0, 0, Png(300, 32)}}),
         CursorFault::Png},
    };
    for (const auto& c : cases) {
        const app::CursorFile result = CheckCursorFile(c.file);
        EXPECT_EQ(result.fault, c.fault) << c.name;
        EXPECT_TRUE(result.images.empty()) << c.name;
    }
}

TEST(ChooseCursorImage, TakesTheSideNearestTheWantedOne) {
    const auto image = [](int width, int height) {
        app::CursorImage i;
        i.width = width;
        i.height = height;
        return i;
    };
    const std::vector<app::CursorImage> images{image(16, 16), image(32, 32), image(48, 48), image(64, 40)};
    const struct {
        int wanted;
        std::size_t chosen;
    } cases[] = {{32, 1}, {40, 1}, {41, 2}, {64, 3}, {1, 0}, {300, 3}};
    for (const auto& c : cases) EXPECT_EQ(app::ChooseCursorImage(images, c.wanted), c.chosen) << c.wanted;
    EXPECT_EQ(app::ChooseCursorImage({image(32, 32), image(32, 32)}, 32), 0u) << "the first of equals";
}

TEST(CursorResource, IsTheHotSpotThenTheImageBytes) {
    const Bytes good = CursorFileOf({{16, 16, 0, 0, Bitmap(16, 16, 1)}, {32, 32, 9, 13, Bitmap(32, 32, 4)}});
    const app::CursorFile checked = CheckCursorFile(good);
    ASSERT_EQ(checked.images.size(), 2u);
    const Bytes resource = app::CursorResource(good, checked.images[1]);
    Bytes expected{9, 0, 13, 0};
    const Bytes image = Bitmap(32, 32, 4);
    expected.insert(expected.end(), image.begin(), image.end());
    EXPECT_EQ(resource, expected);
}

}  // namespace
