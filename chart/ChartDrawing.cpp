// Chart pens and fonts on the canvas, and the canvas as text measurer.
#include "chart/ChartDrawing.h"

#include <algorithm>

#include "chart/ChartBrush.h"
#include "chart/ChartPen.h"
#include "framework/Canvas.h"

namespace cvcalc {

void RealisePen(TCanvas& canvas, const TChartPen& pen, TColor color) {
    TPen& p = canvas.Pen();
    p.SetMode(pmCopy);
    if (!pen.Visible()) {
        p.SetStyle(psClear);
        return;
    }
    p.SetColor(color == clAutoColor ? TColor(0x808080) : color);
    if (pen.SmallDots()) {
        // A cosmetic pen that sets every other pixel.
        p.SetWidth(1);
        p.SetStyle(psAlternate);
        return;
    }
    p.SetWidth(std::max(pen.Width(), 1));
    p.SetStyle(pen.Style());
    p.SetEnd(pen.EndStyle() == esSquare ? peSquare : (pen.EndStyle() == esFlat ? peFlat : peRound));
}

void UseFont(TCanvas& canvas, const TChartFont& font) {
    TFont& f = canvas.Font();
    f.SetName(font.Name());
    f.SetHeight(font.Height());
    f.SetColor(font.Color());
    f.SetStyle(font.Style());
}

int TCanvasTextMetrics::TextWidth(const TChartFont& font, const std::string& text) const {
    UseFont(canvas_, font);
    return canvas_.TextWidth(text);
}

int TCanvasTextMetrics::TextHeight(const TChartFont& font, const std::string& text) const {
    UseFont(canvas_, font);
    return canvas_.TextHeight(text.empty() ? std::string("0") : text);
}

}  // namespace cvcalc
