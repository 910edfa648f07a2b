// The program's modal boxes.
#include "app/message_boxes.h"

#include <new>
#include <string>

#include "app/logic/product.h"
#include "win/failure_trace.h"
#include "win/message_pump.h"

namespace app {
namespace {

// Every box of ours: a sender is not held while the user reads.
template <class Show>
void ShowModal(Show show) noexcept {
    win::ReplyToSender();
    show();
}

}  // namespace

HWND BoxOwner(HWND window) noexcept { return IsWindowVisible(window) ? window : nullptr; }

void ShowErrorReport(HWND window, std::wstring_view description, std::wstring_view procedure, int line) noexcept {
    win::TraceFailure(procedure, line, description);
    try {
        const std::wstring text = ComposeErrorReport(description, procedure, line);
        const std::wstring title(kErrorReportTitle);
        ShowModal([&] { MessageBoxW(BoxOwner(window), text.c_str(), title.c_str(), MB_OK | MB_ICONEXCLAMATION); });
    } catch (const std::bad_alloc&) {
        // Out of memory while composing the report: the box is lost, the trace above stays.
        win::TraceFailure(L"error report", win::kOutOfMemory);
    }
}

void ShowWarning(HWND window, const wchar_t* text) noexcept {
    try {
        const std::wstring title(kProductDisplayName);
        ShowModal([&] { MessageBoxW(BoxOwner(window), text, title.c_str(), MB_OK | MB_ICONWARNING); });
    } catch (const std::bad_alloc&) {
        // Out of memory for the title: the warning is lost, as a box that cannot be shown.
        win::TraceFailure(L"warning box", win::kOutOfMemory);
    }
}

ReportSink ReportsOf(HWND window) {
    return [window](std::wstring_view description, std::wstring_view procedure, int line) {
        ShowErrorReport(window, description, procedure, line);
    };
}

}  // namespace app
