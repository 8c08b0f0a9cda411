// A growable array of doubles: the sample lists a junction result owns.
// Every indexed access is checked and raises DynArrayOutOfRange with the
// offending index and the length.
#pragma once

#include <cstddef>
#include <vector>

namespace cvcalc {

class SampleArray {
public:
    // The longest list the array accepts; the junction model needs a few
    // thousand samples, so anything near this is a runaway count.
    static constexpr std::ptrdiff_t MaxLength = std::ptrdiff_t{1} << 24;

    // Keeps the first values, fills new places with zero.  A negative length
    // or one beyond MaxLength raises ERangeError.
    void Resize(std::ptrdiff_t length);
    void Clear() noexcept { values_.clear(); }

    std::size_t Size() const noexcept { return values_.size(); }
    bool Empty() const noexcept { return values_.empty(); }

    double& At(std::ptrdiff_t index);
    double At(std::ptrdiff_t index) const;
    double& operator[](std::ptrdiff_t index) { return At(index); }
    double operator[](std::ptrdiff_t index) const { return At(index); }

    double* Data() noexcept { return values_.data(); }
    const double* Data() const noexcept { return values_.data(); }
    const double* begin() const noexcept { return values_.data(); }
    const double* end() const noexcept { return values_.data() + values_.size(); }

private:
    void CheckIndex(std::ptrdiff_t index) const;

    std::vector<double> values_;
};

}  // namespace cvcalc
