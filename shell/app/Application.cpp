// The application object's start-up, loop, error display and end.
#include "shell/app/Application.h"

#include "framework/ApplicationErrors.h"
#include "numtext/LocaleFormats.h"
#include "platform/core/ExecutablePath.h"
#include "platform/gui/GuiPlatform.h"
#include "platform/gui/MessageBox.h"
#include "platform/gui/MessageLoop.h"
#include "platform/gui/NativeWindow.h"
#include "shell/app/AppText.h"
#include "shell/core/ClassInfo.h"
#include "shell/core/NameSpace.h"

namespace cvcalc {

const TClassInfo& TApplication::StaticClassInfo() {
    static const TClassInfo info = TClassBuilder<TApplication>("TApplication", TComponent::StaticClassInfo());
    return info;
}

TApplication::TApplication() : TComponent(nullptr), title_(ApplicationTitleFromPath(ExecutablePath())) {
    // The separators come from the user's locale before any form is read,
    // and again whenever the platform reports a change of the settings.  The
    // numbers already on the screen stay as they are; the next conversion
    // uses the new separators.
    LoadLocaleFormats();
    SetLocaleChangeCallback([] { LoadLocaleFormats(); });
    SetApplicationErrorHandler([this](TObject* sender, std::exception_ptr error) { ReportError(sender, error); });
    SetDispatchErrorHook([this](std::exception_ptr error) { ReportError(nullptr, error); });
    SetQuitCallback([this] { terminated_ = true; });
}

TApplication::~TApplication() {
    Finish();
    SetQuitCallback({});
    SetLocaleChangeCallback({});
    SetDispatchErrorHook({});
    SetApplicationErrorHandler({});
}

void TApplication::SetStartHook(std::function<bool()> startUp, std::function<void()> shutDown) {
    startUp_ = std::move(startUp);
    shutDown_ = std::move(shutDown);
}

void TApplication::RunStartHook() {
    if (startUp_) startedUp_ = startUp_();
}

void TApplication::RegisterWindow(TComponent* window) {
    // The component leaves the lookup again when it is destroyed.
    RegisterGlobalComponent(window);
    // References that forms read earlier made to this one by name.
    ResolveGlobalReferences();
}

void TApplication::BecomeMainWindowIfFirst(TComponent* window) {
    if (mainWindow_ != nullptr) return;
    auto* form = dynamic_cast<TForm*>(window);
    if (form == nullptr) return;
    form->Handle();
    mainWindow_ = form;
    SetMainForm(form);
}

void TApplication::RunMessageLoop() {
    struct RunningFlag {
        bool& flag;
        explicit RunningFlag(bool& f) : flag(f) { flag = true; }
        ~RunningFlag() { flag = false; }
    } runningFlag(running_);
    if (mainWindow_ == nullptr) return;
    // This platform starts every program with the normal show command.
    mainWindow_->Show();
    while (!terminated_) {
        try {
            HandleMessage();
        } catch (...) {
            ReportError(nullptr, std::current_exception());
        }
    }
    Finish();
}

void TApplication::HandleMessage() {
    if (!ProcessOneMessage()) WaitForMessages();
}

bool TApplication::ProcessOneMessage() {
    const bool processed = cvcalc::ProcessOneMessage();
    if (QuitMessageReceived()) terminated_ = true;
    return processed;
}

void TApplication::WaitForMessages() {
    // No hints, actions or calls from other threads exist in this program.
    if (terminated_) return;
    cvcalc::WaitForMessages();
    if (QuitMessageReceived()) terminated_ = true;
}

void TApplication::RequestQuit() { PostQuitMessage(); }

void TApplication::ReportError(TObject* /*sender*/, std::exception_ptr error) {
    if (!error) return;
    if (CaptureWindow() != nullptr) SendCancelMode();
    try {
        std::rethrow_exception(error);
    } catch (const EAbort&) {
    } catch (const Exception& e) {
        ShowErrorBox(e);
    } catch (const std::exception& e) {
        // Not one of ours: shown by the same box with its own text.
        ShowErrorBox(Exception(e.what()));
    } catch (...) {
        ShowErrorBox(Exception());
    }
}

void TApplication::ShowErrorBox(const Exception& error) {
    ShowMessageBox(ErrorBoxText(error.Message()), title_, nullptr);
}

void TApplication::Finish() {
    if (finished_) return;
    finished_ = true;
    if (mainWindow_ != nullptr && MainForm() == mainWindow_) SetMainForm(nullptr);
    mainWindow_ = nullptr;
    DestroyComponents();
    if (startedUp_ && shutDown_) shutDown_();
    startedUp_ = false;
}

int RunGuarded(TApplication& application, const std::function<void()>& steps) {
    try {
        steps();
    } catch (const Exception& e) {
        application.ShowErrorBox(e);
    } catch (...) {
        application.ShowErrorBox(Exception());
    }
    return 0;
}

}  // namespace cvcalc
