#pragma once

#include <QtGlobal>

// Contrast between two colours as screen readers and accessibility checkers measure it: the
// ratio of their relative luminances (each plus 0.05), from 1 (equal) to 21 (black on white).
// Colours are 0x00BBGGRR, the way project files store them.
namespace ColourContrast {

// Packs red, green and blue (0 to 255) the way project files store a colour.
constexpr quint32 bgr(int red, int green, int blue) {
    return (static_cast<quint32>(blue) << 16) | (static_cast<quint32>(green) << 8) |
           static_cast<quint32>(red);
}

// Relative luminance, 0 (black) to 1 (white), of a colour in the sRGB space.
double luminance(quint32 colour);
// The contrast ratio of two colours, in either order.
double ratio(quint32 a, quint32 b);
// Black or white, whichever stands out more on `background` (at least 4.58 : 1 on any).
quint32 readableOn(quint32 background);

// Texts must stand out at least this much from what lies under them.
constexpr double kMinimumTextRatio = 4.5;

} // namespace ColourContrast
