// The platform's windows, surfaces and bitmaps as the framework reaches them.
// platform/gui names its system-colour lookup SystemColor, and so does the
// colour model's constexpr constructor of system colours in shell/core; the
// two cannot meet in one unit, so the framework includes the platform
// through this header, which renames the former out of the way.  The
// platform's lookup itself is called from PlatformColor.cpp alone.
#pragma once

#define SystemColor PlatformSystemColorHidden
#include "platform/gui/GuiPlatform.h"
#include "platform/gui/GuiTypes.h"
#include "platform/gui/InputInjection.h"
#include "platform/gui/Message.h"
#include "platform/gui/MessageLoop.h"
#include "platform/gui/NativeFont.h"
#include "platform/gui/NativeImage.h"
#include "platform/gui/NativeWindow.h"
#include "platform/gui/OffscreenBitmap.h"
#include "platform/gui/Surface.h"
#undef SystemColor

namespace cvcalc {

using TPoint = PixelPoint;
using TPointF = PixelPointF;
using TRect = PixelRect;

inline TRect Rect(int left, int top, int right, int bottom) { return TRect{left, top, right, bottom}; }
inline TRect Bounds(int left, int top, int width, int height) { return TRect{left, top, left + width, top + height}; }

}  // namespace cvcalc
