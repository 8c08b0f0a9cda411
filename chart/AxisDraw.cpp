// Axis stage four: the axis draws itself beside the plotting area —
// labels, title, axis line, outer and inner ticks, grid and minor marks.
#include <algorithm>
#include <cmath>

#include "chart/ChartAxis.h"
#include "chart/ChartDrawing.h"
#include "framework/Canvas.h"

namespace cvcalc {

void TChartAxis::Draw(TCanvas& canvas, const TChartRect& plot) {
    const double step = CalcLabelStep(TCanvasTextMetrics(canvas));
    const std::vector<TAxisLabel> labels = LabelValues(step);
    const std::vector<int>& ticks = tickPixels_;
    const bool horizontal = Horizontal();
    const int pos = horizontal ? (OtherSide() ? plot.top : plot.bottom) : (OtherSide() ? plot.right : plot.left);
    const int outward = OtherSide() ? (horizontal ? -1 : 1) : (horizontal ? 1 : -1);
    canvas.Brush().SetStyle(bsClear);
    // Labels first, in the label band: below the bottom axis each is centred
    // on its pixel with its top at the band's edge; beside the left axis it
    // ends at the edge, centred on its pixel.
    const int labelEdge = LabelEdge();
    int labelDepth = 0;  // the labels' extent away from the axis
    if (Labels()) {
        UseFont(canvas, *LabelsFont());
        for (const TAxisLabel& l : labels) {
            const int tw = canvas.TextWidth(l.text), th = canvas.TextHeight(l.text);
            labelDepth = std::max(labelDepth, horizontal ? th : tw);
            if (horizontal)
                canvas.TextOut(l.pixel - tw / 2, outward > 0 ? labelEdge : labelEdge - th, l.text);
            else
                canvas.TextOut(outward < 0 ? labelEdge - tw : labelEdge, l.pixel - th / 2, l.text);
        }
    }
    // What a mouse-down on this axis must hit: from the labels' outer edge
    // to three pixels inside the axis line.
    const int edge = labelEdge + outward * labelDepth;
    hitBand_ = outward > 0 ? THitBand{pos - 3, edge} : THitBand{edge, pos + 3};
    // The title in the band beyond the labels, centred on the axis: the
    // bottom title hangs from the band's inner edge, the left title reads
    // upwards with its plot side at that edge.
    const std::string& caption = Title()->Caption();
    if (!caption.empty() && Title()->Visible()) {
        UseFont(canvas, *Title()->Font());
        const int tw = canvas.TextWidth(caption), th = canvas.TextHeight(caption);
        const int titleEdge = TitleEdge(), centre = CenterPos();
        if (horizontal) {
            canvas.TextOut(centre - tw / 2, outward > 0 ? titleEdge : titleEdge - th, caption);
        } else {
            // Turned a quarter anticlockwise the text lies right of its
            // starting point, turned clockwise left of it.
            canvas.Font().SetOrientation(outward < 0 ? 900 : 2700);
            if (outward < 0)
                canvas.TextOut(titleEdge - th, centre + tw / 2, caption);
            else
                canvas.TextOut(titleEdge + th, centre - tw / 2, caption);
            canvas.Font().SetOrientation(0);
        }
    }
    // The axis line.
    if (AxisPen()->Visible()) {
        RealisePen(canvas, *AxisPen(), AxisPen()->Color());
        if (horizontal) {
            canvas.MoveTo(plot.left, pos);
            canvas.LineTo(plot.right, pos);
        } else {
            canvas.MoveTo(pos, plot.top);
            canvas.LineTo(pos, plot.bottom);
        }
    }
    // Marks across the axis at the given pixels, from `from` to `to` pixels
    // outwards of the axis line (the last one left out, as LineTo does).
    auto marks = [&](const TChartPen& pen, const std::vector<int>& pixels, int from, int to) {
        if (!pen.Visible() || from == to || pixels.empty()) return;
        RealisePen(canvas, pen, pen.Color());
        for (const int p : pixels) {
            if (horizontal) {
                canvas.MoveTo(p, pos + from * outward);
                canvas.LineTo(p, pos + to * outward);
            } else {
                canvas.MoveTo(pos + from * outward, p);
                canvas.LineTo(pos + to * outward, p);
            }
        }
    };
    // Lines across the whole plotting area at the given pixels.
    auto across = [&](const TChartPen& pen, const std::vector<int>& pixels) {
        if (!pen.Visible() || pixels.empty()) return;
        RealisePen(canvas, pen, pen.Color());
        for (const int p : pixels) {
            if (horizontal) {
                canvas.MoveTo(p, plot.top);
                canvas.LineTo(p, plot.bottom);
            } else {
                canvas.MoveTo(plot.left, p);
                canvas.LineTo(plot.right, p);
            }
        }
    };
    // Outer ticks start one pixel outside the axis line; then the grid and
    // the inner ticks.
    marks(*Ticks(), ticks, 1, 1 + TickLength());
    across(*Grid(), ticks);
    marks(*TicksInner(), ticks, 0, -TickInnerLength());
    // Minor ticks: MinorTickCount between each two ticks and as many beyond
    // the outer ones, each gap split evenly; only those strictly inside the
    // axis ends.  The minor grid shares their places.
    const int count = MinorTickCount();
    // A logarithmic scale's minor marks are the 2 … 9 of each decade.
    if (Scale().Logarithmic()) {
        if (count > 0 && (MinorTicks()->Visible() || MinorGrid()->Visible())) {
            const std::vector<int> minor = AxisLogarithmicMinorPixels(Scale(), LabelSettings(), step);
            marks(*MinorTicks(), minor, 1, 1 + MinorTickLength());
            across(*MinorGrid(), minor);
        }
        return;
    }
    if (count > 0 && ticks.size() >= 2 && (MinorTicks()->Visible() || MinorGrid()->Visible())) {
        std::vector<int> minor;
        auto add = [&](double p) {
            const int pixel = static_cast<int>(std::nearbyint(p));
            if (pixel > StartPos() && pixel < EndPos()) minor.push_back(pixel);
        };
        const double outer = static_cast<double>(ticks[1] - ticks[0]) / (count + 1);
        for (int j = 1; j <= count; ++j) {
            add(ticks.front() - std::nearbyint(j * outer));
            add(ticks.back() + std::nearbyint(j * outer));
        }
        for (std::size_t i = 1; i < ticks.size(); ++i) {
            const double m = static_cast<double>(ticks[i] - ticks[i - 1]) / (count + 1);
            for (int j = 1; j <= count; ++j) add(ticks[i] - std::nearbyint(j * m));
        }
        marks(*MinorTicks(), minor, 1, 1 + MinorTickLength());
        across(*MinorGrid(), minor);
    }
}

}  // namespace cvcalc
