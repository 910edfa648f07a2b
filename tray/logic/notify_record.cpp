// Builds the notification-area records: zeroed, then only the fields each call names.
#include "tray/logic/notify_record.h"

#include <algorithm>
#include <utility>

namespace tray {
namespace {

void PutU32(NotifyRecord& record, std::size_t offset, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) record[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::span<std::uint8_t> Field(NotifyRecord& record, std::size_t offset, std::size_t width) {
    return std::span<std::uint8_t>(record).subspan(offset, width);
}

constexpr bool IsHighSurrogate(wchar_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
constexpr bool IsLowSurrogate(wchar_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace

void FillTextField(std::span<std::uint8_t> field, std::wstring_view text, const AnsiConverter& toAnsi) {
    if (field.empty()) return;
    const std::size_t limit = field.size() - 1;
    std::size_t length = 0;
    // Character by character, so that a cut never leaves a part of a two-byte character before the NUL.
    for (std::size_t i = 0; i < text.size();) {
        const bool pair = IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1]);
        const std::size_t units = pair ? 2 : 1;
        const std::string bytes = toAnsi(text.substr(i, units));
        if (length + bytes.size() > limit) break;
        std::copy(bytes.begin(), bytes.end(), field.begin() + static_cast<std::ptrdiff_t>(length));
        length += bytes.size();
        i += units;
    }
    field[length] = 0;
    std::fill(field.begin() + static_cast<std::ptrdiff_t>(length) + 1, field.end(), std::uint8_t{' '});
}

bool ShowsBalloon(const NotifyCall& call) {
    std::uint32_t flags = 0;
    for (std::size_t i = 0; i < 4; ++i) flags |= static_cast<std::uint32_t>(call.record[field::kFlags + i]) << (8 * i);
    return (flags & kNifInfo) != 0;
}

NotifyCall NotifyRecords::Start(NotifyMessage message, std::uint32_t flags) const {
    NotifyCall call;
    call.message = message;
    PutU32(call.record, field::kCbSize, static_cast<std::uint32_t>(kNotifyRecordSize));
    PutU32(call.record, field::kWindow, static_cast<std::uint32_t>(window_));
    PutU32(call.record, field::kId, id_);
    PutU32(call.record, field::kFlags, flags);
    return call;
}

NotifyCall NotifyRecords::Add(std::wstring_view tip, std::optional<std::uint32_t> icon) const {
    const std::uint32_t flags = kNifMessage | (icon ? kNifIcon : 0) | (tip.empty() ? 0 : kNifTip);
    NotifyCall call = Start(NotifyMessage::Add, flags);
    if (icon) PutU32(call.record, field::kIcon, *icon);
    if (!tip.empty()) FillTextField(Field(call.record, field::kTip, field::kTipWidth), tip, toAnsi_);
    PutU32(call.record, field::kCallbackMessage, kTrayCallbackMessage);
    return call;
}

NotifyCall NotifyRecords::IconChange(std::uint32_t icon) const {
    NotifyCall call = Start(NotifyMessage::Modify, kNifIcon);
    PutU32(call.record, field::kIcon, icon);
    return call;
}

NotifyCall NotifyRecords::TipChange(std::wstring_view tip) const {
    NotifyCall call = Start(NotifyMessage::Modify, kNifTip);
    FillTextField(Field(call.record, field::kTip, field::kTipWidth), tip, toAnsi_);
    return call;
}

NotifyCall NotifyRecords::BalloonShow(std::wstring_view title, std::wstring_view text, std::uint32_t timeoutMs) const {
    NotifyCall call = Start(NotifyMessage::Modify, kNifInfo);
    FillTextField(Field(call.record, field::kInfoTitle, field::kInfoTitleWidth), title, toAnsi_);
    FillTextField(Field(call.record, field::kInfo, field::kInfoWidth), text, toAnsi_);
    PutU32(call.record, field::kTimeout, timeoutMs);
    return call;
}

NotifyCall NotifyRecords::BalloonClose(std::uint32_t timeoutMs) const { return BalloonShow({}, {}, timeoutMs); }

NotifyCall NotifyRecords::Delete() const { return Start(NotifyMessage::Delete, 0); }

}  // namespace tray
