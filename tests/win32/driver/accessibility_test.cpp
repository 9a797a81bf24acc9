// What a screen reader reads for each value field, through the accessibility
// interface Windows gives every window (oleacc's AccessibleObjectFromWindow):
// the field's accessible name from the layout («м³/ч»).
#include <oleacc.h>

#include <gtest/gtest.h>

#include "shared_window.h"

namespace vantrel::driver {
namespace {

// The interface's id from its declaration: mingw-w64's IID_IAccessible is
// oleacc.dll's exported data, which a plain reference reads as the address
// of its import slot instead of the id.
std::string AccessibleName(HWND control) {
    IAccessible* accessible = nullptr;
    if (FAILED(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT),
                                          __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&accessible)))) {
        return "(no accessible object)";
    }
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    std::string text = "(no name)";
    if (accessible->get_accName(self, &name) == S_OK && name != nullptr) {
        text = Utf8(std::wstring_view(name, SysStringLen(name)));
        SysFreeString(name);
    }
    accessible->Release();
    return text;
}

TEST(AccessibilityTest, EveryFieldIsNamedAsTheLayoutNamesIt) {
    VantrelWindow& window = Shared().Window();
    CoInitialize(nullptr);
    for (const LayoutControl* field : TheLayout().OfKind("TEdit")) {
        ASSERT_FALSE(field->accessibleName.empty()) << field->name;
        EXPECT_EQ(AccessibleName(window.Control(field->name)), field->accessibleName)
            << field->name;
    }
    CoUninitialize();
}

}  // namespace
}  // namespace vantrel::driver
