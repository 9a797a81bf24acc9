// The application object: starts the window system's services, creates the
// forms, runs the message loop, and shows errors to the user in message boxes
// (a GUI program has no console to write them to).
#pragma once

#include <windows.h>

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "t_form.h"

namespace vantrel {

inline constexpr int kStartupFailureStatus = 2;

class TApplication {
public:
    // Takes the command line for symmetry with other toolkits; Win32 needs
    // none of it.
    TApplication(int& argc, char** argv);
    ~TApplication();
    TApplication(const TApplication&) = delete;
    TApplication& operator=(const TApplication&) = delete;

    // Starts COM (for accessibility) and the common controls and registers
    // the toolkit's window classes; throws vantrel::Exception on failure.
    void Initialize();

    // Builds a form from its layout, lays it out for its screen and stores it
    // in `reference` before returning; the first form created is the main
    // form. The application owns the form and destroys it at the end, when
    // `reference` is cleared.
    template <class Form>
    void CreateForm(Form*& reference) {
        auto form = std::make_unique<Form>();
        form->Loaded();
        reference = form.get();
        Adopt(std::move(form), [&reference] { reference = nullptr; });
    }

    // Shows the main form and dispatches messages until it is closed.
    void Run();
    // One message of the loop: a form's keys and the dialog manager's (Tab,
    // Enter, the keys that switch sheets) first, then translated and
    // dispatched.
    static void Dispatch(MSG& message);
    // Ends Run once the messages at hand are handled.
    void Terminate();

    // Shows an error's message: a modal message box with an error icon,
    // titled with the main form's title (or the program's name).
    void ShowException(const std::exception& error);
    // What happens to an exception that leaves an event method (a text that
    // is not a number): a message box with a warning icon, modal to the main
    // form, after which the focus goes back where it was and dispatch goes on.
    void HandleException(const std::exception& error);

    // Runs the program's start-up and message loop; an exception that escapes
    // them is shown and turns into exit status 2 (a failure never reports 0).
    int Guarded(const std::function<void()>& body);

    // The first created of the forms.
    TForm* MainForm() const;

    // The icon every form shows: the program's icon resource with this
    // identifier, at the sizes the form's density asks for.
    void SetIconResource(int id) { iconResource_ = id; }
    void ApplyIcon(HWND window, UINT dpi) const;

private:
    void ShowMessage(const std::exception& error, UINT icon);
    std::wstring Title() const;
    void Adopt(std::unique_ptr<TForm> form, std::function<void()> clearReference);

    struct OwnedForm {
        std::unique_ptr<TForm> form;
        std::function<void()> clearReference;
    };
    std::vector<OwnedForm> forms_;  // in creation order
    bool comStarted_ = false;
    bool running_ = false;
    int iconResource_ = 0;
};

// The one application object of the process, set while it exists.
extern TApplication* Application;

// Runs an event method the toolkit's way: an exception it lets go is shown to
// the user by the application object instead of unwinding through the window
// system's dispatch.
template <class EventMethod>
void RunEventMethod(EventMethod&& eventMethod) {
    try {
        std::forward<EventMethod>(eventMethod)();
    } catch (const std::exception& error) {
        if (Application == nullptr) {
            throw;
        }
        Application->HandleException(error);
    }
}

}  // namespace vantrel
