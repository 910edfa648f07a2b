// Parses skin files: sections of colour keys, comments, and a precise complaint about the first bad line.
#include "skin/logic/skin_file.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "win/logic/ascii_names.h"

namespace skin {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::size_t kMostQuotedCharacters = 40;

struct KeyEntry {
    std::string_view section;
    std::string_view key;
    std::optional<Colour> SkinColours::*colour;
};

constexpr std::array<std::string_view, 4> kSections{"Window", "Frame", "Field", "Button"};

constexpr std::array<KeyEntry, 9> kKeys{{
    {"Window", "Background", &SkinColours::windowBackground},
    {"Frame", "Background", &SkinColours::frameBackground},
    {"Frame", "Text", &SkinColours::frameText},
    {"Field", "Background", &SkinColours::fieldBackground},
    {"Field", "Text", &SkinColours::fieldText},
    {"Button", "Face", &SkinColours::buttonFace},
    {"Button", "Text", &SkinColours::buttonText},
    {"Button", "HotFace", &SkinColours::buttonHotFace},
    {"Button", "PressedFace", &SkinColours::buttonPressedFace},
}};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    const char lower = win::AsciiLower(c);
    if (lower >= 'a' && lower <= 'f') return lower - 'a' + 10;
    return -1;
}

std::optional<std::uint8_t> ParseComponent(std::string_view text) {
    text = Trim(text);
    if (text.empty() || text.size() > 3) return std::nullopt;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value > 255) return std::nullopt;
    return static_cast<std::uint8_t>(value);
}

// The user's text for a message: short, and plain ASCII so that any message box shows it as written.
std::string Quote(std::string_view text) {
    std::string quoted = "\"";
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if ((byte & 0xC0) == 0x80) continue;  // the rest of a character already shown as '?'
        if (characters == kMostQuotedCharacters) {
            quoted += "...";
            break;
        }
        quoted += byte >= 0x20 && byte < 0x7F ? static_cast<char>(byte) : '?';
        ++characters;
    }
    return quoted + "\"";
}

int LineAt(std::string_view bytes, std::size_t offset) {
    const auto end = bytes.begin() + static_cast<std::ptrdiff_t>(std::min(offset, bytes.size()));
    return 1 + static_cast<int>(std::count(bytes.begin(), end, '\n'));
}

int LastLine(std::string_view bytes) {
    if (bytes.empty()) return 1;
    return LineAt(bytes, bytes.size()) - (bytes.back() == '\n' ? 1 : 0);
}

// Offset of the first byte that does not belong to well-formed UTF-8 (no overlong forms, no surrogates,
// nothing beyond U+10FFFF), or npos.
std::size_t FirstInvalidUtf8(std::string_view bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        std::size_t length = 0;
        std::uint32_t point = 0;
        if (lead < 0x80) {
            ++i;
            continue;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            point = lead & 0x1Fu;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            point = lead & 0x0Fu;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            point = lead & 0x07u;
        } else {
            return i;
        }
        if (bytes.size() - i < length) return i;
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0) != 0x80) return i;
            point = (point << 6) | (next & 0x3Fu);
        }
        const bool overlong = (length == 3 && point < 0x800) || (length == 4 && point < 0x10000);
        if (overlong || (point >= 0xD800 && point <= 0xDFFF) || point > 0x10FFFF) return i;
        i += length;
    }
    return std::string_view::npos;
}

class Parser {
public:
    ParseResult Run(std::string_view bytes) {
        if (bytes.size() > kMaxSkinFileBytes) {
            return Fail(LineAt(bytes, kMaxSkinFileBytes), "the file is larger than 64 KiB");
        }
        if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark) bytes.remove_prefix(kByteOrderMark.size());
        if (const std::size_t nul = bytes.find('\0'); nul != std::string_view::npos) {
            return Fail(LineAt(bytes, nul), "the file holds a NUL byte");
        }
        if (const std::size_t bad = FirstInvalidUtf8(bytes); bad != std::string_view::npos) {
            return Fail(LineAt(bytes, bad), "the text is neither ASCII nor UTF-8");
        }
        int line = 0;
        std::size_t start = 0;
        while (start < bytes.size()) {
            std::size_t end = bytes.find('\n', start);
            if (end == std::string_view::npos) end = bytes.size();
            std::string_view text = bytes.substr(start, end - start);
            if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
            ++line;
            if (!Line(line, Trim(text))) return std::move(result_);
            start = end + 1;
        }
        if (colours_ == SkinColours{}) return Fail(LastLine(bytes), "the file sets no colour");
        result_.colours = colours_;
        return std::move(result_);
    }

private:
    bool Line(int line, std::string_view text) {
        if (text.empty() || text.front() == ';' || text.front() == '#') return true;
        if (text.front() == '[') return SectionLine(line, text);
        const std::size_t equals = text.find('=');
        const std::string_view key = Trim(text.substr(0, equals));
        if (equals == std::string_view::npos || key.empty()) {
            return Complain(line, Quote(text) + " is not a section, a setting or a comment");
        }
        return SettingLine(line, key, Trim(text.substr(equals + 1)));
    }

    bool SectionLine(int line, std::string_view text) {
        if (text.back() != ']' || text.size() < 2) {
            return Complain(line, Quote(text) + " is not a section, a setting or a comment");
        }
        const std::string_view name = Trim(text.substr(1, text.size() - 2));
        const auto found = std::find_if(kSections.begin(), kSections.end(),
                                        [&](std::string_view known) { return win::SameName(known, name); });
        if (found == kSections.end()) return Complain(line, "unknown section " + Quote(text));
        section_ = *found;
        return true;
    }

    bool SettingLine(int line, std::string_view key, std::string_view value) {
        if (section_.empty()) return Complain(line, Quote(key) + " comes before any section");
        const auto entry = std::find_if(kKeys.begin(), kKeys.end(), [&](const KeyEntry& known) {
            return known.section == section_ && win::SameName(known.key, key);
        });
        if (entry == kKeys.end()) {
            return Complain(line, "unknown key " + Quote(key) + " in [" + std::string(section_) + "]");
        }
        const std::optional<Colour> colour = ParseColour(value);
        if (!colour) return Complain(line, Quote(value) + " is not a colour");
        const auto index = static_cast<std::size_t>(entry - kKeys.begin());
        if (firstLine_[index] != 0) {
            return Complain(line, Quote(key) + " is given twice in [" + std::string(section_) + "], first on line " +
                                      std::to_string(firstLine_[index]));
        }
        firstLine_[index] = line;
        colours_.*(entry->colour) = colour;
        return true;
    }

    bool Complain(int line, const std::string& description) {
        result_ = Fail(line, description);
        return false;
    }

    static ParseResult Fail(int line, const std::string& description) {
        ParseResult result;
        result.errorLine = line;
        result.error = "Skin file line " + std::to_string(line) + ": " + description;
        return result;
    }

    ParseResult result_;
    SkinColours colours_;
    std::string_view section_;
    std::array<int, kKeys.size()> firstLine_{};
};

}  // namespace

std::optional<Colour> ParseColour(std::string_view text) {
    text = Trim(text);
    if (!text.empty() && text.front() == '#') {
        if (text.size() != 7) return std::nullopt;
        std::array<std::uint8_t, 3> parts{};
        for (std::size_t i = 0; i < 3; ++i) {
            const int high = HexDigit(text[1 + 2 * i]);
            const int low = HexDigit(text[2 + 2 * i]);
            if (high < 0 || low < 0) return std::nullopt;
            parts[i] = static_cast<std::uint8_t>(high * 16 + low);
        }
        return Colour{parts[0], parts[1], parts[2]};
    }
    const std::size_t first = text.find(',');
    if (first == std::string_view::npos) return std::nullopt;
    const std::size_t second = text.find(',', first + 1);
    if (second == std::string_view::npos || text.find(',', second + 1) != std::string_view::npos) return std::nullopt;
    const auto red = ParseComponent(text.substr(0, first));
    const auto green = ParseComponent(text.substr(first + 1, second - first - 1));
    const auto blue = ParseComponent(text.substr(second + 1));
    if (!red || !green || !blue) return std::nullopt;
    return Colour{*red, *green, *blue};
}

ParseResult ParseSkinFile(std::string_view bytes) { return Parser().Run(bytes); }

}  // namespace skin
