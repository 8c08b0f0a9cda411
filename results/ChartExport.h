// A chart out of the program: as a picture (PNG from its bitmap; SVG and
// PDF drawn by the same painting code onto a vector document) or as its
// data (CSV).  Every function answers the file's bytes; writing them is the
// caller's (ResultFiles.h).
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "results/RunRecord.h"

namespace cvcalc {

class TCustomChart;

enum class ChartFileFormat : unsigned char { Png, Svg, Pdf, Csv };

// The extension of a file name's last component, without its dot (empty
// when there is none).
std::string_view FileExtension(std::string_view path);

// The format a file name asks for by its extension (any case); nothing for
// another extension or none.
std::optional<ChartFileFormat> ChartFileFormatOf(std::string_view path);

// The run report's formats: .html (or .htm) and .pdf, in any case.
enum class ReportFileFormat : unsigned char { Html, Pdf };
std::optional<ReportFileFormat> ReportFileFormatOf(std::string_view path);

// The scales a figure is drawn at: those the window shows, or those of the
// whole run (before the first zoom or pan), as the report shows it.
enum class ChartScales : unsigned char { AsShown, WholeRun };

// The chart as a picture.  `about` (RunAbout) goes into the file's
// metadata, so that a figure names the run it shows.  Every picture holds
// what the window shows over the chart's rectangle: the chart and the
// graphic controls over it.  A PNG at scale 1 is the window's pixels; at 2
// or 4 the chart's layout is drawn that many device pixels to the pixel,
// as a high-resolution screen shows it (ChartPngScales).  An SVG or a PDF
// is as large on paper as the chart on a 96 dpi screen.
inline constexpr int ChartPngScales[] = {1, 2, 4};
std::string ChartPng(TCustomChart& chart, std::string_view about = {}, int scale = 1);
std::string ChartSvg(TCustomChart& chart, std::string_view about = {}, ChartScales scales = ChartScales::AsShown);
std::string ChartPdf(TCustomChart& chart, std::string_view about = {}, ChartScales scales = ChartScales::AsShown);

// The run a result describes, in one line: its inputs, and whether a later
// run stopped at an input error; "no run" before the first.
std::string RunAbout(const RunRecord& run);

// A held run as data files name it: the number its series' names carry
// ("Held<k>Series1") and its inputs in one line (RunInputsLine).
struct HeldRunInputs {
    int number = 0;
    std::string inputs;
};

// What a data file calls the chart's columns and series.  The chart knows
// only its axis titles and its series' published names; the window that
// fills it knows what they are.
struct CsvNames {
    // The columns in ASCII with their units, "V (V)" and "C (pF)"; empty
    // for the axis titles.
    std::string x, y;
    // A series' name in the file from its published name ("Series1" gives
    // "C"); unset, or answering empty, for the published name.
    std::function<std::string(std::string_view)> series;
    // The held runs whose series the charts hold, oldest first.
    std::vector<HeldRunInputs> held;
};

// The k of a held run's series name "Held<k><name>"; 0 for any other name.
int HeldRunNumber(std::string_view published);

// The name a data file gives a series: a published name "Held<k><name>"
// becomes "held k (<that run's inputs>) <name in the file>", any other
// the name `names` gives it, else its own.
std::string CsvSeriesName(std::string_view published, const CsvNames& names);

// The chart's series as CSV in long format: '#' comment lines (program and
// version, the inputs as used, Vbi, a later run that stopped at an input
// error, every held run's inputs, the fit with its range and area, the
// chart's name, the window's axis titles and how to read the columns), one
// header line "series,<x>,<y>", then one row per point: the series' name
// and x and y, each in the shortest text that reads back to the same
// double.  Series follow in the chart's order; one without points has no
// rows.
std::string ChartCsv(const TCustomChart& chart, const RunRecord& run, const CsvNames& names = {});

// A number as CSV writes it: the shortest text that reads back to the same
// double, in the C locale's notation whatever the user's locale ("-9.9",
// "1e+15", "0.5915006318095465"); "nan", "inf" and "-inf" for the others.
std::string DataNumber(double value);

// Any of the four formats, the pictures as the window shows the chart; a
// PNG at `scale`, a CSV with `names`.
std::string ChartFile(TCustomChart& chart, const RunRecord& run, ChartFileFormat format, int scale = 1,
                      const CsvNames& names = {});

}  // namespace cvcalc
