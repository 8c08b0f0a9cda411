// The application-wide error hook and its default.
#include "framework/ApplicationErrors.h"

#include <cstdio>

namespace cvcalc {
namespace {

TApplicationErrorHandler& Handler() {
    static TApplicationErrorHandler handler;
    return handler;
}

void WriteToStderr(std::exception_ptr error) noexcept {
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
    } catch (...) {
        std::fprintf(stderr, "unknown error\n");
    }
}

}  // namespace

void SetApplicationErrorHandler(TApplicationErrorHandler handler) { Handler() = std::move(handler); }

void HandleApplicationError(TObject* sender, std::exception_ptr error) noexcept {
    if (!error) return;
    try {
        if (Handler())
            Handler()(sender, error);
        else
            WriteToStderr(error);
    } catch (...) {
        WriteToStderr(std::current_exception());
    }
}

}  // namespace cvcalc
