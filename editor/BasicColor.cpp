#include "BasicColor.h"

#include <algorithm>

namespace {

constexpr qint32 rgb(int r, int g, int b) {
    return r | (g << 8) | (b << 16);
}

constexpr qint32 kPalette[16] = {
    rgb(0, 0, 0),       rgb(0, 0, 128),   rgb(0, 128, 0),   rgb(0, 128, 128),
    rgb(128, 0, 0),     rgb(128, 0, 128), rgb(128, 128, 0), rgb(192, 192, 192),
    rgb(128, 128, 128), rgb(0, 0, 255),   rgb(0, 255, 0),   rgb(0, 255, 255),
    rgb(255, 0, 0),     rgb(255, 0, 255), rgb(255, 255, 0), rgb(255, 255, 255)};

} // namespace

qint32 BasicPaletteColor(int index) {
    return index >= 0 && index < 16 ? kPalette[index] : 0;
}

qint32 BasicColor(qint32 color) {
    double c[3] = {double(color & 0xFF), double((color >> 8) & 0xFF), double((color >> 16) & 0xFF)};
    const double max = std::max({c[0], c[1], c[2]});
    const double min = std::min({c[0], c[1], c[2]});
    const int bright = (max > 200 || c[0] + c[1] + c[2] - 2 * min > 300) ? 1 : 0;
    if (max > 0) {
        for (double &v : c)
            v = v * 255 / max;
    }
    if (min < 255) {
        for (double &v : c)
            v = 255 - 255 * (255 - v) / (255 - min);
    }
    const int index = 8 * bright + 4 * int(c[0] / 128) + 2 * int(c[1] / 128) + int(c[2] / 128);
    return kPalette[std::clamp(index, 0, 15)];
}
