// TApplication: the program's one application object.  It runs the start-up
// hook, creates the windows (the first becomes the main window), runs the
// message loop until the quit message, shows every error that escapes a
// handler in one modal box, and at the end destroys the windows newest first
// and shuts the component model down.
#pragma once

#include <exception>
#include <functional>
#include <new>
#include <string>

#include "framework/Form.h"
#include "platform/core/Exception.h"
#include "shell/core/Component.h"

namespace cvcalc {

class TApplication : public TComponent {
public:
    CVCALC_CLASS_INFO()

    // Computes the title from the executable's name, loads the locale's
    // separators (again at every locale change the platform reports) and
    // installs the error display as the framework's and the platform's error
    // hook.
    TApplication();
    ~TApplication() override;

    // The caption of every error box; derived from the executable's name.
    const std::string& Title() const noexcept { return title_; }

    // The start-up hook and its counterpart at the end: `startUp` reports
    // whether it succeeded, and only then does `shutDown` run at the end.
    void SetStartHook(std::function<bool()> startUp, std::function<void()> shutDown);
    void RunStartHook();

    // Creates a window of class F owned by the application and stores it in
    // `global`.  The global holds the new object before its constructor runs,
    // so code run during construction already sees it; if construction fails
    // the global is reset and the error propagates.  The new window joins the
    // global lookup of forms until it is destroyed, so that a form read later
    // under its name is renamed and references into it resolve.  The first
    // window becomes the main window, with its platform window created at
    // once.
    template <typename F>
    void CreateAppWindow(F*& global);

    TForm* MainWindow() const noexcept { return mainWindow_; }
    bool Terminated() const noexcept { return terminated_; }
    bool Running() const noexcept { return running_; }

    // Shows the main window and processes messages until the quit message;
    // an error escaping a step goes to ReportError and the loop goes on.
    // Ends with the end-of-program clean-up.  Returns at once without a main
    // window.
    void RunMessageLoop();
    // One loop step: ProcessOneMessage, and WaitForMessages when nothing was
    // there.
    void HandleMessage();
    bool ProcessOneMessage();
    void WaitForMessages();
    // Posts the platform's quit message.
    void RequestQuit();

    // The error display for an error that escaped a handler: ends any drag,
    // ignores EAbort, shows everything else in the error box.
    void ReportError(TObject* sender, std::exception_ptr error);
    // One modal box: the message (with the full-stop rule), the title as
    // caption, OK and the stop icon.
    void ShowErrorBox(const Exception& error);

    // Destroys the windows newest first, then shuts the component model down
    // if its start-up succeeded.  Runs once; later calls do nothing.
    void Finish();

private:
    void RegisterWindow(TComponent* window);
    void BecomeMainWindowIfFirst(TComponent* window);

    std::string title_;
    std::function<bool()> startUp_;
    std::function<void()> shutDown_;
    bool startedUp_ = false;
    bool finished_ = false;
    bool running_ = false;
    bool terminated_ = false;
    TForm* mainWindow_ = nullptr;
};

// Runs the entry point's steps inside the guard: an error of the program's
// family is shown in the error box, any other thrown object as a box with
// empty text.  Always returns the exit code 0.
int RunGuarded(TApplication& application, const std::function<void()>& steps);

template <typename F>
void TApplication::CreateAppWindow(F*& global) {
    // The storage is reserved first so that the global can point at the
    // window while its constructor runs.
    void* storage = ::operator new(sizeof(F));
    global = static_cast<F*>(storage);
    F* window = nullptr;
    try {
        window = ::new (storage) F(this);
    } catch (...) {
        global = nullptr;
        ::operator delete(storage);
        throw;
    }
    global = window;
    RegisterWindow(window);
    BecomeMainWindowIfFirst(window);
}

}  // namespace cvcalc
