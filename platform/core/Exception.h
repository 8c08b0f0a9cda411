// The root of the program's error family: every error carries its message text.
#pragma once

#include <exception>
#include <string>

namespace cvcalc {

class Exception : public std::exception {
public:
    explicit Exception(std::string message = {}) : message_(std::move(message)) {}
    ~Exception() override;

    const std::string& Message() const noexcept { return message_; }
    void SetMessage(std::string message) { message_ = std::move(message); }
    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::string message_;
};

// Raised to abandon an operation quietly; the error display never shows it.
class EAbort : public Exception {
public:
    using Exception::Exception;
};

}  // namespace cvcalc
