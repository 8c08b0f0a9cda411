// Plain value types the platform layer speaks in: pixel geometry, colours,
// mouse buttons, shift states and key codes.  No Qt type ever appears above
// platform/gui; these are what the framework sees instead.
#pragma once

#include <cstdint>

namespace cvcalc {

struct PixelPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

// A position between pixels, for figures that keep their exact geometry
// (vector documents): the same units as PixelPoint.
struct PixelPointF {
    double x = 0;
    double y = 0;
    friend bool operator==(const PixelPointF&, const PixelPointF&) = default;
};

struct PixelSize {
    int width = 0;
    int height = 0;
    friend bool operator==(const PixelSize&, const PixelSize&) = default;
};

// A rectangle in pixels, end exclusive: it covers the columns left .. right-1
// and the rows top .. bottom-1, as the classic window rectangles do.
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// An explicit colour, 0x00BBGGRR.  System colours are resolved by the
// framework (through SystemColor) before they reach the platform.
using RgbColor = std::uint32_t;

// Pixel read-back outside a bitmap answers this, like the classic GetPixel.
inline constexpr RgbColor InvalidColor = 0xFFFFFFFFu;

constexpr RgbColor MakeRgb(unsigned r, unsigned g, unsigned b) {
    return static_cast<RgbColor>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr unsigned RedOf(RgbColor c) { return c & 0xFF; }
constexpr unsigned GreenOf(RgbColor c) { return (c >> 8) & 0xFF; }
constexpr unsigned BlueOf(RgbColor c) { return (c >> 16) & 0xFF; }

// The classic system colour indexes the framework's system colours name
// (the low byte of clBtnFace and friends).
namespace syscolor {
inline constexpr int ScrollBar = 0;
inline constexpr int Background = 1;
inline constexpr int ActiveCaption = 2;
inline constexpr int InactiveCaption = 3;
inline constexpr int Menu = 4;
inline constexpr int Window = 5;
inline constexpr int WindowFrame = 6;
inline constexpr int MenuText = 7;
inline constexpr int WindowText = 8;
inline constexpr int CaptionText = 9;
inline constexpr int ActiveBorder = 10;
inline constexpr int InactiveBorder = 11;
inline constexpr int AppWorkspace = 12;
inline constexpr int Highlight = 13;
inline constexpr int HighlightText = 14;
inline constexpr int BtnFace = 15;
inline constexpr int BtnShadow = 16;
inline constexpr int GrayText = 17;
inline constexpr int BtnText = 18;
inline constexpr int InactiveCaptionText = 19;
inline constexpr int BtnHighlight = 20;
inline constexpr int DkShadow3D = 21;
inline constexpr int Light3D = 22;
inline constexpr int InfoText = 23;
inline constexpr int InfoBk = 24;
}  // namespace syscolor

// The colour a system colour index stands for on this platform (the
// familiar light desktop scheme, the same on every machine so that pixels
// are reproducible).  Unknown indexes answer black.
RgbColor SystemColor(int index);

enum class MouseButton : std::uint8_t { None, Left, Right, Middle };

// Shift state bits, in the order of the framework's TShiftState
// (ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble).
using ShiftState = std::uint16_t;
namespace shift {
inline constexpr ShiftState Shift = 1u << 0;
inline constexpr ShiftState Alt = 1u << 1;
inline constexpr ShiftState Ctrl = 1u << 2;
inline constexpr ShiftState Left = 1u << 3;
inline constexpr ShiftState Right = 1u << 4;
inline constexpr ShiftState Middle = 1u << 5;
inline constexpr ShiftState Double = 1u << 6;
}  // namespace shift

// Virtual key codes of KeyDown/KeyUp messages: the classic values, so that
// letters and digits are their upper-case ASCII codes ('A' = 0x41, '0' = 0x30).
namespace vk {
inline constexpr int Back = 0x08;
inline constexpr int Tab = 0x09;
inline constexpr int Return = 0x0D;
inline constexpr int Shift = 0x10;
inline constexpr int Control = 0x11;
inline constexpr int Menu = 0x12;  // Alt
inline constexpr int Escape = 0x1B;
inline constexpr int Space = 0x20;
inline constexpr int Prior = 0x21;
inline constexpr int Next = 0x22;
inline constexpr int End = 0x23;
inline constexpr int Home = 0x24;
inline constexpr int Left = 0x25;
inline constexpr int Up = 0x26;
inline constexpr int Right = 0x27;
inline constexpr int Down = 0x28;
inline constexpr int Insert = 0x2D;
inline constexpr int Delete = 0x2E;
inline constexpr int Apps = 0x5D;  // the Menu key
inline constexpr int F1 = 0x70;    // F2 .. F12 follow
inline constexpr int F10 = F1 + 9;
// The keys that type + and -, wherever a layout puts them (the keypad's too).
inline constexpr int OemPlus = 0xBB;
inline constexpr int OemMinus = 0xBD;
}  // namespace vk

}  // namespace cvcalc
