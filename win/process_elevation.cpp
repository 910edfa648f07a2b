// Reading elevation and integrity level from a process's access token.
#include "win/process_elevation.h"

#include <windows.h>

#include "win/win_handles.h"

namespace win {
namespace {

std::optional<std::uint32_t> IntegrityLevelOf(HANDLE token) noexcept {
    // The label is a SID that follows the structure in the same buffer.
    alignas(TOKEN_MANDATORY_LABEL) unsigned char buffer[sizeof(TOKEN_MANDATORY_LABEL) + SECURITY_MAX_SID_SIZE];
    DWORD size = 0;
    if (!GetTokenInformation(token, TokenIntegrityLevel, buffer, sizeof buffer, &size)) return std::nullopt;
    const PSID sid = reinterpret_cast<const TOKEN_MANDATORY_LABEL*>(buffer)->Label.Sid;
    if (!IsValidSid(sid) || *GetSidSubAuthorityCount(sid) == 0) return std::nullopt;
    return *GetSidSubAuthority(sid, *GetSidSubAuthorityCount(sid) - 1u);
}

std::optional<ProcessElevation> ElevationOf(HANDLE process) noexcept {
    KernelHandle token;
    if (!OpenProcessToken(process, TOKEN_QUERY, token.put())) return std::nullopt;
    TOKEN_ELEVATION elevation{};
    DWORD size = 0;
    if (!GetTokenInformation(token.get(), TokenElevation, &elevation, sizeof elevation, &size)) return std::nullopt;
    return ProcessElevation{elevation.TokenIsElevated != 0, IntegrityLevelOf(token.get())};
}

}  // namespace

std::optional<ProcessElevation> OwnElevation() noexcept { return ElevationOf(GetCurrentProcess()); }

std::optional<ProcessElevation> ElevationOfProcess(std::uint32_t processId) noexcept {
    // The limited right is the one granted on the processes of other accounts and of higher integrity levels.
    const KernelHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!process) return std::nullopt;
    return ElevationOf(process.get());
}

}  // namespace win
