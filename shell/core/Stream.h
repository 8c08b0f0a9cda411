// TStream: a sequence of bytes with a position, read and written in blocks.
#pragma once

#include <cstddef>
#include <cstdint>

namespace cvcalc {

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream {
public:
    TStream() = default;
    TStream(const TStream&) = delete;
    TStream& operator=(const TStream&) = delete;
    virtual ~TStream();

    // Up to `count` bytes; fewer (0 at the end) when the stream ends.
    virtual std::size_t Read(void* buffer, std::size_t count) = 0;
    // The number of bytes written (0 for a read-only stream).
    virtual std::size_t Write(const void* buffer, std::size_t count) = 0;
    // The new position, clamped to 0..Size().
    virtual std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) = 0;

    std::int64_t Position() { return Seek(0, TSeekOrigin::soCurrent); }
    void SetPosition(std::int64_t position) { Seek(position, TSeekOrigin::soBeginning); }
    std::int64_t Size();

    // Exactly `count` bytes, or EReadError "ストリームからの読み込みエラー".
    void ReadBuffer(void* buffer, std::size_t count);
};

}  // namespace cvcalc
