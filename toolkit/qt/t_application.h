// The application object: opens the window system, creates the forms, runs
// the message loop, and shows errors to the user.
#pragma once

#include <exception>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "toolkit/qt/t_form.h"

class QApplication;

namespace vantrel {

class TApplication {
public:
    // Keeps the command line for Qt; opens nothing yet.
    TApplication(int& argc, char** argv);
    ~TApplication();
    TApplication(const TApplication&) = delete;
    TApplication& operator=(const TApplication&) = delete;

    // Opens the window system. Without a display the process ends here with
    // one line on stderr and exit status 2.
    void Initialize();

    // Builds a form from its layout, scales it for the screen and stores it
    // in `reference` before returning; the first form created is the main
    // form. The application owns the form: it destroys it at the end, and
    // `reference` is cleared whenever the form goes.
    template <class Form>
    void CreateForm(Form*& reference) {
        auto form = std::make_unique<Form>();
        form->Loaded();
        reference = form.get();
        Adopt(form.release(), [&reference] { reference = nullptr; });
    }

    // Shows the main form and dispatches events until it is closed.
    void Run();

    // Shows an error's message: a modal message box titled with the main
    // form's title where the window system is open, else one line on stderr.
    void ShowException(const std::exception& error);
    // What happens to an exception that leaves an event method (a text that
    // is not a number): it is shown with a warning, not as a critical error,
    // and event dispatch goes on.
    void HandleException(const std::exception& error);

    // Runs the program's start-up and message loop; an exception that escapes
    // them is shown and turns into exit status 2 (a failure never reports 0).
    int Guarded(const std::function<void()>& body);

    // The first created of the forms that still exist.
    TForm* MainForm() const;

private:
    void ShowMessage(const std::exception& error, bool critical);
    void Adopt(TForm* form, std::function<void()> clearReference);

    int& argc_;
    char** argv_;
    std::unique_ptr<QApplication> app_;
    std::vector<TForm*> forms_;  // in creation order; each removes itself when destroyed
};

// The one application object of the process, set while it exists.
extern TApplication* Application;

// Runs an event method the toolkit's way: an exception it lets go is shown to
// the user by the application object instead of unwinding through Qt's event
// dispatch.
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
