// Byte tables of the notification-area records: every field of every call, and the text-field rule.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tray/logic/notify_record.h"

namespace {

using tray::NotifyCall;
using tray::NotifyMessage;
using tray::NotifyRecords;
namespace field = tray::field;

constexpr std::uint32_t kWindow = 0x00A1B2C4;

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
}

TEST(NotifyRecords, EveryCallFillsOnlyItsFields) {
    const NotifyRecords records(kWindow, 0, {});
    const std::string tip = "Pelmorath Software";
    const std::string balloon = "has been minimized to the system tray.\r\nClick here.";
    struct Case {
        const char* name;
        NotifyCall call;
        Expected want;
    } const cases[] = {
        {"add, no tip, no icon", records.Add("", std::nullopt), {NotifyMessage::Add, 1, 1125}},
        {"add, icon only", records.Add("", 0x1234), {NotifyMessage::Add, 3, 1125, 0x1234}},
        {"add, tip only", records.Add(tip, std::nullopt),
         {NotifyMessage::Add, 5, 1125, 0, TextField(tip, field::kTipWidth)}},
        {"add, tip and icon", records.Add(tip, 0x1234),
         {NotifyMessage::Add, 7, 1125, 0x1234, TextField(tip, field::kTipWidth)}},
        {"add, icon handle 0 is still an icon", records.Add("", 0), {NotifyMessage::Add, 3, 1125}},
        {"icon change", records.IconChange(0xBEEF), {NotifyMessage::Modify, 2, 0, 0xBEEF}},
        {"tip change", records.TipChange(tip), {NotifyMessage::Modify, 4, 0, 0, TextField(tip, field::kTipWidth)}},
        {"tip change to empty", records.TipChange(""), {NotifyMessage::Modify, 4, 0, 0, TextField("", field::kTipWidth)}},
        {"balloon", records.BalloonShow(tip, balloon, 5000),
         {NotifyMessage::Modify, 0x10, 0, 0, Zeros(field::kTipWidth), TextField(balloon, field::kInfoWidth), 5000,
          TextField(tip, field::kInfoTitleWidth)}},
        {"balloon without timer", records.BalloonShow(tip, balloon, 0),
         {NotifyMessage::Modify, 0x10, 0, 0, Zeros(field::kTipWidth), TextField(balloon, field::kInfoWidth), 0,
          TextField(tip, field::kInfoTitleWidth)}},
        {"balloon close", records.BalloonClose(5000),
         {NotifyMessage::Modify, 0x10, 0, 0, Zeros(field::kTipWidth), TextField("", field::kInfoWidth), 5000,
          TextField("", field::kInfoTitleWidth)}},
        {"delete", records.Delete(), {NotifyMessage::Delete, 0}},
    };
    for (const Case& c : cases) ExpectRecord(c.call, c.want, c.name);
}

// A double-byte code page in the manner of Shift-JIS: 0x81-0x9F and 0xE0-0xFC open a two-byte character.
bool ShiftJisLead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

TEST(TextField, CutsToWidthMinusOneNeverThroughACharacter) {
    const std::string letters200 = [] {
        std::string s;
        for (int i = 0; i < 200; ++i) s += static_cast<char>('A' + i % 26);
        return s;
    }();
    const std::string kanji = "\x93\xfa\x96\x7b";  // two two-byte characters
    std::string kanji64;  // 64 two-byte characters, 128 bytes
    for (int i = 0; i < 32; ++i) kanji64 += kanji;
    struct Case {
        const char* name;
        std::string text;
        std::size_t width;
        bool doubleByte;
        std::string kept;
    } const cases[] = {
        {"empty", "", 128, false, ""},
        {"short", "Pelmorath Software", 128, false, "Pelmorath Software"},
        {"exactly width - 1", letters200.substr(0, 127), 128, false, letters200.substr(0, 127)},
        {"200 characters keep their first 127", letters200, 128, false, letters200.substr(0, 127)},
        {"title cut to 63", letters200, 64, false, letters200.substr(0, 63)},
        {"Western bytes above 0x7F copied as they are", "Gr\xf6\xdf" "e \xe9t\xe9", 128, false,
         "Gr\xf6\xdf" "e \xe9t\xe9"},
        {"the same bytes in a single-byte code page are cut anywhere", kanji64, 128, false, kanji64.substr(0, 127)},
        {"a two-byte character that would straddle the cut is left out", kanji64, 128, true, kanji64.substr(0, 126)},
        {"after an odd number of single bytes the cut fits", "A" + kanji64, 128, true, ("A" + kanji64).substr(0, 127)},
        {"a lead byte at the very end counts as one byte", std::string("AB\x93"), 4, true, "AB\x93"},
    };
    for (const Case& c : cases) {
        std::vector<std::uint8_t> buffer(c.width, 0xEE);
        tray::FillTextField(buffer, c.text, c.doubleByte ? tray::LeadByteTest(ShiftJisLead) : tray::LeadByteTest{});
        EXPECT_EQ(std::string(buffer.begin(), buffer.end()), TextField(c.kept, c.width)) << c.name;
    }
}

TEST(NotifyRecords, TwoHundredCharacterTipInTheAddCall) {
    const std::string tip(200, 'x');
    const tray::NotifyRecord r = NotifyRecords(kWindow, 0, {}).Add(tip, 7).record;
    EXPECT_EQ(Bytes(r, field::kTip, field::kTipWidth), std::string(127, 'x') + '\0');
    EXPECT_EQ(r[field::kState], 0) << "nothing spills past the tip field";
}

}  // namespace
