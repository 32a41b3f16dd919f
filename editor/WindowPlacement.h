#pragma once

#include <QList>
#include <QRect>

class QWidget;

// Where a window whose place was kept in the settings may go: always wholly on a screen, so
// that a place saved with another screen, another font size or another window frame never
// leaves part of a window out of reach.
namespace WindowPlacement {

// `frame` (the window with its frame, in desktop coordinates) moved onto the screen it overlaps
// most (the nearest one when it overlaps none), and shrunk to that screen when larger. `screens`
// are the screens' available areas; with none, `frame` is returned unchanged.
QRect fitOnScreen(const QRect &frame, const QList<QRect> &screens);

// Moves (and when it must, shrinks) the top-level `window` so that its frame lies wholly on
// one of the available screens; a window not shown yet is fitted again once shown, with the
// frame the window system gives it.
void keepOnScreen(QWidget *window);

} // namespace WindowPlacement
