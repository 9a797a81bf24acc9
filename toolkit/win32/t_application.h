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
#include "toolkit/application_base.h"

namespace vantrel {

class TApplication : public TApplicationBase<TApplication> {
public:
    // Takes the command line for symmetry with other toolkits; Win32 needs
    // none of it.
    TApplication(int& argc, char** argv);
    ~TApplication();
    TApplication(const TApplication&) = delete;
    TApplication& operator=(const TApplication&) = delete;

    // Loads the common controls and registers the toolkit's window classes;
    // throws vantrel::Exception on failure.
    void Initialize();

    // Shows the main form and dispatches messages until it is closed.
    void Run();
    // One message of the loop: a form's keys and the dialog manager's (Tab,
    // Enter, the keys that switch sheets) first, then translated and
    // dispatched.
    static void Dispatch(MSG& message);
    // Ends Run once the messages at hand are handled.
    void Terminate();

    // The first created of the forms.
    TForm* MainForm() const;

    // The icon every form shows: the program's icon resource with this
    // identifier, at the sizes the form's density asks for.
    void SetIconResource(int id) { iconResource_ = id; }
    // That icon `size` pixels square, which the caller destroys; nullptr
    // where there is none.
    HICON LoadWindowIcon(int size) const;

private:
    friend class TApplicationBase<TApplication>;
    // `critical`: a failure to start (an error icon) rather than a refused
    // text (a warning).
    void ShowMessage(const std::exception& error, bool critical);
    std::wstring Title() const;
    void Adopt(std::unique_ptr<TForm> form, std::function<void()> clearReference);

    struct OwnedForm {
        std::unique_ptr<TForm> form;
        std::function<void()> clearReference;
    };
    std::vector<OwnedForm> forms_;  // in creation order
    bool running_ = false;
    int iconResource_ = 0;
};

// The one application object of the process, set while it exists.
extern TApplication* Application;

}  // namespace vantrel
