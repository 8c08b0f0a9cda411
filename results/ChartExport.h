// A chart out of the program: as a picture (PNG from its bitmap; SVG and
// PDF drawn by the same painting code onto a vector document) or as its
// data (CSV).  Every function answers the file's bytes; writing them is the
// caller's (ResultFiles.h).
#pragma once

#include <optional>
#include <string>
#include <string_view>

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

// The chart's series as CSV: '#' comment lines (program and version, the
// inputs as used, Vbi, a later run that stopped at an input error, the
// chart's name and axis titles), one header line
// "series,<x title>,<y title>", then one row per point: the series' name and
// x and y with 17 significant digits, which read back to the same doubles.
// Series follow in the chart's order; one without points has no rows.
std::string ChartCsv(const TCustomChart& chart, const RunRecord& run);

// A number as CSV and the report write it: 17 significant digits in the C
// locale's notation, whatever the user's locale.
std::string DataNumber(double value);

// Any of the four formats, the pictures as the window shows the chart; a
// PNG at `scale`.
std::string ChartFile(TCustomChart& chart, const RunRecord& run, ChartFileFormat format, int scale = 1);

}  // namespace cvcalc
