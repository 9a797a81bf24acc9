#include "accessible_annotation.h"

#include <oleacc.h>

#include <algorithm>
#include <string>

namespace vantrel {

AccessibleAnnotations::~AccessibleAnnotations() {
    Clear();
}

bool AccessibleAnnotations::SetName(HWND window, std::wstring_view name) {
    return Set(window, PROPID_ACC_NAME, name);
}

bool AccessibleAnnotations::SetDescription(HWND window, std::wstring_view description) {
    return Set(window, PROPID_ACC_DESCRIPTION, description);
}

bool AccessibleAnnotations::Set(HWND window, const GUID& property, std::wstring_view text) {
    if (services_ == nullptr && !unavailable_) {
        unavailable_ =
            FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                    IID_IAccPropServices, reinterpret_cast<void**>(&services_)));
    }
    if (services_ == nullptr) {
        return false;
    }
    const std::wstring value(text);
    if (FAILED(services_->SetHwndPropStr(window, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                         property, value.c_str()))) {
        return false;
    }
    if (std::find(annotated_.begin(), annotated_.end(), window) == annotated_.end()) {
        annotated_.push_back(window);
    }
    return true;
}

void AccessibleAnnotations::Clear() {
    if (services_ == nullptr) {
        return;
    }
    const MSAAPROPID properties[] = {PROPID_ACC_NAME, PROPID_ACC_DESCRIPTION};
    for (HWND window : annotated_) {
        services_->ClearHwndProps(window, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                  properties, static_cast<int>(std::size(properties)));
    }
    annotated_.clear();
    services_->Release();
    services_ = nullptr;
}

}  // namespace vantrel
