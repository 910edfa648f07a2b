// Pictures as the control holds them, and the in-memory store of a control's persisted properties.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <variant>

namespace tray {

// The picture kinds a control can be handed; only icons go to the shell.
enum class PictureType { None = 0, Bitmap = 1, Metafile = 2, Icon = 3, EnhancedMetafile = 4 };

// A picture of some kind; for an icon, Handle() is the icon handle the shell is given.
class Picture {
public:
    virtual ~Picture() = default;
    virtual PictureType Type() const noexcept = 0;
    virtual std::uint32_t Handle() const noexcept = 0;
};

// Counted references: a picture lives while any holder keeps it.
using PictureRef = std::shared_ptr<const Picture>;

using PropertyValue = std::variant<bool, std::wstring, PictureRef>;

// What the host keeps for a control between sessions. A read of the wrong kind fails with "Type mismatch".
class PropertyBag {
public:
    bool ReadBool(std::wstring_view name, bool fallback) const;
    std::wstring ReadString(std::wstring_view name, std::wstring_view fallback) const;
    PictureRef ReadPicture(std::wstring_view name, PictureRef fallback) const;
    void Write(std::wstring_view name, PropertyValue value);
    bool Contains(std::wstring_view name) const { return values_.find(name) != values_.end(); }

private:
    template <class T>
    T Read(std::wstring_view name, T fallback) const;

    std::map<std::wstring, PropertyValue, std::less<>> values_;
};

}  // namespace tray
