// Tags and boxes over a chart's plot.
#include "chart/ChartNotes.h"

#include <algorithm>

#include "chart/ChartAxis.h"
#include "chart/ChartDrawing.h"
#include "chart/ChartGraphicsTypes.h"
#include "framework/Canvas.h"

namespace cvcalc {

namespace {
constexpr int Gap = 3;      // between a tag and its point, a box and the plot's edges
constexpr int Padding = 3;  // inside a box
}  // namespace

void DrawChartNotes(TCanvas& canvas, const std::vector<TChartNote>& notes, const TChartAxis& horizontal,
                    const TChartAxis& vertical, const TChartRect& plot) {
    if (notes.empty()) return;
    UseFont(canvas, *horizontal.LabelsFont());
    canvas.SetBackgroundMode(bmTransparent);
    canvas.SetTextAlign(0);
    // Tags that would fall on one another are stacked downwards.
    std::vector<TRect> placed;
    for (const TChartNote& note : notes) {
        if (note.lines.empty()) continue;
        int width = 0;
        const int lineHeight = canvas.TextHeight("Ag");
        for (const std::string& line : note.lines) width = std::max(width, canvas.TextWidth(line));
        const int height = lineHeight * int(note.lines.size());
        int left = 0, top = 0;
        if (note.place == TChartNote::Place::AtPoint) {
            left = horizontal.ValueToPixel(note.x) - Gap - width;
            top = vertical.ValueToPixel(note.y) - Gap - height;
            // Kept inside the plot where it can be.
            left = std::clamp(left, plot.left + Gap, std::max(plot.left + Gap, plot.right - Gap - width));
            top = std::clamp(top, plot.top + Gap, std::max(plot.top + Gap, plot.bottom - Gap - height));
            auto overlaps = [&](int t) {
                return std::any_of(placed.begin(), placed.end(), [&](const TRect& r) {
                    return left < r.right && r.left < left + width && t < r.bottom && r.top < t + height;
                });
            };
            for (int tries = 0; tries < 64 && overlaps(top); ++tries) top += lineHeight;
            placed.push_back(TRect{left, top, left + width, top + height});
        } else {
            left = plot.right - Gap - 2 * Padding - width;
            top = plot.top + Gap;
            canvas.Pen().SetStyle(psSolid);
            canvas.Pen().SetMode(pmCopy);
            canvas.Pen().SetWidth(1);
            canvas.Pen().SetColor(note.color);
            canvas.Brush().SetStyle(bsSolid);
            canvas.Brush().SetColor(clWhite);
            canvas.Rectangle(left, top, left + width + 2 * Padding, top + height + 2 * Padding);
            left += Padding;
            top += Padding;
        }
        canvas.Font().SetColor(note.color);
        for (std::size_t i = 0; i < note.lines.size(); ++i)
            canvas.TextOut(left, top + int(i) * lineHeight, note.lines[i]);
    }
}

}  // namespace cvcalc
