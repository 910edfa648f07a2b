// The skin file: its colours and the parser that turns the file's bytes into them or into an error with a line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace skin {

// Larger files are refused unread beyond this size.
inline constexpr std::size_t kMaxSkinFileBytes = 64 * 1024;

struct Colour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const Colour&, const Colour&) = default;
};

// Every colour a skin file can set; a colour the file does not give stays empty.
struct SkinColours {
    std::optional<Colour> windowBackground;
    std::optional<Colour> frameBackground;
    std::optional<Colour> frameText;
    std::optional<Colour> fieldBackground;
    std::optional<Colour> fieldText;
    std::optional<Colour> buttonFace;
    std::optional<Colour> buttonText;
    std::optional<Colour> buttonHotFace;
    std::optional<Colour> buttonPressedFace;
    friend bool operator==(const SkinColours&, const SkinColours&) = default;
};

struct ParseResult {
    std::optional<SkinColours> colours;  // set when the file is usable
    int errorLine = 0;                   // otherwise the line that makes it unusable (1-based)
    std::string error;                   // and a description naming that line
};

// Whole file in, colours or the first fault out. Never throws except for lack of memory.
ParseResult ParseSkinFile(std::string_view bytes);

// "#RRGGBB" or "R, G, B"; nothing for anything else.
std::optional<Colour> ParseColour(std::string_view text);

}  // namespace skin
