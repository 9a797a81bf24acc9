#include "t_application.h"

#include <commctrl.h>

#include "dynamic_calls.h"
#include "toolkit/exceptions.h"
#include "wide_text.h"
#include "window_classes.h"

namespace vantrel {

TApplication* Application = nullptr;

TApplication::TApplication(int& /*argc*/, char** /*argv*/) {
    // Before any DLL is loaded at run time, the common controls among them.
    RestrictDllSearch();
    Application = this;
}

TApplication::~TApplication() {
    // Later forms go first, each clearing its reference.
    while (!forms_.empty()) {
        OwnedForm owned = std::move(forms_.back());
        forms_.pop_back();
        owned.form.reset();
        owned.clearReference();
    }
    if (Application == this) {
        Application = nullptr;
    }
}

void TApplication::Initialize() {
    if (!InitializeCommonControls(ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES)) {
        throw Exception("Не удалось подготовить элементы управления Windows");
    }
    RegisterToolkitClasses();
}

void TApplication::Run() {
    TForm* main = MainForm();
    if (main == nullptr) {
        return;
    }
    main->Show();
    running_ = true;
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        Dispatch(message);
    }
    running_ = false;
}

void TApplication::Dispatch(MSG& message) {
    // A form's own keys first, then the dialog manager's, which translates
    // and dispatches whatever it does not take itself.
    if (TForm* form = TForm::OfWindow(message.hwnd)) {
        // Here rather than in the form's window procedure, so that a control
        // that cannot be created fails the start-up, as it would have done
        // before the form was shown.
        if (message.message == TForm::kCompleteMessage && message.hwnd == form->Handle()) {
            form->Complete();
            return;
        }
        if (!form->PreTranslate(message) && !IsDialogMessageW(form->Handle(), &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

void TApplication::Terminate() {
    if (running_) {
        PostQuitMessage(0);
    }
}

void TApplication::ShowMessage(const std::exception& error, bool critical) {
    const UINT icon = critical ? MB_ICONERROR : MB_ICONWARNING;
    TForm* main = MainForm();
    const HWND owner =
        main != nullptr && IsWindowVisible(main->Handle()) ? main->Handle() : nullptr;
    // Modal to the form: the form is disabled until the box is dismissed, and
    // takes its focus back (into the field) when it is.
    MessageBoxW(owner, ToWide(error.what()).c_str(), Title().c_str(),
                MB_OK | icon | (owner == nullptr ? MB_TASKMODAL : 0));
}

std::wstring TApplication::Title() const {
    if (TForm* main = MainForm(); main != nullptr && main->Handle() != nullptr) {
        return main->Caption();
    }
    // The program's file name without its extension; the path may be longer
    // than MAX_PATH.
    std::wstring path(MAX_PATH, L'\0');
    DWORD length = 0;
    while ((length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()))) ==
               path.size() &&
           path.size() < 32768) {
        path.resize(path.size() * 2);
    }
    path.resize(length);
    std::wstring name = path.substr(path.find_last_of(L"\\/") + 1);
    name = name.substr(0, name.rfind(L'.'));
    return name.empty() ? L"Vantrel" : name;
}

TForm* TApplication::MainForm() const {
    return forms_.empty() ? nullptr : forms_.front().form.get();
}

HICON TApplication::LoadWindowIcon(int size) const {
    return iconResource_ != 0 ? LoadIconAtSize(GetModuleHandleW(nullptr), iconResource_, size)
                              : nullptr;
}

void TApplication::Adopt(std::unique_ptr<TForm> form, std::function<void()> clearReference) {
    forms_.push_back({std::move(form), std::move(clearReference)});
}

}  // namespace vantrel
