// What the application objects of both toolkits do alike: create forms, show
// errors to the user, guard the program's start-up, and run event methods so
// that an exception they let go is shown instead of unwinding through the
// window system's dispatch. Each toolkit's TApplication derives from
// TApplicationBase<TApplication> and supplies how a form is kept (Adopt) and
// how a message is shown (ShowMessage).
#pragma once

#include <exception>
#include <functional>
#include <memory>
#include <utility>

namespace vantrel {

// The exit status of a program that could not start (no display, a window
// that cannot be created); a failure never reports 0.
inline constexpr int kStartupFailureStatus = 2;

template <class Application>
class TApplicationBase {
public:
    // Builds a form from its layout, lays it out for its screen and stores it
    // in `reference` before returning; the first form created is the main
    // form. The application owns the form and destroys it at the end, when
    // `reference` is cleared.
    template <class Form>
    void CreateForm(Form*& reference) {
        auto form = std::make_unique<Form>();
        form->Loaded();
        reference = form.get();
        Self().Adopt(std::move(form), [&reference] { reference = nullptr; });
    }

    // Shows an error's message: a modal message box with an error icon,
    // titled with the main form's title.
    void ShowException(const std::exception& error) { Self().ShowMessage(error, true); }
    // What happens to an exception that leaves an event method (a text that
    // is not a number): a message box with a warning icon, after which the
    // focus goes back where it was and dispatch goes on.
    void HandleException(const std::exception& error) { Self().ShowMessage(error, false); }

    // Runs the program's start-up and message loop; an exception that escapes
    // them is shown and turns into kStartupFailureStatus.
    int Guarded(const std::function<void()>& body) {
        try {
            body();
        } catch (const std::exception& error) {
            ShowException(error);
            return kStartupFailureStatus;
        }
        return 0;
    }

private:
    // Only the toolkit's TApplication derives from it, as itself.
    TApplicationBase() = default;
    friend Application;

    Application& Self() { return static_cast<Application&>(*this); }
};

// Hands an exception that left an event method to the toolkit's application
// object (HandleException); false while there is none. Compiled into each
// toolkit from toolkit/event_exception.cpp.
bool HandleEventException(const std::exception& error);

// Runs an event method the toolkit's way: an exception it lets go is shown to
// the user instead of unwinding through the window system's dispatch.
template <class EventMethod>
void RunEventMethod(EventMethod&& eventMethod) {
    try {
        std::forward<EventMethod>(eventMethod)();
    } catch (const std::exception& error) {
        if (!HandleEventException(error)) {
            throw;
        }
    }
}

}  // namespace vantrel
