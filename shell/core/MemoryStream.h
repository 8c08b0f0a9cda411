// TMemoryStream: a growable stream held in memory.
#pragma once

#include <span>
#include <vector>

#include "shell/core/Stream.h"

namespace cvcalc {

class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::span<const unsigned char> bytes) : bytes_(bytes.begin(), bytes.end()) {}

    std::size_t Read(void* buffer, std::size_t count) override;
    std::size_t Write(const void* buffer, std::size_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;

    const std::vector<unsigned char>& Bytes() const noexcept { return bytes_; }
    void Clear() noexcept;

private:
    std::vector<unsigned char> bytes_;
    std::size_t position_ = 0;
};

}  // namespace cvcalc
