// The resource table: a singly linked list of static registrations, built
// before main() runs and never changed afterwards, so lookups need no lock.
#include "platform/core/Resources.h"

#include "platform/core/AsciiCase.h"

namespace cvcalc {

namespace {
const ResourceRegistration*& Head() noexcept {
    static const ResourceRegistration* head = nullptr;
    return head;
}
}  // namespace

ResourceRegistration::ResourceRegistration(int type, const char* name, const unsigned char* data, std::size_t size)
    : type_(type), name_(name), bytes_(data, size), next_(Head()) {
    Head() = this;
}

std::optional<ResourceBytes> FindResource(int type, std::string_view name) {
    for (const ResourceRegistration* r = Head(); r != nullptr; r = r->next_)
        if (r->type_ == type && SameTextAscii(r->name_, name)) return r->bytes_;
    return std::nullopt;
}

}  // namespace cvcalc
