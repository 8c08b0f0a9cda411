// Start-up of the windowing platform (the one QApplication), the screen's
// resolution, and the last-resort hook for errors that escape a dispatch.
#pragma once

#include <exception>
#include <functional>
#include <string>

namespace cvcalc {

// Creates the Qt application once; later calls do nothing.  Every platform
// object calls it when it needs Qt, so calling it early is optional.  Before
// the application exists it prepares what the web engine will need later:
// shared OpenGL contexts and, when running as root or on the offscreen
// platform, "--no-sandbox" (plus "--disable-gpu" on offscreen) in
// QTWEBENGINE_CHROMIUM_FLAGS and QTWEBENGINE_DISABLE_SANDBOX=1, unless the
// environment already sets them.  Qt sets the process's C locale from the
// environment; its numeric category is put back to "C", so that the standard
// library's number conversions never depend on the user's locale (the
// program's own conversions read the locale explicitly).  Qt's own high-DPI scaling is switched off
// (QT_ENABLE_HIGHDPI_SCALING=0 unless set) so that design pixels are pixels.
// Without a display to show windows on (DisplayUnavailableReason), it says
// so in one line on standard error and ends the process with status 1,
// where Qt itself would abort.
void InitPlatform();
// Empty when the windowing platform Qt is about to use can show windows;
// otherwise why not, in a few words.  Only the X11 platform (Qt's default
// here) is checked, by connecting to its server; the offscreen platform and
// platforms of other kinds are taken as they are.
std::string DisplayUnavailableReason();
bool PlatformInitialized();
// Once the web engine has started, the process ends at exit without running
// the libraries' tear-down: the engine's threads still run then, and Qt's
// statics die under them.  Standard output and error are flushed first and
// the exit status is kept.
void EndProcessQuicklyAtExit();
// True on Qt's "offscreen" platform (tests and headless runs).
bool IsOffscreenPlatform();

// Called when the platform reports that the user's locale settings have
// changed (Qt's locale-change event for the application, its nearest
// equivalent of a system settings-change broadcast).  An empty function
// removes the callback.
using LocaleChangeCallback = std::function<void()>;
void SetLocaleChangeCallback(LocaleChangeCallback callback);
// Posts that event to the application, as the platform does when the system
// locale changes; it is handled in the next loop step.
void PostLocaleChange();

// Logical pixels per inch of the primary screen; 96 on the offscreen
// platform, so that design sizes stay unscaled.
int ScreenPixelsPerInch();

// Called with whatever escaped a message procedure (or the message box
// observer).  The default hook writes the error's text to stderr.  An empty
// function restores the default.
using DispatchErrorHook = std::function<void(std::exception_ptr)>;
void SetDispatchErrorHook(DispatchErrorHook hook);

// Used by the platform: hands the current exception to the hook, itself
// catching anything the hook throws.
void ReportDispatchError(std::exception_ptr error) noexcept;

}  // namespace cvcalc
