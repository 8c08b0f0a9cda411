// TGraphic: a picture's content that can draw itself on a canvas.  The
// bitmap is the only kind this program stores.
#pragma once

#include "shell/core/Persistent.h"

namespace cvcalc {

class TCanvas;
class TStream;

class TGraphic : public TPersistent {
public:
    CVCALC_CLASS_INFO()

    virtual int Width() const = 0;
    virtual int Height() const = 0;
    bool Empty() const { return Width() == 0 || Height() == 0; }
    virtual void Draw(TCanvas& canvas, int x, int y) const = 0;
    // Reads the graphic's own part of "Picture.Data" (after the class name).
    virtual void ReadData(TStream& stream) = 0;
};

}  // namespace cvcalc
