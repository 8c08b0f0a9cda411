// The stream base and its two in-memory kinds.
#include "shell/core/Stream.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/core/MessageTable.h"
#include "platform/core/Resources.h"
#include "shell/core/MemoryStream.h"
#include "shell/core/ResourceStream.h"
#include "shell/core/StreamErrors.h"

namespace cvcalc {

namespace {
std::size_t SeekWithin(std::size_t size, std::size_t position, std::int64_t offset, TSeekOrigin origin) {
    std::int64_t base = 0;
    if (origin == TSeekOrigin::soCurrent) base = static_cast<std::int64_t>(position);
    if (origin == TSeekOrigin::soEnd) base = static_cast<std::int64_t>(size);
    const std::int64_t limit = static_cast<std::int64_t>(size);
    // Clamped before adding so a hostile offset cannot overflow.
    offset = std::clamp(offset, -base, limit - base);
    return static_cast<std::size_t>(base + offset);
}
}  // namespace

TStream::~TStream() = default;

std::int64_t TStream::Size() {
    const std::int64_t here = Position();
    const std::int64_t end = Seek(0, TSeekOrigin::soEnd);
    Seek(here, TSeekOrigin::soBeginning);
    return end;
}

void TStream::ReadBuffer(void* buffer, std::size_t count) {
    auto* out = static_cast<unsigned char*>(buffer);
    while (count > 0) {
        const std::size_t got = Read(out, count);
        if (got == 0) RaiseMessage<EReadError>(msg::ReadError);
        out += got;
        count -= got;
    }
}

std::size_t TMemoryStream::Read(void* buffer, std::size_t count) {
    const std::size_t n = std::min(count, bytes_.size() - position_);
    if (n) std::memcpy(buffer, bytes_.data() + position_, n);
    position_ += n;
    return n;
}

std::size_t TMemoryStream::Write(const void* buffer, std::size_t count) {
    if (count == 0) return 0;
    if (position_ + count > bytes_.size()) bytes_.resize(position_ + count);
    std::memcpy(bytes_.data() + position_, buffer, count);
    position_ += count;
    return count;
}

std::int64_t TMemoryStream::Seek(std::int64_t offset, TSeekOrigin origin) {
    position_ = SeekWithin(bytes_.size(), position_, offset, origin);
    return static_cast<std::int64_t>(position_);
}

void TMemoryStream::Clear() noexcept {
    bytes_.clear();
    position_ = 0;
}

TResourceStream::TResourceStream(int type, std::string_view name) {
    const auto bytes = FindResource(type, name);
    if (!bytes) RaiseMessage<EResNotFound>(msg::ResNotFound, {name});
    bytes_ = *bytes;
}

std::size_t TResourceStream::Read(void* buffer, std::size_t count) {
    const std::size_t n = std::min(count, bytes_.size() - position_);
    if (n) std::memcpy(buffer, bytes_.data() + position_, n);
    position_ += n;
    return n;
}

std::size_t TResourceStream::Write(const void*, std::size_t) { return 0; }

std::int64_t TResourceStream::Seek(std::int64_t offset, TSeekOrigin origin) {
    position_ = SeekWithin(bytes_.size(), position_, offset, origin);
    return static_cast<std::int64_t>(position_);
}

}  // namespace cvcalc
