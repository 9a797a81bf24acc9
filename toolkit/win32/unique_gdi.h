// Owns a GDI object (a font, a brush) or an icon and deletes it when it goes. The owner
// keeps it for as long as a window may draw with it.
#pragma once

#include <windows.h>

#include <utility>

namespace vantrel {

// DeleteObject for a GDI object; DestroyIcon for an icon, which is a window
// system object.
struct DeleteGdiObject {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct DestroyIconObject {
    void operator()(HICON icon) const { DestroyIcon(icon); }
};

template <class Handle, class Delete = DeleteGdiObject>
class UniqueGdi {
public:
    UniqueGdi() = default;
    explicit UniqueGdi(Handle object) : object_(object) {}
    ~UniqueGdi() { Reset(); }
    UniqueGdi(UniqueGdi&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    UniqueGdi& operator=(UniqueGdi&& other) noexcept {
        if (this != &other) {
            Reset(std::exchange(other.object_, nullptr));
        }
        return *this;
    }
    UniqueGdi(const UniqueGdi&) = delete;
    UniqueGdi& operator=(const UniqueGdi&) = delete;

    Handle Get() const { return object_; }
    void Reset(Handle object = nullptr) {
        if (object_ != nullptr) {
            Delete{}(object_);
        }
        object_ = object;
    }

private:
    Handle object_ = nullptr;
};

using UniqueFont = UniqueGdi<HFONT>;
using UniqueBrush = UniqueGdi<HBRUSH>;
using UniqueIcon = UniqueGdi<HICON, DestroyIconObject>;

}  // namespace vantrel
