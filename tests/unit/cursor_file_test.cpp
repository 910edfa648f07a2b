// Unit tests of the pointer file's own check: what passes, what is turned down and why, the image chosen.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
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

// A bitmap image as cursor files hold it: header, palette, colour rows, mask rows.
Bytes Bitmap(int width, int height, int bitsPerPixel) {
    const std::size_t palette = bitsPerPixel <= 8 ? (std::size_t{1} << bitsPerPixel) * 4 : 0;
    const std::size_t colourRows = static_cast<std::size_t>((width * bitsPerPixel + 31) / 32 * 4 * height);
    const std::size_t maskRows = static_cast<std::size_t>((width + 31) / 32 * 4 * height);
    Bytes image(40 + palette + colourRows + maskRows, 0);
    Put32(image, 0, 40);
    Put32(image, 4, static_cast<std::uint32_t>(width));
    Put32(image, 8, static_cast<std::uint32_t>(2 * height));
    Put16(image, 12, 1);
    Put16(image, 14, static_cast<std::uint32_t>(bitsPerPixel));
    return image;
}

// The start of a PNG stream: signature and IHDR; the decoder's part after it is left out.
Bytes Png(std::uint32_t width, std::uint32_t height, std::uint8_t depth = 8, std::uint8_t colourType = 6) {
    Bytes image{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
    image.resize(16 + 13 + 4 + 12, 0);
    PutBe32(image, 16, width);
    PutBe32(image, 20, height);
    image[24] = depth;
    image[25] = colourType;
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
    Bytes file(6 + 16 * entries.size(), 0);
    Put16(file, 2, type);
    Put16(file, 4, static_cast<std::uint32_t>(entries.size()));
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::size_t at = 6 + 16 * i;
        file[at] = static_cast<std::uint8_t>(entries[i].width);
        file[at + 1] = static_cast<std::uint8_t>(entries[i].height);
        Put16(file, at + 4, static_cast<std::uint32_t>(entries[i].hotX));
        Put16(file, at + 6, static_cast<std::uint32_t>(entries[i].hotY));
        Put32(file, at + 8, static_cast<std::uint32_t>(entries[i].image.size()));
        Put32(file, at + 12, static_cast<std::uint32_t>(file.size()));
        file.insert(file.end(), entries[i].image.begin(), entries[i].image.end());
    }
    return file;
}

Bytes Plain() { return CursorFileOf({{32, 32, 9, 13, Bitmap(32, 32, 1)}}); }

// Offsets into Plain(): the header, the one entry, its bitmap header.
constexpr std::size_t kEntry = 6;
constexpr std::size_t kImage = 22;

TEST(CheckCursorFile, TakesWellFormedFiles) {
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
        {"PNG 1-bit grey, interlaced", CursorFileOf({{7, 9, 6, 8, [] {
                                                          Bytes png = Png(7, 9, 1, 0);
                                                          png[28] = 1;
                                                          return png;
                                                      }()}}),
         1},
        {"icon file", CursorFileOf({{32, 32, 1, 32, Bitmap(32, 32, 32)}}, 1), 1},
        {"spare bytes after the image", [] {
             Bytes file = Plain();
             file.resize(file.size() + 100, 0xAB);
             Put32(file, kEntry + 8, static_cast<std::uint32_t>(Bitmap(32, 32, 1).size() + 50));
             return file;
         }(),
         1},
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
    EXPECT_EQ(bmp.offset, 6u + 2 * 16);
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
    using Change = std::function<void(Bytes&)>;
    const auto plainWith = [](Change change) {
        Bytes file = Plain();
        change(file);
        return file;
    };
    const auto pngWith = [](Change change) {
        Bytes png = Png(32, 32);
        change(png);
        return CursorFileOf({{32, 32, 0, 0, png}});
    };
    // The file that crashed the platform's loader: 91 bytes, one PNG image claiming 65535 x 65535 pixels.
    Bytes crafted = CursorFileOf({{0, 0, 0, 0, Png(65535, 65535)}});
    crafted.resize(91, 0);
    Put32(crafted, kEntry + 8, 91 - 22);

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
        {"reserved field set", plainWith([](Bytes& f) { f[0] = 1; }), CursorFault::Header},
        {"bitmap file type", plainWith([](Bytes& f) { Put16(f, 2, 3); }), CursorFault::Header},
        {"no images", plainWith([](Bytes& f) { Put16(f, 4, 0); }), CursorFault::Header},
        {"directory longer than the file", plainWith([](Bytes& f) { Put16(f, 4, 0xFFFF); }), CursorFault::Header},
        {"image starts beyond the end", plainWith([](Bytes& f) { Put32(f, kEntry + 12, 0xFFFFFFF0); }),
         CursorFault::Entry},
        {"offset plus size wraps around", plainWith([](Bytes& f) {
             Put32(f, kEntry + 8, 0xFFFFFFFF);
             Put32(f, kEntry + 12, 22);
         }),
         CursorFault::Entry},
        {"image one byte past the end", plainWith([](Bytes& f) { f.pop_back(); }), CursorFault::Entry},
        {"image over the directory", plainWith([](Bytes& f) { Put32(f, kEntry + 12, 6); }), CursorFault::Entry},
        {"image size zero", plainWith([](Bytes& f) { Put32(f, kEntry + 8, 0); }), CursorFault::Bitmap},
        {"bitmap header size 12", plainWith([](Bytes& f) { Put32(f, kImage, 12); }), CursorFault::Bitmap},
        {"bitmap width 65535", plainWith([](Bytes& f) { Put32(f, kImage + 4, 65535); }), CursorFault::Bitmap},
        {"bitmap width negative", plainWith([](Bytes& f) { Put32(f, kImage + 4, 0xFFFFFFE0); }), CursorFault::Bitmap},
        {"bitmap height top-down", plainWith([](Bytes& f) { Put32(f, kImage + 8, 0xFFFFFFC0); }),
         CursorFault::Bitmap},
        {"bitmap height odd", plainWith([](Bytes& f) { Put32(f, kImage + 8, 63); }), CursorFault::Bitmap},
        {"bitmap two planes", plainWith([](Bytes& f) { Put16(f, kImage + 12, 2); }), CursorFault::Bitmap},
        {"bitmap 3 bits per pixel", plainWith([](Bytes& f) { Put16(f, kImage + 14, 3); }), CursorFault::Bitmap},
        {"bitmap compressed", plainWith([](Bytes& f) { Put32(f, kImage + 16, 1); }), CursorFault::Bitmap},
        {"palette larger than the depth allows", plainWith([](Bytes& f) { Put32(f, kImage + 32, 3); }),
         CursorFault::Bitmap},
        {"huge palette count", plainWith([](Bytes& f) { Put32(f, kImage + 32, 0x40000000); }), CursorFault::Bitmap},
        {"pixels cut short", CursorFileOf({{32, 32, 0, 0, [] {
                                               Bytes b = Bitmap(32, 32, 32);
                                               b.resize(b.size() - 1);
                                               return b;
                                           }()}}),
         CursorFault::Bitmap},
        {"24-bit image with a palette it does not hold", CursorFileOf({{8, 8, 0, 0, [] {
                                                                           Bytes b = Bitmap(8, 8, 24);
                                                                           Put32(b, 32, 256);
                                                                           return b;
                                                                       }()}}),
         CursorFault::Bitmap},
        {"bitmap wider than its entry", plainWith([](Bytes& f) { f[kEntry] = 16; }), CursorFault::Size},
        {"PNG without IHDR first", pngWith([](Bytes& p) { p[12] = 'X'; }), CursorFault::Png},
        {"PNG IHDR of the wrong length", pngWith([](Bytes& p) { PutBe32(p, 8, 14); }), CursorFault::Png},
        {"PNG width 0", pngWith([](Bytes& p) { PutBe32(p, 16, 0); }), CursorFault::Png},
        {"PNG height 257", pngWith([](Bytes& p) { PutBe32(p, 20, 257); }), CursorFault::Png},
        {"PNG width 2^31", pngWith([](Bytes& p) { PutBe32(p, 16, 0x80000000); }), CursorFault::Png},
        {"PNG RGB at 4 bits", pngWith([](Bytes& p) { p[24] = 4, p[25] = 2; }), CursorFault::Png},
        {"PNG colour type 5", pngWith([](Bytes& p) { p[25] = 5; }), CursorFault::Png},
        {"PNG unknown compression", pngWith([](Bytes& p) { p[26] = 1; }), CursorFault::Png},
        {"PNG unknown interlace", pngWith([](Bytes& p) { p[28] = 2; }), CursorFault::Png},
        {"PNG cut inside IHDR", CursorFileOf({{32, 32, 0, 0, [] {
                                                  Bytes p = Png(32, 32);
                                                  p.resize(30);
                                                  return p;
                                              }()}}),
         CursorFault::Png},
        {"PNG larger than its entry", CursorFileOf({{32, 32, 0, 0, Png(64, 64)}}), CursorFault::Size},
        {"hot spot right of the image", plainWith([](Bytes& f) { Put16(f, kEntry + 4, 32); }), CursorFault::HotSpot},
        {"hot spot below the image", plainWith([](Bytes& f) { Put16(f, kEntry + 6, 0xFFFF); }), CursorFault::HotSpot},
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
