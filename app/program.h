// The program as a whole rather than its window: its folder, the application title and the home page.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "app/logic/form1_handlers.h"
#include "win/win_handles.h"

namespace app {

inline constexpr const wchar_t* kApplicationWindowClass = L"PelmorathApplication";

class Program final : public ProgramPlatform {
public:
    explicit Program(HINSTANCE instance) noexcept : instance_(instance) {}
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // The executable's folder, without a trailing separator, in any script: asked of the platform once, for both
    // files beside the program.
    const std::wstring& ExecutableFolder() override;
    // True for any existing file or folder; never fails.
    bool FileExists(const std::wstring& path) noexcept override;
    // Rolls 1..100 from a generator reseeded from the time of day; on 7 opens the home page in the user's browser,
    // minimised, without waiting. Throws HandlerFailure when the browser cannot be started.
    void RollForHomePage() override;
    // The title by the title rule, on a hidden window of its own that the first call creates.
    void SetAppTitle() override;

private:
    HINSTANCE instance_;
    std::optional<std::wstring> executableFolder_;
    win::OwnedWindow titleWindow_;
};

}  // namespace app
