#include "accessible_annotation.h"

#include <oleacc.h>

#include <string>

namespace vantrel {

namespace {

// The annotation service, for as long as it is used.
class PropertyServices {
public:
    PropertyServices() {
        CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                         reinterpret_cast<void**>(&services_));
    }
    ~PropertyServices() {
        if (services_ != nullptr) {
            services_->Release();
        }
    }
    PropertyServices(const PropertyServices&) = delete;
    PropertyServices& operator=(const PropertyServices&) = delete;

    IAccPropServices* operator->() const { return services_; }
    explicit operator bool() const { return services_ != nullptr; }

private:
    IAccPropServices* services_ = nullptr;
};

bool Annotate(HWND window, const MSAAPROPID& property, std::wstring_view text) {
    const PropertyServices services;
    if (!services) {
        return false;
    }
    const std::wstring value(text);
    return SUCCEEDED(services->SetHwndPropStr(window, static_cast<DWORD>(OBJID_CLIENT),
                                              CHILDID_SELF, property, value.c_str()));
}

}  // namespace

bool AnnotateAccessibleName(HWND window, std::wstring_view name) {
    return Annotate(window, PROPID_ACC_NAME, name);
}

bool AnnotateAccessibleDescription(HWND window, std::wstring_view description) {
    return Annotate(window, PROPID_ACC_DESCRIPTION, description);
}

void ClearAccessibleAnnotations(HWND window) {
    const PropertyServices services;
    if (services) {
        const MSAAPROPID properties[] = {PROPID_ACC_NAME, PROPID_ACC_DESCRIPTION};
        services->ClearHwndProps(window, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, properties,
                                 static_cast<int>(std::size(properties)));
    }
}

}  // namespace vantrel
