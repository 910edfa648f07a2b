// Typed owners for the Windows handles the program creates: each releases its handle exactly once.
#pragma once

#include <windows.h>

#include <utility>

namespace win {

// Owns one handle of a kind whose release function and empty value are fixed by Traits.
template <class Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() noexcept = default;
    explicit UniqueHandle(Handle handle) noexcept : handle_(handle) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, Handle{})) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(std::exchange(other.handle_, Handle{}));
        return *this;
    }
    ~UniqueHandle() { reset(); }

    Handle get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != Handle{}; }
    // Gives the handle up unreleased: for a handle someone else has already released.
    Handle release() noexcept { return std::exchange(handle_, Handle{}); }
    void reset(Handle handle = Handle{}) noexcept {
        if (handle_ != Handle{}) Traits::Release(handle_);
        handle_ = handle;
    }

private:
    Handle handle_{};
};

struct FontTraits {
    using Handle = HFONT;
    static void Release(HFONT font) noexcept { DeleteObject(font); }
};
struct BrushTraits {
    using Handle = HBRUSH;
    static void Release(HBRUSH brush) noexcept { DeleteObject(brush); }
};
struct IconTraits {
    using Handle = HICON;
    static void Release(HICON icon) noexcept { DestroyIcon(icon); }
};
struct CursorTraits {
    using Handle = HCURSOR;
    static void Release(HCURSOR cursor) noexcept { DestroyCursor(cursor); }
};
struct RegistryKeyTraits {
    using Handle = HKEY;
    static void Release(HKEY key) noexcept { RegCloseKey(key); }
};
struct HookTraits {
    using Handle = HHOOK;
    static void Release(HHOOK hook) noexcept { UnhookWindowsHookEx(hook); }
};

struct WinEventHookTraits {
    using Handle = HWINEVENTHOOK;
    static void Release(HWINEVENTHOOK hook) noexcept { UnhookWinEvent(hook); }
};

struct WindowTraits {
    using Handle = HWND;
    static void Release(HWND window) noexcept { DestroyWindow(window); }
};
struct FindTraits {
    using Handle = HANDLE;
    static void Release(HANDLE search) noexcept { FindClose(search); }
};
struct KernelHandleTraits {
    using Handle = HANDLE;
    static void Release(HANDLE handle) noexcept { CloseHandle(handle); }
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
// A directory search, once INVALID_HANDLE_VALUE has been ruled out.
using FindHandle = UniqueHandle<FindTraits>;
// Kernel objects whose empty value is null: mutexes, and files once INVALID_HANDLE_VALUE has been ruled out.
using KernelHandle = UniqueHandle<KernelHandleTraits>;

}  // namespace win
