#pragma once

// What the frame canvas's source files share: units, property names, small helpers.

#include "EditorMessages.h"
#include "TwipScale.h"

#include <QColor>
#include <QRect>
#include <QString>

class QWidget;

namespace CanvasUnits {

inline constexpr int kTwips = TwipScale::kTwipsPerPixel;
// The stored rectangle is 2 pixels larger on every side than the one that reacts in the game.
inline constexpr int kBorder = 30;
// Smaller new rectangles are dropped.
inline constexpr int kMinimumSide = 45;

inline const char *const kAreaNumber = "areaNumber";
inline const char *const kTextNumber = "textNumber";
inline const char *const kTag = "tag";

inline QColor qcolor(qint32 c) {
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

inline QRect toPixels(const QRect &twips) {
    return QRect(twips.left() / kTwips, twips.top() / kTwips, qMax(1, twips.width() / kTwips),
                 qMax(1, twips.height() / kTwips));
}

inline QString missingFile(const QString &name, const QString &path, const QString &consequence) {
    return QStringLiteral("The following file is missing: ") + name +
           QStringLiteral("\n\nThis file may have been moved or removed from its original "
                          "location, which was: '") +
           path + QStringLiteral("'.\n\n") + consequence;
}

inline void error(QWidget *parent, const QString &title, const QString &text) {
    EditorMessages::ask(parent, title, text, Status::Icon::Critical);
}

inline QString formatSize(double points) {
    return QString::number(points, 'g', 7);
}

} // namespace CanvasUnits
