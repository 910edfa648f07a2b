// The window's custom pointer: the pointer file's own check (a cursor file is taken apart here before any platform
// loader sees it), and the hover rule that shows its picture over the button.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace app {

// What the start-up report says about a pointer file that is no usable cursor.
inline constexpr const wchar_t* kInvalidPicture = L"Invalid picture";

// What a cursor file shares with the platform's own layouts: the type in its header, as a resource's icon or cursor
// directory names it (RES_ICON, RES_CURSOR); and the bitmap header its images start with (BITMAPINFOHEADER), whose
// plain pixels are uncompressed (BI_RGB) after a palette of 4-byte entries (RGBQUAD).
inline constexpr std::uint16_t kIconFileType = 1;
inline constexpr std::uint16_t kCursorFileType = 2;
namespace bitmap {
inline constexpr std::size_t kHeaderSize = 40;
inline constexpr std::size_t kWidth = 4, kHeight = 8, kPlanes = 12, kBitCount = 14, kCompression = 16;
inline constexpr std::size_t kColoursUsed = 32;
inline constexpr std::uint32_t kUncompressed = 0;
inline constexpr std::size_t kPaletteEntrySize = 4;
}  // namespace bitmap

// Far above any real cursor file (one 256 x 256 image at 32 bits is 270 kB), far below trouble.
inline constexpr std::size_t kMaxCursorFileSize = 4 * 1024 * 1024;
// The largest side a cursor or icon file can state.
inline constexpr int kMaxCursorSide = 256;

// Why a file was turned down; the first fault found counts.
enum class CursorFault {
    None,
    FileSize,      // empty, shorter than its header, or larger than kMaxCursorFileSize
    Header,        // not the header of a cursor (or icon) file, or no images
    Entry,         // an image lies outside the file or over the directory
    Bitmap,        // the bitmap header is not one the loaders take, or its pixels do not fit the image
    Png,           // the PNG header is broken or its size is no cursor size
    Size,          // the image's size differs from its directory entry
    HotSpot,       // the hot spot lies outside the image
};

struct CursorImage {
    int width = 0;
    int height = 0;
    int hotX = 0;
    int hotY = 0;
    std::size_t offset = 0;  // where the image's data starts in the file
    std::size_t size = 0;    // how many bytes of the file it owns
    bool png = false;
};

struct CursorFile {
    CursorFault fault = CursorFault::None;
    std::vector<CursorImage> images;  // every image, in file order; empty unless fault is None
};

// Checks the directory and every image it lists: offsets and sizes inside the file, bitmap headers whose
// pixel data is all there, PNG headers with sizes from 1 to 256, hot spots inside. An icon file (type 1)
// passes as well, with its hot spot in the centre as the platform places it for icons.
CursorFile CheckCursorFile(std::span<const std::uint8_t> file);

// The index of the image whose larger side is nearest to wantedSide; the first of equals wins.
std::size_t ChooseCursorImage(const std::vector<CursorImage>& images, int wantedSide);

// The image in the form the platform builds a cursor from: the hot spot as two little-endian 16-bit
// numbers, then the image's bytes. The image must come from CheckCursorFile of the same file.
std::vector<std::uint8_t> CursorResource(std::span<const std::uint8_t> file, const CursorImage& image);

// The window's pointer setting and the hover rule that changes it.
enum class PointerSetting { Default = 0, Busy = 11, Custom = 99 };

enum class HoverArea { Button, Frame, Background };

// A busy setting is never touched by hovering; otherwise the button asks for the custom image and the
// frame and background give the ordinary pointer back.
constexpr PointerSetting AfterHover(PointerSetting current, HoverArea area) {
    if (current == PointerSetting::Busy) return current;
    return area == HoverArea::Button ? PointerSetting::Custom : PointerSetting::Default;
}

}  // namespace app
