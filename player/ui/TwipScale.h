#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <cmath>

// Converts between twips (the unit of project files and of the scene model, 15 to the pixel
// at normal size) and device pixels at a chosen scale. The title window, the game window, its
// area widgets and the editor's frame canvas all place widgets through one of these, so that a
// scaled view and the clicks mapped back from it agree.
class TwipScale {
public:
    static constexpr int kTwipsPerPixel = 15;

    // Normal size: one pixel for every 15 twips.
    TwipScale() = default;
    // `factor` multiplies the normal size (2.0 draws every twip twice as large). A factor that
    // is not a positive finite number is taken as 1.
    explicit TwipScale(double factor)
        : m_factor(std::isfinite(factor) && factor > 0 ? factor : 1.0) {}

    // A scale given as pixels per twip (1/15 is normal size).
    static TwipScale fromPixelsPerTwip(double pixelsPerTwip) {
        return TwipScale(pixelsPerTwip * kTwipsPerPixel);
    }

    double factor() const { return m_factor; }
    double pixelsPerTwip() const { return m_factor / kTwipsPerPixel; }
    bool isNormal() const { return m_factor == 1.0; }

    // Twips to pixels, truncated toward zero (at normal size exactly `twips / 15`).
    int toPixels(double twips) const {
        return static_cast<int>(std::trunc(twips * m_factor / kTwipsPerPixel + sign(twips) * 1e-9));
    }
    // Twips to pixels, rounded to the nearest pixel (texts, whose positions may hold fractions).
    int roundToPixels(double twips) const {
        return static_cast<int>(std::lround(twips * m_factor / kTwipsPerPixel));
    }
    QPoint toPixels(const QPoint &twips) const {
        return QPoint(toPixels(twips.x()), toPixels(twips.y()));
    }
    QSize toPixels(const QSize &twips) const {
        return QSize(toPixels(twips.width()), toPixels(twips.height()));
    }
    // Position and size converted on their own, as the game window has always placed areas.
    QRect toPixels(const QRect &twips) const {
        return QRect(toPixels(twips.topLeft()), toPixels(twips.size()));
    }

    // Screen pixels to twips (a press or a drop mapped back into the scene model), rounded to
    // the nearest twip.
    int toTwips(double pixels) const {
        return static_cast<int>(std::lround(pixels * kTwipsPerPixel / m_factor));
    }
    QPoint toTwips(const QPoint &pixels) const {
        return QPoint(toTwips(pixels.x()), toTwips(pixels.y()));
    }

    // A size in pixels of the unscaled game (the screen size in General, video rectangles)
    // at this scale.
    int scalePixels(double pixels) const {
        return static_cast<int>(std::lround(pixels * m_factor));
    }
    QSize scalePixels(const QSize &pixels) const {
        return QSize(scalePixels(pixels.width()), scalePixels(pixels.height()));
    }
    QRect scalePixels(const QRect &pixels) const {
        return QRect(scalePixels(pixels.x()), scalePixels(pixels.y()), scalePixels(pixels.width()),
                     scalePixels(pixels.height()));
    }

    // A font size in points at this scale.
    double scalePoints(double points) const { return points * m_factor; }

    bool operator==(const TwipScale &other) const { return m_factor == other.m_factor; }
    bool operator!=(const TwipScale &other) const { return !(*this == other); }

private:
    static double sign(double v) { return v < 0 ? -1.0 : (v > 0 ? 1.0 : 0.0); }
    double m_factor = 1.0;
};
