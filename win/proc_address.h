// A function of a loaded DLL looked up by name, typed as the caller declares it.
#pragma once

#include <windows.h>

namespace win {

// Null when the module lacks the function (an older Windows) or the module is null. GetProcAddress hands back a
// generic pointer; the caller names the true signature.
template <class Function>
Function ProcAddress(HMODULE module, const char* name) noexcept {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace win
