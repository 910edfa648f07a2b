// Unit tests of the skin file parser: usable files and their colours, and every fault with its line.
#include <gtest/gtest.h>

#include <string>

#include "skin/logic/skin_file.h"

namespace {

using skin::Colour;
using skin::ParseSkinFile;
using skin::SkinColours;

SkinColours WindowOnly(Colour c) {
    SkinColours colours;
    colours.windowBackground = c;
    return colours;
}

TEST(ParseSkinFile, UsableFilesGiveTheirColours) {
    SkinColours full;
    full.windowBackground = Colour{0x1F, 0x24, 0x30};
    full.frameBackground = Colour{0x1F, 0x24, 0x30};
    full.frameText = Colour{0xE6, 0xE6, 0xE6};
    full.fieldBackground = Colour{0x2B, 0x32, 0x40};
    full.fieldText = Colour{0xFF, 0xFF, 0xFF};
    full.buttonFace = Colour{0x3A, 0x7B, 0xD5};
    full.buttonText = Colour{0xFF, 0xFF, 0xFF};
    full.buttonHotFace = Colour{0x4A, 0x8B, 0xE5};
    full.buttonPressedFace = Colour{0x2A, 0x6B, 0xC5};
    const std::string example =
        "; comment\n[Window]\nBackground = #1F2430\n[Frame]\nBackground = #1F2430\nText = #E6E6E6\n[Field]\n"
        "Background = #2B3240\nText = #FFFFFF\n[Button]\nFace = #3A7BD5\nText = #FFFFFF\nHotFace = #4A8BE5\n"
        "PressedFace = #2A6BC5\n";
    SkinColours fieldAndButton;
    fieldAndButton.fieldText = Colour{0, 128, 255};
    fieldAndButton.buttonHotFace = Colour{0xAB, 0xCD, 0xEF};
    SkinColours frameTwice;
    frameTwice.frameBackground = Colour{1, 2, 3};
    frameTwice.frameText = Colour{4, 5, 6};

    const struct {
        const char* name;
        std::string text;
        SkinColours colours;
    } cases[] = {
        {"the documented example", example, full},
        {"byte-order mark and CR LF", "\xEF\xBB\xBF[Window]\r\nBackground = #010203\r\n", WindowOnly({1, 2, 3})},
        {"no line break at the end", "[Window]\nBackground=#010203", WindowOnly({1, 2, 3})},
        {"names in any case, blanks and tabs trimmed", " \t[ wINDOW ]\t\n\tBACKGROUND\t=  #0a0B0c \n",
         WindowOnly({10, 11, 12})},
        {"comments and blank lines anywhere", "# top\n\n  ; indented\n[Window]\n \t \n# between\nBackground = 9,8,7\n",
         WindowOnly({9, 8, 7})},
        {"decimals with and without blanks, hex in lower case",
         "[Field]\nText = 0 ,128,  255\n[Button]\nhotface = #abcdef\n", fieldAndButton},
        {"a section given twice with different keys", "[Frame]\nBackground = 1, 2, 3\n[Window]\n[Frame]\nText = 4,5,6\n",
         frameTwice},
        {"UTF-8 text in comments", "; Fenêtre sombre \xE2\x9C\x93\n[Window]\nBackground = #000000\n", WindowOnly({0, 0, 0})},
        {"mixed line ends", "[Window]\r\n\nBackground = 255, 255, 255\r\n", WindowOnly({255, 255, 255})},
    };
    for (const auto& c : cases) {
        const skin::ParseResult result = ParseSkinFile(c.text);
        ASSERT_TRUE(result.colours.has_value()) << c.name << ": " << result.error;
        EXPECT_EQ(*result.colours, c.colours) << c.name;
        EXPECT_TRUE(result.error.empty()) << c.name;
    }
}

TEST(ParseSkinFile, FaultsNameTheirLine) {
    const struct {
        const char* name;
        std::string text;
        int line;
        std::string error;  // empty: only the line is checked
    } cases[] = {
        {"bad colour", "; c\n[Window]\n\n\n\n\nBackground = #12345\n", 7, "Skin file line 7: \"#12345\" is not a colour"},
        {"unknown section", "\n[Window]\n[Windw]\n", 3, "Skin file line 3: unknown section \"[Windw]\""},
        {"empty section name", "[ ]\n", 1, "Skin file line 1: unknown section \"[ ]\""},
        {"unknown key", "[Window]\nColour = #000000\n", 2, "Skin file line 2: unknown key \"Colour\" in [Window]"},
        {"key of another section", "[Field]\nFace = #000000\n", 2, "Skin file line 2: unknown key \"Face\" in [Field]"},
        {"key before any section", "; c\nBackground = #000000\n[Window]\n", 2,
         "Skin file line 2: \"Background\" comes before any section"},
        {"no equals sign", "[Window]\nBackground #000000\n", 2,
         "Skin file line 2: \"Background #000000\" is not a section, a setting or a comment"},
        {"unclosed section", "[Window\n", 1, "Skin file line 1: \"[Window\" is not a section, a setting or a comment"},
        {"text after a section", "[Window] x\n", 1, ""},
        {"no key name", "[Window]\n = #000000\n", 2, ""},
        {"comment after a value", "[Window]\nBackground = #000000 ; dark\n", 2, ""},
        {"key twice", "[Frame]\nText = #000000\n\nText = #FFFFFF\n", 4,
         "Skin file line 4: \"Text\" is given twice in [Frame], first on line 2"},
        {"key twice across a repeated section", "[Frame]\ntext=1,1,1\n[Window]\n[FRAME]\nTEXT=2,2,2\n", 5, ""},
        {"empty file", "", 1, "Skin file line 1: the file sets no colour"},
        {"only comments", "; a\n; b\n; c\n", 3, "Skin file line 3: the file sets no colour"},
        {"only sections", "[Window]\n[Frame]\n[Field]\n[Button]", 4, ""},
        {"only a byte-order mark", "\xEF\xBB\xBF", 1, ""},
        {"NUL byte", std::string("[Window]\nBack\0ground = #000000\n", 30), 2,
         "Skin file line 2: the file holds a NUL byte"},
        {"NUL even after a bad line", std::string("x\n\n\0", 4), 3, ""},
        {"Latin-1, not UTF-8", "[Window]\n; Fen\xEAtre\nBackground = #000000\n", 2,
         "Skin file line 2: the text is neither ASCII nor UTF-8"},
        {"overlong UTF-8", "[Window]\n;\xC0\xAF\n", 2, ""},
        {"UTF-16 surrogate in UTF-8", "[Window]\n\n;\xED\xA0\x80\n", 3, ""},
        {"cut-off UTF-8 at the end", "[Window]\nBackground = #000000\n;\xE2\x9C", 3, ""},
        {"a lone CR is no line end", "[Window]\rBackground = #000000\n", 1, ""},
    };
    for (const auto& c : cases) {
        const skin::ParseResult result = ParseSkinFile(c.text);
        EXPECT_FALSE(result.colours.has_value()) << c.name;
        EXPECT_EQ(result.errorLine, c.line) << c.name << ": " << result.error;
        EXPECT_EQ(result.error.rfind("Skin file line " + std::to_string(c.line) + ": ", 0), 0u) << c.name;
        if (!c.error.empty()) {
            EXPECT_EQ(result.error, c.error) << c.name;
        }
    }
}

TEST(ParseSkinFile, QuotedTextIsShortAndPlainAscii) {
    const std::string longValue(100, '7');
    const auto longResult = ParseSkinFile("[Window]\nBackground = " + longValue + "\n");
    EXPECT_EQ(longResult.error, "Skin file line 2: \"" + std::string(40, '7') + "...\" is not a colour");
    const auto accented = ParseSkinFile("[Window]\nBackground = gr\xC3\xBCn\tx\n");
    EXPECT_EQ(accented.error, "Skin file line 2: \"gr?n?x\" is not a colour");
}

TEST(ParseSkinFile, SixtyFourKibibytesAtMost) {
    const std::string head = "[Window]\nBackground = #102030\n";
    std::string atLimit = head;
    while (atLimit.size() < skin::kMaxSkinFileBytes) atLimit += ";\n";
    atLimit.resize(skin::kMaxSkinFileBytes - 1);
    atLimit += '\n';
    ASSERT_EQ(atLimit.size(), skin::kMaxSkinFileBytes);
    EXPECT_TRUE(ParseSkinFile(atLimit).colours.has_value());

    // The byte-order mark counts: it is part of the file.
    const std::string withMark = "\xEF\xBB\xBF" + atLimit.substr(0, atLimit.size() - 3);
    ASSERT_EQ(withMark.size(), skin::kMaxSkinFileBytes);
    EXPECT_TRUE(ParseSkinFile(withMark).colours.has_value());
    EXPECT_FALSE(ParseSkinFile(withMark + "\n").colours.has_value());

    const auto over = ParseSkinFile(atLimit + ";");
    EXPECT_FALSE(over.colours.has_value());
    EXPECT_EQ(over.error, "Skin file line " + std::to_string(over.errorLine) + ": the file is larger than 64 KiB");
    // The line in which the first byte beyond the limit would lie.
    EXPECT_EQ(over.errorLine, 2 + static_cast<int>((skin::kMaxSkinFileBytes - head.size()) / 2) + 1);
}

TEST(ParseColour, HexAndDecimalForms) {
    const struct {
        const char* text;
        bool ok;
        Colour colour;
    } cases[] = {
        {"#000000", true, {0, 0, 0}},          {"#FfEe0A", true, {255, 238, 10}},
        {"255,255,255", true, {255, 255, 255}}, {" 1 , 2 , 3 ", true, {1, 2, 3}},
        {"007,010,099", true, {7, 10, 99}},     {"#12345", false, {}},
        {"#1234567", false, {}},                {"#GG0000", false, {}},
        {"# 123456", false, {}},                {"123456", false, {}},
        {"0x123456", false, {}},                {"256,0,0", false, {}},
        {"0255,0,0", false, {}},                {"-1,0,0", false, {}},
        {"+1,0,0", false, {}},                  {"1,2", false, {}},
        {"1,2,3,4", false, {}},                 {"1,,3", false, {}},
        {"1.5,2,3", false, {}},                 {"1 2,3,4", false, {}},
        {"", false, {}},                        {"red", false, {}},
    };
    for (const auto& c : cases) {
        const auto colour = skin::ParseColour(c.text);
        EXPECT_EQ(colour.has_value(), c.ok) << '"' << c.text << '"';
        if (c.ok && colour) {
            EXPECT_EQ(*colour, c.colour) << '"' << c.text << '"';
        }
    }
}

}  // namespace
