// The program's embedded resources: byte blocks compiled into the executable,
// found by type and by name (names compared without regard to case).
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

namespace cvcalc {

// Resource types, numbered as the classic module resource types.
inline constexpr int RT_BITMAP = 2;
inline constexpr int RT_STRING = 6;
inline constexpr int RT_RCDATA = 10;
inline constexpr int RT_GROUP_ICON = 14;
inline constexpr int RT_HTML = 23;

using ResourceBytes = std::span<const unsigned char>;

// A static object of this class registers one embedded block; the build
// generates one per embedded file.  The data must outlive the program.
class ResourceRegistration;

namespace detail {
// The head of the registration list.  Inline, so that a generated resource
// archive links without pulling anything else in.
inline const ResourceRegistration* resourceHead = nullptr;
}  // namespace detail

class ResourceRegistration {
public:
    ResourceRegistration(int type, const char* name, const unsigned char* data, std::size_t size)
        : type_(type), name_(name), bytes_(data, size), next_(detail::resourceHead) {
        detail::resourceHead = this;
    }
    ResourceRegistration(const ResourceRegistration&) = delete;
    ResourceRegistration& operator=(const ResourceRegistration&) = delete;

private:
    friend std::optional<ResourceBytes> FindResource(int type, std::string_view name);

    int type_;
    const char* name_;
    ResourceBytes bytes_;
    const ResourceRegistration* next_;
};

// The resource of that type and name, or nothing.
std::optional<ResourceBytes> FindResource(int type, std::string_view name);

}  // namespace cvcalc
