#include "layout_name.h"

namespace vantrel {

namespace {

ATOM AtomOf(HWND window) {
    return static_cast<ATOM>(reinterpret_cast<UINT_PTR>(GetPropW(window, kLayoutNameProperty)));
}

struct Search {
    std::wstring_view name;
    HWND found = nullptr;
};

BOOL CALLBACK MatchName(HWND window, LPARAM searchAddress) {
    auto& search = *reinterpret_cast<Search*>(searchAddress);
    if (LayoutNameOf(window) == search.name) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

void SetLayoutName(HWND window, std::wstring_view name) {
    ClearLayoutName(window);
    const std::wstring text(name);
    const ATOM atom = GlobalAddAtomW(text.c_str());
    if (atom != 0) {
        SetPropW(window, kLayoutNameProperty,
                 reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(atom)));
    }
}

void ClearLayoutName(HWND window) {
    const ATOM atom = AtomOf(window);
    if (atom != 0) {
        RemovePropW(window, kLayoutNameProperty);
        GlobalDeleteAtom(atom);
    }
}

std::wstring LayoutNameOf(HWND window) {
    const ATOM atom = AtomOf(window);
    if (atom == 0) {
        return {};
    }
    wchar_t name[256];
    const UINT length = GlobalGetAtomNameW(atom, name, static_cast<int>(std::size(name)));
    return std::wstring(name, length);
}

HWND FindLayoutControl(HWND root, std::wstring_view name) {
    if (root == nullptr) {
        return nullptr;
    }
    if (LayoutNameOf(root) == name) {
        return root;
    }
    // EnumChildWindows visits every descendant, not only the children.
    Search search{name};
    EnumChildWindows(root, MatchName, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace vantrel
