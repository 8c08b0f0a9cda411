// The setter every published property shares: store a new value only when it
// differs from the old one, and only then tell whoever must know (repaint,
// a change event, the owner's callback).
#pragma once

#include <utility>

namespace cvcalc {

// True when `field` took the new value and `notify` ran.
template <typename T, typename U, typename Notify>
bool ChangeField(T& field, U&& value, Notify&& notify) {
    if (field == value) return false;
    field = std::forward<U>(value);
    std::forward<Notify>(notify)();
    return true;
}

}  // namespace cvcalc
