// The fixed system colour scheme.
#include "platform/gui/GuiTypes.h"

#include <array>

namespace cvcalc {

RgbColor SystemColor(int index) {
    // The light scheme of the classic desktop, so that a form's clBtnFace is
    // the same grey on every machine and in every screenshot.
    static constexpr std::array<RgbColor, 25> Scheme = {
        MakeRgb(200, 200, 200),  // ScrollBar
        MakeRgb(0, 0, 0),        // Background
        MakeRgb(153, 180, 209),  // ActiveCaption
        MakeRgb(191, 205, 219),  // InactiveCaption
        MakeRgb(240, 240, 240),  // Menu
        MakeRgb(255, 255, 255),  // Window
        MakeRgb(100, 100, 100),  // WindowFrame
        MakeRgb(0, 0, 0),        // MenuText
        MakeRgb(0, 0, 0),        // WindowText
        MakeRgb(0, 0, 0),        // CaptionText
        MakeRgb(180, 180, 180),  // ActiveBorder
        MakeRgb(244, 247, 252),  // InactiveBorder
        MakeRgb(171, 171, 171),  // AppWorkspace
        MakeRgb(0, 120, 215),    // Highlight
        MakeRgb(255, 255, 255),  // HighlightText
        MakeRgb(240, 240, 240),  // BtnFace
        MakeRgb(160, 160, 160),  // BtnShadow
        MakeRgb(109, 109, 109),  // GrayText
        MakeRgb(0, 0, 0),        // BtnText
        MakeRgb(0, 0, 0),        // InactiveCaptionText
        MakeRgb(255, 255, 255),  // BtnHighlight
        MakeRgb(105, 105, 105),  // DkShadow3D
        MakeRgb(227, 227, 227),  // Light3D
        MakeRgb(0, 0, 0),        // InfoText
        MakeRgb(255, 255, 225),  // InfoBk
    };
    if (index < 0 || index >= static_cast<int>(Scheme.size())) return 0;
    return Scheme[static_cast<std::size_t>(index)];
}

}  // namespace cvcalc
