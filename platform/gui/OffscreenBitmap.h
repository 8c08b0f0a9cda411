// Off-screen bitmaps: 24-bit pixel buffers with their own drawing surface,
// copied to windows in one block (every chart paints into one).
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/gui/GuiTypes.h"

namespace cvcalc {

class TNativeWindow;
class TSurface;

class TOffscreenBitmap {
public:
    // Sizes are clamped to 0 .. 32767; the pixels start white.
    explicit TOffscreenBitmap(int width = 0, int height = 0);
    TOffscreenBitmap(const TOffscreenBitmap&) = delete;
    TOffscreenBitmap& operator=(const TOffscreenBitmap&) = delete;
    ~TOffscreenBitmap();

    int Width() const;
    int Height() const;
    // A new size starts white again; the surface is reset to its defaults.
    // Setting the same size keeps pixels and surface.
    void SetSize(int width, int height);

    // The surface that draws into this bitmap.  The reference stays valid for
    // the bitmap's life; its settings persist between uses.
    TSurface& Surface();

    // The pixel at (x, y) as 0x00BBGGRR; InvalidColor outside the bitmap.
    RgbColor Pixel(int x, int y) const;
    // Paints `window`'s client area over this bitmap from its top-left
    // corner through the window's own Paint message, as the screen shows it
    // (what does not fit is cut).  Nothing for a window that no longer
    // exists.
    void PaintWindow(const TNativeWindow& window);

    // Writes the pixels as a PNG file; false when the file cannot be written.
    bool SavePng(const std::string& path) const;
    // The pixels as the bytes of a PNG file (empty for a 0 x 0 bitmap).
    // `description`, when there is one, goes into the file as its
    // "Description" text.
    std::string EncodePng(std::string_view description = {}) const;

    struct Impl;
    const Impl& Internal() const { return *impl_; }
    Impl& Internal() { return *impl_; }

private:
    std::unique_ptr<Impl> impl_;
};

}  // namespace cvcalc
