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

}  // namespace

void FillTextField(std::span<std::uint8_t> field, std::string_view ansiText, const LeadByteTest& isLeadByte) {
    if (field.empty()) return;
    const std::size_t limit = field.size() - 1;
    std::size_t length = 0;
    // Walk character by character so that a cut never leaves half a two-byte character before the NUL.
    while (length < ansiText.size()) {
        const bool pair = isLeadByte && isLeadByte(static_cast<unsigned char>(ansiText[length])) &&
                          length + 1 < ansiText.size();
        const std::size_t next = length + (pair ? 2 : 1);
        if (next > limit) break;
        length = next;
    }
    std::copy_n(reinterpret_cast<const std::uint8_t*>(ansiText.data()), length, field.begin());
    field[length] = 0;
    std::fill(field.begin() + static_cast<std::ptrdiff_t>(length) + 1, field.end(), std::uint8_t{' '});
}

NotifyCall NotifyRecords::Start(NotifyMessage message, std::uint32_t flags) const {
    NotifyCall call;
    call.message = message;
    PutU32(call.record, field::kCbSize, static_cast<std::uint32_t>(kNotifyRecordSize));
    PutU32(call.record, field::kWindow, window_);
    PutU32(call.record, field::kId, id_);
    PutU32(call.record, field::kFlags, flags);
    return call;
}

NotifyCall NotifyRecords::Add(std::string_view tip, std::optional<std::uint32_t> icon) const {
    const std::uint32_t flags = kNifMessage | (icon ? kNifIcon : 0) | (tip.empty() ? 0 : kNifTip);
    NotifyCall call = Start(NotifyMessage::Add, flags);
    if (icon) PutU32(call.record, field::kIcon, *icon);
    if (!tip.empty()) FillTextField(Field(call.record, field::kTip, field::kTipWidth), tip, isLeadByte_);
    PutU32(call.record, field::kCallbackMessage, kTrayCallbackMessage);
    return call;
}

NotifyCall NotifyRecords::IconChange(std::uint32_t icon) const {
    NotifyCall call = Start(NotifyMessage::Modify, kNifIcon);
    PutU32(call.record, field::kIcon, icon);
    return call;
}

NotifyCall NotifyRecords::TipChange(std::string_view tip) const {
    NotifyCall call = Start(NotifyMessage::Modify, kNifTip);
    FillTextField(Field(call.record, field::kTip, field::kTipWidth), tip, isLeadByte_);
    return call;
}

NotifyCall NotifyRecords::BalloonShow(std::string_view title, std::string_view text, std::uint32_t timeoutMs) const {
    NotifyCall call = Start(NotifyMessage::Modify, kNifInfo);
    FillTextField(Field(call.record, field::kInfoTitle, field::kInfoTitleWidth), title, isLeadByte_);
    FillTextField(Field(call.record, field::kInfo, field::kInfoWidth), text, isLeadByte_);
    PutU32(call.record, field::kTimeout, timeoutMs);
    return call;
}

NotifyCall NotifyRecords::BalloonClose(std::uint32_t timeoutMs) const { return BalloonShow({}, {}, timeoutMs); }

NotifyCall NotifyRecords::Delete() const { return Start(NotifyMessage::Delete, 0); }

}  // namespace tray
