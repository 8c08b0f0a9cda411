// Paged documents of text and vector figures on A4: written as PDF, or
// printed through the platform's print dialog.  The text is a page of simple
// HTML (headings, paragraphs, tables, sub- and superscripts); the figures
// follow it, two to a row, each drawn by its own painting code onto a
// vector surface and scaled to fit its cell.
#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/core/Exception.h"

namespace cvcalc {

class TNativeWindow;
class TSurface;

// Raised when the document cannot be written or the printer cannot print;
// the message names the printer or the file.
class EPrint : public Exception {
public:
    using Exception::Exception;
};

struct DocumentFigure {
    // The figure's own size in pixels; `draw` paints it within
    // (0, 0)-(width, height) as it would paint a bitmap of that size.
    int width = 0;
    int height = 0;
    std::string caption;  // UTF-8, set under the figure
    std::function<void(TSurface&)> draw;
};

// The document as PDF bytes: A4 pages, texts selectable and searchable with
// their fonts embedded, `title` in the document's metadata.  What a
// figure's `draw` throws ends the document and travels on.
std::string RenderPdfDocument(std::string_view html, std::span<const DocumentFigure> figures, std::string_view title);

// Asks for a printer in the platform's print dialog (owned by `owner`, or
// the active window) and prints the document there.  False when the dialog
// was cancelled.
bool PrintDocument(const TNativeWindow* owner, std::string_view html, std::span<const DocumentFigure> figures,
                   std::string_view title);

// The test seam of the print dialog: with a responder set, it answers in
// place of the dialog and nothing is shown.  Nothing: the user cancelled;
// a path: the printer prints into that PDF file.
struct PrintRequest {
    const TNativeWindow* owner = nullptr;
    std::string title;
};
using PrintDialogResponder = std::function<std::optional<std::string>(const PrintRequest&)>;
void SetPrintDialogResponder(PrintDialogResponder responder);

}  // namespace cvcalc
