// The application-wide error hook.  Every message procedure of the
// framework catches whatever escapes the handling of a message and hands it
// here, so an error never leaves the dispatch; the application object
// installs the handler that shows the error box.
#pragma once

#include <exception>
#include <functional>

namespace cvcalc {

class TObject;

using TApplicationErrorHandler = std::function<void(TObject* sender, std::exception_ptr error)>;

// An empty handler restores the default, which writes the error's message
// to stderr.
void SetApplicationErrorHandler(TApplicationErrorHandler handler);
// Passes `error` to the handler; what the handler itself throws is written
// to stderr and dropped.
void HandleApplicationError(TObject* sender, std::exception_ptr error) noexcept;

}  // namespace cvcalc
