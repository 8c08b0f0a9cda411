// 24-bit images made from raw pixel rows (the framework's BMP pictures) and
// drawn onto surfaces.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

#include "platform/gui/GuiTypes.h"

namespace cvcalc {

class TNativeImage {
public:
    TNativeImage();  // empty, 0 x 0
    TNativeImage(const TNativeImage& other);
    TNativeImage& operator=(const TNativeImage& other);
    ~TNativeImage();

    // Builds an image from the pixel rows of an uncompressed 24-bit BMP:
    // `height` rows of `rowStride` bytes each, bottom row first, each pixel
    // three bytes blue, green, red.  Throws Exception with the message
    // msg::InvalidImage when a dimension is not positive (or above 32767),
    // the stride is shorter than width * 3, or `pixels` holds fewer than
    // height * rowStride bytes (the last row may omit its padding).
    static TNativeImage FromBottomUpBgr(int width, int height, std::span<const std::uint8_t> pixels,
                                        std::size_t rowStride);

    int Width() const;
    int Height() const;
    bool IsEmpty() const { return Width() == 0 || Height() == 0; }
    // InvalidColor outside the image.
    RgbColor Pixel(int x, int y) const;

    struct Impl;
    const Impl& Internal() const { return *impl_; }

private:
    std::unique_ptr<Impl> impl_;
};

}  // namespace cvcalc
