// The system clipboard: a figure offered as PNG and SVG at once, so that
// every program takes the kind it reads best.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace cvcalc {

// Puts the figure on the clipboard: `png` as an image (also under
// "image/png") and `svg` under "image/svg+xml".
void CopyFigureToClipboard(std::string_view png, std::string_view svg);

// The clipboard's contents under one type (empty when there is none).
std::string ClipboardData(std::string_view mimeType);
std::vector<std::string> ClipboardTypes();

}  // namespace cvcalc
