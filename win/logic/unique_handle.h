// The owner of one handle, closed exactly once; what closes it and what counts as no handle come from its traits.
#pragma once

#include <utility>

namespace win {

// Traits name the handle type and fix, per kind of handle, its close function and its invalid value:
//   using Handle = ...;
//   static Handle Invalid() noexcept;        // what the creating call returns on failure
//   static void Close(Handle handle) noexcept;
// A function rather than a constant, as INVALID_HANDLE_VALUE is no constant expression.
template <class Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() noexcept = default;
    explicit UniqueHandle(Handle handle) noexcept : handle_(handle) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    ~UniqueHandle() { reset(); }

    Handle get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != Traits::Invalid(); }
    // Gives the handle up unclosed: for a handle someone else has already closed.
    Handle release() noexcept { return std::exchange(handle_, Traits::Invalid()); }
    void reset(Handle handle = Traits::Invalid()) noexcept {
        const Handle old = std::exchange(handle_, handle);
        if (old != Traits::Invalid()) Traits::Close(old);
    }
    // Closes what is held and hands out the empty slot, for a call that returns its handle through an
    // out-parameter and writes it only when it succeeds (RegCreateKeyExW, OpenProcessToken).
    Handle* put() noexcept {
        reset();
        return &handle_;
    }

private:
    Handle handle_ = Traits::Invalid();
};

}  // namespace win
