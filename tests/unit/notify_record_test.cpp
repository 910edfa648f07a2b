// Byte tables of the notification-area records: every field of every call, and the text-field rule with the
// conversion of each text to the system's ANSI code page.
#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "tray/logic/notify_record.h"

namespace {

using tray::AnsiConverter;
using tray::NotifyCall;
using tray::NotifyMessage;
using tray::NotifyRecords;
namespace field = tray::field;

constexpr std::uint32_t kWindow = 0x00A1B2C4;

// Two code pages as the platform converts into them, for the characters the tables use: ASCII as it is, "?" for a
// character the code page lacks.
struct Mapping {
    wchar_t character;
    const char* bytes;
};
std::string Convert(std::wstring_view character, std::initializer_list<Mapping> codePage) {
    if (character.size() == 1 && character[0] < 0x80) return std::string(1, static_cast<char>(character[0]));
    for (const Mapping& m : codePage) {
        if (character.size() == 1 && character[0] == m.character) return m.bytes;
    }
    return "?";
}
// 1252, Western: one byte per character.
const AnsiConverter kWestern = [](std::wstring_view c) {
    return Convert(c, {{L'\u00e9', "\xe9"}, {L'\u00f6', "\xf6"}, {L'\u00fc', "\xfc"}, {L'\u00dc', "\xdc"},
                       {L'\u00df', "\xdf"}, {L'\u20ac', "\x80"}});
};
// 932, Japanese (Shift-JIS): two bytes for a kanji, one for a half-width katakana.
const AnsiConverter kJapanese = [](std::wstring_view c) {
    return Convert(c, {{L'\u65e5', "\x93\xfa"}, {L'\u672c', "\x96\x7b"}, {L'\u8a9e', "\x8c\xea"}, {L'\uff71', "\xb1"}});
};

NotifyRecords Records(const AnsiConverter& codePage) {
    return NotifyRecords(static_cast<win::WindowId>(kWindow), 0, codePage);
}

std::uint32_t U32(const tray::NotifyRecord& r, std::size_t offset) {
    return static_cast<std::uint32_t>(r[offset]) | static_cast<std::uint32_t>(r[offset + 1]) << 8 |
           static_cast<std::uint32_t>(r[offset + 2]) << 16 | static_cast<std::uint32_t>(r[offset + 3]) << 24;
}

std::string Bytes(const tray::NotifyRecord& r, std::size_t offset, std::size_t width) {
    return std::string(reinterpret_cast<const char*>(r.data()) + offset, width);
}

// A text field as the rule makes it: the kept bytes, a NUL, spaces to the end.
std::string TextField(const std::string& kept, std::size_t width) {
    return kept + '\0' + std::string(width - kept.size() - 1, ' ');
}

std::string Zeros(std::size_t width) { return std::string(width, '\0'); }

// Every byte of a record, described field by field.
struct Expected {
    NotifyMessage message;
    std::uint32_t flags;
    std::uint32_t callback = 0;
    std::uint32_t icon = 0;
    std::string tip = Zeros(field::kTipWidth);
    std::string info = Zeros(field::kInfoWidth);
    std::uint32_t timeout = 0;
    std::string title = Zeros(field::kInfoTitleWidth);
};

void ExpectRecord(const NotifyCall& call, const Expected& want, const std::string& name) {
    SCOPED_TRACE(name);
    const tray::NotifyRecord& r = call.record;
    EXPECT_EQ(call.message, want.message);
    EXPECT_EQ(U32(r, field::kCbSize), 488u);
    EXPECT_EQ(U32(r, field::kWindow), kWindow);
    EXPECT_EQ(U32(r, field::kId), 0u);
    EXPECT_EQ(U32(r, field::kFlags), want.flags);
    EXPECT_EQ(U32(r, field::kCallbackMessage), want.callback);
    EXPECT_EQ(U32(r, field::kIcon), want.icon);
    EXPECT_EQ(Bytes(r, field::kTip, field::kTipWidth), want.tip);
    EXPECT_EQ(U32(r, field::kState), 0u);
    EXPECT_EQ(U32(r, field::kStateMask), 0u);
    EXPECT_EQ(Bytes(r, field::kInfo, field::kInfoWidth), want.info);
    EXPECT_EQ(U32(r, field::kTimeout), want.timeout);
    EXPECT_EQ(Bytes(r, field::kInfoTitle, field::kInfoTitleWidth), want.title);
    EXPECT_EQ(U32(r, field::kInfoFlags), 0u);
    EXPECT_EQ(tray::ShowsBalloon(call), (want.flags & tray::kNifInfo) != 0) << "dropped at the program's end or not";
}

TEST(NotifyRecords, EveryCallFillsOnlyItsFields) {
    const NotifyRecords records = Records(kWestern);
    const std::wstring tip = L"Pelmorath Software";
    const std::wstring balloon = L"has been minimized to the system tray.\r\nClick here.";
    const std::string tipBytes = "Pelmorath Software";
    const std::string balloonBytes = "has been minimized to the system tray.\r\nClick here.";
    struct Case {
        const char* name;
        NotifyCall call;
        Expected want;
    } const cases[] = {
        {"add, no tip, no icon", records.Add(L"", std::nullopt), {NotifyMessage::Add, 1, 1125}},
        {"add, icon only", records.Add(L"", 0x1234), {NotifyMessage::Add, 3, 1125, 0x1234}},
        {"add, tip only", records.Add(tip, std::nullopt),
         {NotifyMessage::Add, 5, 1125, 0, TextField(tipBytes, field::kTipWidth)}},
        {"add, tip and icon", records.Add(tip, 0x1234),
         {NotifyMessage::Add, 7, 1125, 0x1234, TextField(tipBytes, field::kTipWidth)}},
        {"add, icon handle 0 is still an icon", records.Add(L"", 0), {NotifyMessage::Add, 3, 1125}},
        {"icon change", records.IconChange(0xBEEF), {NotifyMessage::Modify, 2, 0, 0xBEEF}},
        {"tip change", records.TipChange(tip),
         {NotifyMessage::Modify, 4, 0, 0, TextField(tipBytes, field::kTipWidth)}},
        {"tip change to empty", records.TipChange(L""),
         {NotifyMessage::Modify, 4, 0, 0, TextField("", field::kTipWidth)}},
        {"balloon", records.BalloonShow(tip, balloon, 5000),
         {NotifyMessage::Modify, 0x10, 0, 0, Zeros(field::kTipWidth), TextField(balloonBytes, field::kInfoWidth), 5000,
          TextField(tipBytes, field::kInfoTitleWidth)}},
        {"balloon without timer", records.BalloonShow(tip, balloon, 0),
         {NotifyMessage::Modify, 0x10, 0, 0, Zeros(field::kTipWidth), TextField(balloonBytes, field::kInfoWidth), 0,
          TextField(tipBytes, field::kInfoTitleWidth)}},
        {"balloon close", records.BalloonClose(5000),
         {NotifyMessage::Modify, 0x10, 0, 0, Zeros(field::kTipWidth), TextField("", field::kInfoWidth), 5000,
          TextField("", field::kInfoTitleWidth)}},
        {"delete", records.Delete(), {NotifyMessage::Delete, 0}},
    };
    for (const Case& c : cases) ExpectRecord(c.call, c.want, c.name);
}

TEST(TextField, ConvertsToTheCodePageAndCutsToWidthMinusOneNeverThroughACharacter) {
    std::wstring letters200;
    for (int i = 0; i < 200; ++i) letters200 += static_cast<wchar_t>(L'A' + i % 26);
    const std::string letterBytes(letters200.begin(), letters200.end());
    std::wstring kanji64;  // 64 two-byte characters, 128 bytes in code page 932
    std::string kanjiBytes;
    for (int i = 0; i < 32; ++i) {
        kanji64 += L"\u65e5\u672c";
        kanjiBytes += "\x93\xfa\x96\x7b";
    }
    const std::wstring accents128(128, L'\u00e9');
    const std::wstring smiley{static_cast<wchar_t>(0xD83D), static_cast<wchar_t>(0xDE00)};  // one character, a pair
    struct Case {
        const char* name;
        std::wstring text;
        std::size_t width;
        const AnsiConverter& codePage;
        std::string kept;
    } const cases[] = {
        {"empty", L"", 128, kWestern, ""},
        {"short", L"Pelmorath Software", 128, kWestern, "Pelmorath Software"},
        {"exactly width - 1", letters200.substr(0, 127), 128, kWestern, letterBytes.substr(0, 127)},
        {"200 characters keep their first 127", letters200, 128, kWestern, letterBytes.substr(0, 127)},
        {"title cut to 63", letters200, 64, kWestern, letterBytes.substr(0, 63)},
        {"Western letters in their code page's bytes", L"Gr\u00f6\u00dfe \u00e9t\u00e9 \u20ac", 128, kWestern,
         "Gr\xf6\xdf" "e \xe9t\xe9 \x80"},
        {"one byte a character in a single-byte code page: cut anywhere", accents128, 128, kWestern,
         std::string(127, '\xe9')},
        {"two-byte characters in a double-byte code page", L"\u65e5\u672c\u8a9e", 128, kJapanese,
         "\x93\xfa\x96\x7b\x8c\xea"},
        {"a two-byte character that would straddle the cut is left out", kanji64, 128, kJapanese,
         kanjiBytes.substr(0, 126)},
        {"after an odd number of single bytes the cut fits", L"A" + kanji64, 128, kJapanese,
         "A" + kanjiBytes.substr(0, 126)},
        {"a one-byte katakana fits the last byte", L"AB\uff71", 4, kJapanese, "AB\xb1"},
        {"a character the code page lacks is its stand-in", L"\u65e5 \u00e9", 128, kWestern, "? \xe9"},
        {"a surrogate pair is one character", smiley + L"!", 128, kWestern, "?!"},
        {"a lone half of a pair is a character of its own", smiley.substr(0, 1) + L"A", 128, kWestern, "?A"},
    };
    for (const Case& c : cases) {
        std::vector<std::uint8_t> buffer(c.width, 0xEE);
        tray::FillTextField(buffer, c.text, c.codePage);
        EXPECT_EQ(std::string(buffer.begin(), buffer.end()), TextField(c.kept, c.width)) << c.name;
    }
}

// The texts reach the shell's record in the system's code page, whichever it is.
TEST(NotifyRecords, NonAsciiTipAndBalloonInTheCodePagesBytes) {
    const std::wstring kanji = L"\u65e5\u672c\u8a9e";
    std::wstring longBalloon;  // 128 two-byte characters, 256 bytes: the last does not fit before the NUL
    std::string keptBytes;     // the first 127 of them
    for (int i = 0; i < 128; ++i) longBalloon += L'\u8a9e';
    for (int i = 0; i < 127; ++i) keptBytes += "\x8c\xea";
    struct Case {
        const char* name;
        NotifyCall call;
        Expected want;
    } const cases[] = {
        {"Western tip", Records(kWestern).Add(L"Pelmorath f\u00fcr B\u00fcros", std::nullopt),
         {NotifyMessage::Add, 5, 1125, 0, TextField("Pelmorath f\xfcr B\xfcros", field::kTipWidth)}},
        {"Japanese tip change", Records(kJapanese).TipChange(kanji),
         {NotifyMessage::Modify, 4, 0, 0, TextField("\x93\xfa\x96\x7b\x8c\xea", field::kTipWidth)}},
        {"Japanese balloon, its text cut before the character that would not fit",
         Records(kJapanese).BalloonShow(kanji, longBalloon, 5000),
         {NotifyMessage::Modify, 0x10, 0, 0, Zeros(field::kTipWidth), TextField(keptBytes, field::kInfoWidth), 5000,
          TextField("\x93\xfa\x96\x7b\x8c\xea", field::kInfoTitleWidth)}},
        {"Western balloon", Records(kWestern).BalloonShow(L"\u00dcbersicht", L"10 \u20ac", 0),
         {NotifyMessage::Modify, 0x10, 0, 0, Zeros(field::kTipWidth), TextField("10 \x80", field::kInfoWidth), 0,
          TextField("\xdc" "bersicht", field::kInfoTitleWidth)}},
    };
    for (const Case& c : cases) ExpectRecord(c.call, c.want, c.name);
}

TEST(NotifyRecords, TwoHundredCharacterTipInTheAddCall) {
    const std::wstring tip(200, L'x');
    const tray::NotifyRecord r = Records(kWestern).Add(tip, 7).record;
    EXPECT_EQ(Bytes(r, field::kTip, field::kTipWidth), std::string(127, 'x') + '\0');
    EXPECT_EQ(r[field::kState], 0) << "nothing spills past the tip field";
}

}  // namespace
