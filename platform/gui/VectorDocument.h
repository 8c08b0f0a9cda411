// Vector documents: one page of SVG or PDF that a surface draws on as it
// draws on a bitmap, with lines and outlines as paths and texts as text.
// A chart drawn here comes out as the figure its bitmap shows.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace cvcalc {

class TSurface;

enum class VectorFormat : unsigned char { Svg, Pdf };

class TVectorDocument {
public:
    // One page `width` x `height` pixels, at 96 pixels to the inch (a PDF
    // page of width * 0.75 points).  `title` goes into the document's
    // metadata, and `description`, when there is one, too: an SVG's
    // <desc>, a PDF's title after the title.
    TVectorDocument(VectorFormat format, int width, int height, std::string_view title,
                    std::string_view description = {});
    TVectorDocument(const TVectorDocument&) = delete;
    TVectorDocument& operator=(const TVectorDocument&) = delete;
    ~TVectorDocument();

    // The surface that draws on the page, until Finish.
    TSurface& Surface();

    // Ends the page and answers the document's bytes; the surface draws
    // nothing afterwards.  Called once.
    std::string Finish();

    struct Impl;

private:
    std::unique_ptr<Impl> impl_;
};

class TOffscreenBitmap;

// Draws an SVG document over the whole of `target`, scaled to its size, on
// white.  False (and `target` white) when the bytes are no SVG the
// platform's renderer accepts.
bool RenderSvg(std::string_view svg, TOffscreenBitmap& target);

}  // namespace cvcalc
