// Run-time faults of the processor and of floating-point arithmetic, as
// errors of the program's family with their texts from the message table.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/core/Exception.h"

namespace cvcalc {

class EExternal : public Exception {
public:
    using Exception::Exception;
};

class EMathError : public EExternal {
public:
    using EExternal::EExternal;
};

class EInvalidOp : public EMathError {
public:
    EInvalidOp();
};

class EZeroDivide : public EMathError {
public:
    EZeroDivide();
};

class EOverflow : public EMathError {
public:
    EOverflow();
};

class EUnderflow : public EMathError {
public:
    EUnderflow();
};

class EIntError : public EExternal {
public:
    using EExternal::EExternal;
};

class EDivByZero : public EIntError {
public:
    EDivByZero();
};

class ERangeError : public EIntError {
public:
    ERangeError();
};

class EIntOverflow : public EIntError {
public:
    EIntOverflow();
};

class EControlC : public EExternal {
public:
    EControlC();
};

// Any other platform exception code, shown in hexadecimal.
class EExternalException : public EExternal {
public:
    explicit EExternalException(std::uint32_t code);
    std::uint32_t Code() const noexcept { return code_; }

private:
    std::uint32_t code_;
};

// An index outside a growable array: a range error that remembers where.
class DynArrayOutOfRange : public ERangeError {
public:
    DynArrayOutOfRange(std::ptrdiff_t index, std::size_t length) : index_(index), length_(length) {}
    std::ptrdiff_t Index() const noexcept { return index_; }
    std::size_t Length() const noexcept { return length_; }

private:
    std::ptrdiff_t index_;
    std::size_t length_;
};

}  // namespace cvcalc
