// Typed owners for the Windows handles the program creates, each kind with its close function and invalid value, and
// the window id that stands for a handle where Windows headers are not seen.
#pragma once

#include <windows.h>

#include "win/logic/unique_handle.h"
#include "win/logic/window_id.h"

namespace win {

// The kinds whose creating calls return null on failure.
template <class H>
struct NullIsInvalid {
    using Handle = H;
    static H Invalid() noexcept { return nullptr; }
};
// The kinds whose creating calls return INVALID_HANDLE_VALUE on failure, for which null is no failure value.
struct InvalidHandleValueIsInvalid {
    using Handle = HANDLE;
    static HANDLE Invalid() noexcept { return INVALID_HANDLE_VALUE; }
};

struct FontTraits : NullIsInvalid<HFONT> {
    static void Close(HFONT font) noexcept { DeleteObject(font); }
};
struct BrushTraits : NullIsInvalid<HBRUSH> {
    static void Close(HBRUSH brush) noexcept { DeleteObject(brush); }
};
struct IconTraits : NullIsInvalid<HICON> {
    static void Close(HICON icon) noexcept { DestroyIcon(icon); }
};
struct CursorTraits : NullIsInvalid<HCURSOR> {
    static void Close(HCURSOR cursor) noexcept { DestroyCursor(cursor); }
};
struct RegistryKeyTraits : NullIsInvalid<HKEY> {
    static void Close(HKEY key) noexcept { RegCloseKey(key); }
};
struct HookTraits : NullIsInvalid<HHOOK> {
    static void Close(HHOOK hook) noexcept { UnhookWindowsHookEx(hook); }
};
struct WinEventHookTraits : NullIsInvalid<HWINEVENTHOOK> {
    static void Close(HWINEVENTHOOK hook) noexcept { UnhookWinEvent(hook); }
};
struct WindowTraits : NullIsInvalid<HWND> {
    static void Close(HWND window) noexcept { DestroyWindow(window); }
};
struct LibraryTraits : NullIsInvalid<HMODULE> {
    static void Close(HMODULE library) noexcept { FreeLibrary(library); }
};
struct KernelHandleTraits : NullIsInvalid<HANDLE> {
    static void Close(HANDLE handle) noexcept { CloseHandle(handle); }
};
struct FileTraits : InvalidHandleValueIsInvalid {
    static void Close(HANDLE file) noexcept { CloseHandle(file); }
};
struct FindTraits : InvalidHandleValueIsInvalid {
    static void Close(HANDLE search) noexcept { FindClose(search); }
};

using FontHandle = UniqueHandle<FontTraits>;
using BrushHandle = UniqueHandle<BrushTraits>;
using IconHandle = UniqueHandle<IconTraits>;
using CursorHandle = UniqueHandle<CursorTraits>;
using RegistryKey = UniqueHandle<RegistryKeyTraits>;
using HookHandle = UniqueHandle<HookTraits>;
using WinEventHookHandle = UniqueHandle<WinEventHookTraits>;
// A window destroyed with its owner. When the window goes first (its parent's destruction takes it along), the
// owner must be told with release() on WM_NCDESTROY.
using OwnedWindow = UniqueHandle<WindowTraits>;
// A DLL loaded at run time (LoadLibraryW).
using LibraryHandle = UniqueHandle<LibraryTraits>;
// Kernel objects whose creating calls fail with null: mutexes, processes, threads, access tokens.
using KernelHandle = UniqueHandle<KernelHandleTraits>;
// An open file (CreateFileW), which fails with INVALID_HANDLE_VALUE.
using FileHandle = UniqueHandle<FileTraits>;
// A directory search (FindFirstFileW), which fails with INVALID_HANDLE_VALUE.
using FindHandle = UniqueHandle<FindTraits>;

// A window handed across an interface free of Windows, and back.
inline WindowId IdOf(HWND window) noexcept { return static_cast<WindowId>(reinterpret_cast<std::uintptr_t>(window)); }
inline HWND HandleOf(WindowId window) noexcept { return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(window)); }

}  // namespace win
