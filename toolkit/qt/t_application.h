// The application object: opens the window system, creates the forms, runs
// the message loop, and shows errors to the user.
#pragma once

#include <exception>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "toolkit/application_base.h"
#include "toolkit/qt/t_form.h"

class QApplication;

namespace vantrel {

class TApplication : public TApplicationBase<TApplication> {
public:
    // Keeps the command line for Qt; opens nothing yet.
    TApplication(int& argc, char** argv);
    ~TApplication();
    TApplication(const TApplication&) = delete;
    TApplication& operator=(const TApplication&) = delete;

    // Opens the window system. Without a display the process ends here with
    // one line on stderr and exit status 2.
    void Initialize();

    // Shows the main form and dispatches events until it is closed.
    void Run();

    // The first created of the forms that still exist.
    TForm* MainForm() const;

private:
    friend class TApplicationBase<TApplication>;
    // A modal message box titled with the main form's title where the window
    // system is open, else one line on stderr. `critical`: a failure to start
    // rather than a refused text, which gets a warning.
    void ShowMessage(const std::exception& error, bool critical);
    // The form deletes itself with the application, or earlier.
    void Adopt(std::unique_ptr<TForm> form, std::function<void()> clearReference);

    int& argc_;
    char** argv_;
    std::unique_ptr<QApplication> app_;
    std::vector<TForm*> forms_;  // in creation order; each removes itself when destroyed
};

// The one application object of the process, set while it exists.
extern TApplication* Application;

}  // namespace vantrel
