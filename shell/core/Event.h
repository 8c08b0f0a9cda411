// Events and published methods.  A form class publishes its handlers by
// name; the reader binds an event property such as "OnClick" to the root's
// handler of the name the stream gives, and the bound event calls that
// handler on the root.
#pragma once

#include <any>
#include <functional>
#include <string>
#include <utility>

namespace cvcalc {

class TObject;

// A published method of a class: its name and a callable taking the object
// it runs on, held as std::function<void(TObject*, Args...)>, so an event
// of another signature cannot bind to it.
struct TMethodInfo {
    std::string name;
    std::any invoker;
};

// A method bound to an object (the "method address with the root as its
// object"): what an event property reports and what the reader assigns.
struct TMethod {
    const TMethodInfo* method = nullptr;
    TObject* data = nullptr;

    explicit operator bool() const noexcept { return method != nullptr; }
    bool operator==(const TMethod&) const = default;
};

template <typename... Args>
class TEvent {
public:
    using Invoker = std::function<void(TObject*, Args...)>;

    TEvent() = default;
    // A handler set by code (no published method behind it).
    explicit TEvent(std::function<void(Args...)> handler) : handler_(std::move(handler)) {}

    // The event calling `method` on `method.data`; empty when the method's
    // signature is not this event's (or there is no method).
    static TEvent FromMethod(const TMethod& method) {
        TEvent event;
        if (!method) return event;
        const Invoker* invoker = std::any_cast<Invoker>(&method.method->invoker);
        if (!invoker) return event;
        TObject* data = method.data;
        event.handler_ = [invoker, data](Args... args) { (*invoker)(data, std::forward<Args>(args)...); };
        event.method_ = method;
        return event;
    }

    explicit operator bool() const noexcept { return static_cast<bool>(handler_); }
    void operator()(Args... args) const {
        if (handler_) handler_(std::forward<Args>(args)...);
    }
    const TMethod& Method() const noexcept { return method_; }

private:
    std::function<void(Args...)> handler_;
    TMethod method_;
};

using TNotifyEvent = TEvent<TObject*>;

}  // namespace cvcalc
