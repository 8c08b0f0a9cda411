// Images from the bottom-up BGR rows of 24-bit BMP pictures.
#include "platform/gui/NativeImage.h"

#include "platform/core/Exception.h"
#include "platform/core/MessageTable.h"
#include "platform/gui/QtBridge.h"

namespace cvcalc {

namespace {
constexpr int MaxDimension = 32767;
}

TNativeImage::TNativeImage() : impl_(std::make_unique<Impl>()) {}

TNativeImage::TNativeImage(const TNativeImage& other) : impl_(std::make_unique<Impl>(*other.impl_)) {}

TNativeImage& TNativeImage::operator=(const TNativeImage& other) {
    if (this != &other) *impl_ = *other.impl_;
    return *this;
}

TNativeImage::~TNativeImage() = default;

TNativeImage TNativeImage::FromBottomUpBgr(int width, int height, std::span<const std::uint8_t> pixels,
                                           std::size_t rowStride) {
    const auto invalid = [] { return Exception(LoadMessage(msg::InvalidImage)); };
    if (width <= 0 || height <= 0 || width > MaxDimension || height > MaxDimension) throw invalid();
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
    if (rowStride < rowBytes) throw invalid();
    // Every row but the last needs its full stride; the last only its pixels.
    const std::size_t needed = rowStride * static_cast<std::size_t>(height - 1) + rowBytes;
    if (pixels.size() < needed) throw invalid();

    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull()) throw invalid();
    for (int row = 0; row < height; ++row) {
        const std::uint8_t* src = pixels.data() + rowStride * static_cast<std::size_t>(height - 1 - row);
        auto* dst = reinterpret_cast<QRgb*>(image.scanLine(row));
        for (int x = 0; x < width; ++x, src += 3) dst[x] = qRgb(src[2], src[1], src[0]);
    }
    TNativeImage result;
    result.impl_->image = std::move(image);
    return result;
}

int TNativeImage::Width() const { return impl_->image.width(); }

int TNativeImage::Height() const { return impl_->image.height(); }

RgbColor TNativeImage::Pixel(int x, int y) const {
    if (!impl_->image.valid(x, y)) return InvalidColor;
    return FromQRgb(impl_->image.pixel(x, y));
}

}  // namespace cvcalc
