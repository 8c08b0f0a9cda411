// Tags and boxes over a chart's plot.
#include "chart/ChartNotes.h"

#include <algorithm>
#include <cstdint>

#include "chart/ChartAxis.h"
#include "chart/ChartDrawing.h"
#include "chart/ChartGraphicsTypes.h"
#include "framework/Canvas.h"

namespace cvcalc {

namespace {
constexpr int Gap = 3;           // between a tag and its point, a box and the plot's edges
constexpr int Padding = 3;       // inside a box
constexpr int SwatchWidth = 18;  // a legend's stroke, with a gap before its text

bool Overlap(const TRect& a, const TRect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// The candidates' edges cut the plane into at most 15 x 15 cells; each
// point's weight goes to its cell once, and a candidate's cost is the sum of
// the cells it covers, so the cost of a placement no longer grows with the
// points times the candidates.
class TCellWeights {
public:
    TCellWeights(const std::vector<TRect>& candidates, const TChartNote& note, const std::vector<TNotePoint>& points) {
        for (const TRect& r : candidates) {
            xEdges_.push_back(r.left);
            xEdges_.push_back(r.right);
            yEdges_.push_back(r.top);
            yEdges_.push_back(r.bottom);
        }
        for (std::vector<int>* edges : {&xEdges_, &yEdges_}) {
            std::sort(edges->begin(), edges->end());
            edges->erase(std::unique(edges->begin(), edges->end()), edges->end());
        }
        columns_ = xEdges_.size() - 1;
        weights_.assign(columns_ * (yEdges_.size() - 1), 0.0);
        // A chart may hold a million points: each finds its cell in a table
        // by pixel, not by a search among the edges.
        const std::vector<std::size_t> columnOf = Cells(xEdges_), rowOf = Cells(yEdges_);
        const int x0 = xEdges_.front(), y0 = yEdges_.front();
        const std::size_t width = columnOf.size(), height = rowOf.size();
        for (const TNotePoint& p : points) {
            const std::size_t x = std::size_t(std::int64_t(p.px) - x0), y = std::size_t(std::int64_t(p.py) - y0);
            if (x >= width || y >= height) continue;
            weights_[rowOf[y] * columns_ + columnOf[x]] += note.avoidFrom <= p.x && p.x <= note.avoidTo ? 1e6 : 1;
        }
    }

    // The weights are whole numbers far below 2^53, so their sum is the
    // same in any order.
    double Cost(const TRect& r) const {
        const std::size_t c0 = Edge(xEdges_, r.left), c1 = Edge(xEdges_, r.right);
        const std::size_t r0 = Edge(yEdges_, r.top), r1 = Edge(yEdges_, r.bottom);
        double cost = 0;
        for (std::size_t row = r0; row < r1; ++row)
            for (std::size_t column = c0; column < c1; ++column) cost += weights_[row * columns_ + column];
        return cost;
    }

private:
    // For each pixel from the first edge up to the last, the cell
    // [edges[i], edges[i + 1]) that holds it.
    static std::vector<std::size_t> Cells(const std::vector<int>& edges) {
        std::vector<std::size_t> cells;
        cells.reserve(std::size_t(std::int64_t(edges.back()) - edges.front()));
        for (std::size_t i = 0; i + 1 < edges.size(); ++i)
            cells.insert(cells.end(), std::size_t(std::int64_t(edges[i + 1]) - edges[i]), i);
        return cells;
    }
    static std::size_t Edge(const std::vector<int>& edges, int v) {
        return std::size_t(std::lower_bound(edges.begin(), edges.end(), v) - edges.begin());
    }

    std::vector<int> xEdges_, yEdges_;
    std::size_t columns_ = 0;
    std::vector<double> weights_;
};

// The place for a box of `width` x `height` that hides the fewest points,
// none that `note` keeps visible where it can, and overlaps no box placed
// before: a corner where one will do (top right first on a tie, then top
// left, bottom right, bottom left), otherwise a place along the edges or
// inside, on a grid of quarters of the room left.
TRect BestPlace(const TChartNote& note, int width, int height, const TChartRect& plot,
                const std::vector<TNotePoint>& points, const std::vector<TRect>& placed) {
    const int left = plot.left + Gap, right = std::max(left, plot.right - Gap - width);
    const int top = plot.top + Gap, bottom = std::max(top, plot.bottom - Gap - height);
    std::vector<TRect> candidates;
    const auto add = [&](int x, int y) { candidates.push_back({x, y, x + width, y + height}); };
    add(right, top);
    add(left, top);
    add(right, bottom);
    add(left, bottom);
    for (int i = 0; i <= 4; ++i)
        for (int j = 0; j <= 4; ++j) add(left + (right - left) * i / 4, top + (bottom - top) * j / 4);
    const TCellWeights weights(candidates, note, points);
    TRect best = candidates.front();
    double bestCost = -1;
    for (const TRect& r : candidates) {
        double cost = 0;
        for (const TRect& other : placed)
            if (Overlap(r, other)) cost += 1e12;
        cost += weights.Cost(r);
        if (bestCost < 0 || cost < bestCost) {
            best = r;
            bestCost = cost;
        }
    }
    return best;
}
}  // namespace

void DrawChartNotes(TCanvas& canvas, const std::vector<TChartNote>& notes, const TChartAxis& horizontal,
                    const TChartAxis& vertical, const TChartRect& plot, const std::vector<TNotePoint>& points) {
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
        const int swatchWidth = note.swatches.empty() ? 0 : SwatchWidth;
        for (const std::string& line : note.lines) width = std::max(width, swatchWidth + canvas.TextWidth(line));
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
            if (note.place == TChartNote::Place::BestCorner) {
                const TRect box = BestPlace(note, width + 2 * Padding, height + 2 * Padding, plot, points, placed);
                left = box.left;
                top = box.top;
                placed.push_back(box);
            } else {
                left = plot.right - Gap - 2 * Padding - width;
                top = plot.top + Gap;
            }
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
        for (std::size_t i = 0; i < note.lines.size() && i < note.swatches.size(); ++i) {
            const int y = top + int(i) * lineHeight + lineHeight / 2;
            canvas.Pen().SetStyle(note.swatches[i].style);
            canvas.Pen().SetColor(note.swatches[i].color);
            canvas.Pen().SetWidth(1);
            canvas.MoveTo(left, y);
            canvas.LineTo(left + SwatchWidth - 4, y);
        }
        canvas.Pen().SetStyle(psSolid);
        canvas.Font().SetColor(note.color);
        for (std::size_t i = 0; i < note.lines.size(); ++i)
            canvas.TextOut(left + swatchWidth, top + int(i) * lineHeight, note.lines[i]);
    }
}

}  // namespace cvcalc
