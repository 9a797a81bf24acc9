#include "accessible_annotation.h"

#include <objbase.h>
#include <oleacc.h>

#include <algorithm>
#include <utility>

namespace vantrel {

AccessibleAnnotations::~AccessibleAnnotations() {
    Clear();
}

void AccessibleAnnotations::SetName(HWND window, std::wstring_view name) {
    Set({window, false, std::wstring(name)});
}

void AccessibleAnnotations::SetDescription(HWND window, std::wstring_view description) {
    Set({window, true, std::wstring(description)});
}

void AccessibleAnnotations::Publish() {
    if (published_) {
        return;
    }
    published_ = true;
    // The service is COM's; the program's one thread is an apartment of its
    // own.
    comStarted_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IAccPropServices, reinterpret_cast<void**>(&services_)))) {
        services_ = nullptr;
    }
    for (const Annotation& annotation : std::exchange(pending_, {})) {
        Set(annotation);
    }
}

void AccessibleAnnotations::Set(const Annotation& annotation) {
    if (!published_) {
        pending_.push_back(annotation);
        return;
    }
    if (services_ == nullptr ||
        FAILED(services_->SetHwndPropStr(
            annotation.window, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
            annotation.description ? PROPID_ACC_DESCRIPTION : PROPID_ACC_NAME,
            annotation.text.c_str()))) {
        return;
    }
    if (std::find(annotated_.begin(), annotated_.end(), annotation.window) == annotated_.end()) {
        annotated_.push_back(annotation.window);
    }
}

void AccessibleAnnotations::Clear() {
    pending_.clear();
    if (services_ != nullptr) {
        const MSAAPROPID properties[] = {PROPID_ACC_NAME, PROPID_ACC_DESCRIPTION};
        for (HWND window : annotated_) {
            services_->ClearHwndProps(window, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                      properties, static_cast<int>(std::size(properties)));
        }
        services_->Release();
        services_ = nullptr;
    }
    annotated_.clear();
    if (comStarted_) {
        CoUninitialize();
        comStarted_ = false;
    }
}

}  // namespace vantrel
