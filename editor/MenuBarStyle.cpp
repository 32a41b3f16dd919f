#include "MenuBarStyle.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStyleOption>
#include <QWidget>

namespace {

// A double chevron pointing right (or down), in the window text colour, at 16 and 32 pixels.
QIcon chevrons(bool down, const QColor &colour) {
    QIcon icon;
    for (const int size : {16, 32}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(colour, size / 10.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        if (down) {
            painter.translate(size, 0);
            painter.rotate(90);
        }
        const qreal s = size;
        for (const qreal x : {0.25 * s, 0.5 * s}) {
            QPainterPath path;
            path.moveTo(x, 0.3 * s);
            path.lineTo(x + 0.2 * s, 0.5 * s);
            path.lineTo(x, 0.7 * s);
            painter.drawPath(path);
        }
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace

MenuBarStyle::MenuBarStyle() : QProxyStyle() {}

QIcon MenuBarStyle::standardIcon(StandardPixmap icon, const QStyleOption *option,
                                 const QWidget *widget) const {
    if (icon == SP_ToolBarHorizontalExtensionButton || icon == SP_ToolBarVerticalExtensionButton) {
        const QPalette palette = option   ? option->palette
                                 : widget ? widget->palette()
                                          : QGuiApplication::palette();
        const QColor colour = palette.color(QPalette::WindowText);
        return chevrons(icon == SP_ToolBarVerticalExtensionButton, colour);
    }
    return QProxyStyle::standardIcon(icon, option, widget);
}
