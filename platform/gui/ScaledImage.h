// A figure as a picture at twice or four times its size, drawn as a window
// of that many device pixels to the pixel draws: the layout in the
// figure's pixels, fonts and pens scaled with it, lines and texts smooth.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/gui/GuiTypes.h"

namespace cvcalc {

class TSurface;

class TScaledImage {
public:
    // `width` x `height` pixels of the figure, `scale` (1 to 8) device
    // pixels to each; white to begin with.
    TScaledImage(int width, int height, int scale);
    TScaledImage(const TScaledImage&) = delete;
    TScaledImage& operator=(const TScaledImage&) = delete;
    ~TScaledImage();

    // The surface that draws on the picture in the figure's pixels, as a
    // vector document's does: positions between pixels are kept.
    TSurface& Surface();

    // The device pixels, scale times the figure's size each way.
    int DeviceWidth() const;
    int DeviceHeight() const;
    // The device pixel at (x, y) as 0x00BBGGRR (InvalidColor outside), once
    // drawing has ended (EncodePng or FinishDrawing).
    RgbColor Pixel(int x, int y) const;

    // Ends the drawing; the surface draws nothing afterwards.
    void FinishDrawing();
    // Ends the drawing and answers the picture as the bytes of a PNG file
    // whose resolution (96 dpi times the scale) gives the figure's own
    // size on paper; `description` goes in as its "Description" text.
    std::string EncodePng(std::string_view description = {});

    struct Impl;

private:
    std::unique_ptr<Impl> impl_;
};

}  // namespace cvcalc
