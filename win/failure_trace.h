// The trace a caught failure leaves: one line for a debugger or DebugView, naming the place and the failure.
#pragma once

#include <new>
#include <string_view>
#include <utility>

#include "win/logic/handler_failure.h"

namespace win {

inline constexpr std::wstring_view kOutOfMemory = L"out of memory";

// Writes "Pelmorath: <place>: <failure>" as one line with OutputDebugStringW. Allocates nothing, so it works when
// memory has run out; a longer line is cut. Nothing is shown to the user.
void TraceFailure(std::wstring_view place, std::wstring_view failure) noexcept;

// The same for a failed line of a trapped handler, placed as its report places it: "<procedure>at line <line>".
void TraceFailure(std::wstring_view procedure, int line, std::wstring_view failure) noexcept;

// Only inside a catch block, at an edge where code of others may fail in any way (a host's event handler): names the
// failure being handled, a HandlerFailure by its description, out of memory as such, anything else by its kind.
void TraceCaughtFailure(std::wstring_view place) noexcept;

// Runs action at an edge that gives up the rest of it on a failure: a HandlerFailure or out of memory is traced under
// place, and the caller goes on. Nothing else is caught: only an edge that calls a host's code expects more.
template <class Action>
void RunTracingFailure(std::wstring_view place, Action&& action) noexcept {
    try {
        std::forward<Action>(action)();
    } catch (const HandlerFailure& failure) {
        TraceFailure(place, failure.Description());
    } catch (const std::bad_alloc&) {
        TraceFailure(place, kOutOfMemory);
    }
}

}  // namespace win
