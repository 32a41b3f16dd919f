#include "ColourContrast.h"

#include <algorithm>
#include <cmath>

namespace ColourContrast {

namespace {

double channel(quint32 value) {
    const double c = static_cast<double>(value & 0xFFu) / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

} // namespace

double luminance(quint32 colour) {
    return 0.2126 * channel(colour) + 0.7152 * channel(colour >> 8) +
           0.0722 * channel(colour >> 16);
}

double ratio(quint32 a, quint32 b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

quint32 readableOn(quint32 background) {
    const quint32 black = bgr(0, 0, 0), white = bgr(255, 255, 255);
    return ratio(background, black) >= ratio(background, white) ? black : white;
}

} // namespace ColourContrast
