// The filer base.
#include "shell/core/Filer.h"

namespace cvcalc {

TFiler::TFiler(TStream& stream, std::size_t bufferSize) : stream_(stream), buffer_(bufferSize ? bufferSize : 1) {}

TFiler::~TFiler() = default;

void TFiler::AssignRoot(TComponent* root) {
    root_ = root;
    lookupRoot_ = root;
}

}  // namespace cvcalc
