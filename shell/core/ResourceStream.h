// TResourceStream: a read-only stream over one of the program's embedded
// resources.
#pragma once

#include <span>
#include <string_view>

#include "shell/core/Stream.h"

namespace cvcalc {

class TResourceStream : public TStream {
public:
    // The resource of that type and name; EResNotFound "%s リソースが見つかりません"
    // when there is none.
    TResourceStream(int type, std::string_view name);
    // A stream over bytes that outlive it.
    explicit TResourceStream(std::span<const unsigned char> bytes) : bytes_(bytes) {}

    std::size_t Read(void* buffer, std::size_t count) override;
    std::size_t Write(const void* buffer, std::size_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;

private:
    std::span<const unsigned char> bytes_;
    std::size_t position_ = 0;
};

}  // namespace cvcalc
