// The resource table: a singly linked list of static registrations, built
// before main() runs and never changed afterwards, so lookups need no lock.
#include "platform/core/Resources.h"

#include "platform/core/AsciiCase.h"

namespace cvcalc {

std::optional<ResourceBytes> FindResource(int type, std::string_view name) {
    for (const ResourceRegistration* r = detail::resourceHead; r != nullptr; r = r->next_)
        if (r->type_ == type && SameTextAscii(r->name_, name)) return r->bytes_;
    return std::nullopt;
}

}  // namespace cvcalc
