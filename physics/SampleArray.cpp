// Checked access to the sample lists.
#include "physics/SampleArray.h"

#include "platform/core/RuntimeFaults.h"

namespace cvcalc {

void SampleArray::Resize(std::ptrdiff_t length) {
    if (length < 0 || length > MaxLength) throw ERangeError();
    values_.resize(static_cast<std::size_t>(length));
}

void SampleArray::CheckIndex(std::ptrdiff_t index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= values_.size()) throw DynArrayOutOfRange(index, values_.size());
}

double& SampleArray::At(std::ptrdiff_t index) {
    CheckIndex(index);
    return values_[static_cast<std::size_t>(index)];
}

double SampleArray::At(std::ptrdiff_t index) const {
    CheckIndex(index);
    return values_[static_cast<std::size_t>(index)];
}

}  // namespace cvcalc
