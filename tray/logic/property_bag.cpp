// The in-memory property store of the tray control.
#include "tray/logic/property_bag.h"

#include <utility>

#include "win/logic/handler_failure.h"

namespace tray {

template <class T>
T PropertyBag::Read(std::wstring_view name, T fallback) const {
    const auto found = values_.find(name);
    if (found == values_.end()) return fallback;
    if (const T* value = std::get_if<T>(&found->second)) return *value;
    throw win::HandlerFailure(L"Type mismatch");
}

bool PropertyBag::ReadBool(std::wstring_view name, bool fallback) const { return Read<bool>(name, fallback); }

std::wstring PropertyBag::ReadString(std::wstring_view name, std::wstring_view fallback) const {
    return Read<std::wstring>(name, std::wstring(fallback));
}

PictureRef PropertyBag::ReadPicture(std::wstring_view name, PictureRef fallback) const {
    return Read<PictureRef>(name, std::move(fallback));
}

void PropertyBag::Write(std::wstring_view name, PropertyValue value) {
    values_.insert_or_assign(std::wstring(name), std::move(value));
}

}  // namespace tray
