// The 488-byte record of every notification-area call, built byte by byte without Windows headers.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>

#include "win/logic/program_messages.h"
#include "win/logic/window_id.h"

namespace tray {

// The ANSI layout of shell version 5 with the balloon fields, as a 32-bit program hands it over.
inline constexpr std::size_t kNotifyRecordSize = 488;
using NotifyRecord = std::array<std::uint8_t, kNotifyRecordSize>;

// TrayCallbackMessage, the message the shell is asked to send for the icon.
inline constexpr std::uint32_t kTrayCallbackMessage = win::message::kTrayCallback;

enum class NotifyMessage : std::uint32_t { Add = 0, Modify = 1, Delete = 2 };

inline constexpr std::uint32_t kNifMessage = 0x01;
inline constexpr std::uint32_t kNifIcon = 0x02;
inline constexpr std::uint32_t kNifTip = 0x04;
inline constexpr std::uint32_t kNifInfo = 0x10;

// Where each field sits, and how wide the text fields are.
namespace field {
inline constexpr std::size_t kCbSize = 0;
inline constexpr std::size_t kWindow = 4;
inline constexpr std::size_t kId = 8;
inline constexpr std::size_t kFlags = 12;
inline constexpr std::size_t kCallbackMessage = 16;
inline constexpr std::size_t kIcon = 20;
inline constexpr std::size_t kTip = 24;
inline constexpr std::size_t kTipWidth = 128;
inline constexpr std::size_t kState = 152;
inline constexpr std::size_t kStateMask = 156;
inline constexpr std::size_t kInfo = 160;
inline constexpr std::size_t kInfoWidth = 256;
inline constexpr std::size_t kTimeout = 416;
inline constexpr std::size_t kInfoTitle = 420;
inline constexpr std::size_t kInfoTitleWidth = 64;
inline constexpr std::size_t kInfoFlags = 484;
}  // namespace field

// The bytes of one character in the system's ANSI code page. A character is one UTF-16 unit, or a surrogate pair; what
// the code page lacks comes back as the code page's stand-in ("?").
using AnsiConverter = std::function<std::string(std::wstring_view character)>;

// Fills a text field from a text, the one place where a text becomes ANSI: converted character by character, as many
// whole characters as fit in width - 1 bytes (never a part of a two-byte character), one NUL, then spaces to the end
// of the field.
void FillTextField(std::span<std::uint8_t> field, std::wstring_view text, const AnsiConverter& toAnsi);

struct NotifyCall {
    NotifyMessage message = NotifyMessage::Add;
    NotifyRecord record{};
};

// Whether the call shows or closes a balloon (NIF_INFO): one the program may drop when it ends, as nobody would see it.
bool ShowsBalloon(const NotifyCall& call);

// The calls for one icon, identified to the shell by its window and identifier.
class NotifyRecords {
public:
    // The record holds the window's handle in 32 bits, as a 32-bit program hands it over.
    NotifyRecords(win::WindowId window, std::uint32_t id, AnsiConverter toAnsi)
        : window_(window), id_(id), toAnsi_(std::move(toAnsi)) {}

    // Flags 1, plus 2 with an icon, plus 4 with a non-empty tip.
    NotifyCall Add(std::wstring_view tip, std::optional<std::uint32_t> icon) const;
    NotifyCall IconChange(std::uint32_t icon) const;
    // An empty tip gives the empty field (NUL and spaces): it clears the tooltip.
    NotifyCall TipChange(std::wstring_view tip) const;
    NotifyCall BalloonShow(std::wstring_view title, std::wstring_view text, std::uint32_t timeoutMs) const;
    // The show record again with both texts emptied.
    NotifyCall BalloonClose(std::uint32_t timeoutMs) const;
    NotifyCall Delete() const;

private:
    NotifyCall Start(NotifyMessage message, std::uint32_t flags) const;

    win::WindowId window_;
    std::uint32_t id_;
    AnsiConverter toAnsi_;
};

}  // namespace tray
