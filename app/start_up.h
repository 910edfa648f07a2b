// The main window's load handler: the start-up steps in their fixed order, each with its line number.
#pragma once

#include <string>
#include <string_view>

#include "app/error_trap.h"

namespace app {

inline constexpr std::string_view kLoadProcedure = "in Pelmorath2021/08/31.Form1.Form_Load ";
inline constexpr std::wstring_view kPointerFileName = L"\\HAND-M.CUR";

// What start-up does to the window and the system. Any call may throw StepFailure.
class StartUpHost {
public:
    // Recolours the window and skins it when the skin file is present.
    virtual void ApplySkin() = 0;
    // The executable's folder, without a trailing separator; Unicode, as folder names may be in any script.
    virtual std::wstring ExecutableFolder() = 0;
    // True for any existing file or folder; never fails.
    virtual bool FileExists(const std::wstring& path) = 0;
    virtual void LoadPointerImage(const std::wstring& path) = 0;
    virtual void HomePageDraw() = 0;
    virtual void SetTrayTip(std::string_view tip) = 0;
    virtual void SetWindowIcon() = 0;
    // True puts the icon into the notification area, where it stays while the window is shown.
    virtual void SetInTray(bool inTray) = 0;
    virtual void SetCaption(std::string_view caption) = 0;
    virtual void SetAppTitle() = 0;

protected:
    ~StartUpHost() = default;
};

// Runs before the window is first shown. A failing step is reported and start-up goes on.
void Form_Load(StartUpHost& host, const ReportSink& report) noexcept;

// The load handler's last step, whose work nobody can see (the application title's hidden window): run from the
// window's own queue right after the first show, so that the window shows sooner, and reported as the load
// handler's.
void Form_LoadAfterShow(StartUpHost& host, const ReportSink& report) noexcept;

}  // namespace app
