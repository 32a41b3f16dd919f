#include "WindowPlacement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <limits>

namespace WindowPlacement {

namespace {

qint64 overlap(const QRect &a, const QRect &b) {
    const QRect common = a.intersected(b);
    return common.isEmpty() ? 0 : qint64(common.width()) * common.height();
}

// Squared distance between the centres: which screen a window lying outside all is nearest to.
qint64 distance(const QRect &a, const QRect &b) {
    const QPoint d = a.center() - b.center();
    return qint64(d.x()) * d.x() + qint64(d.y()) * d.y();
}

void fit(QWidget *window) {
    QList<QRect> screens;
    for (const QScreen *s : QGuiApplication::screens())
        screens.append(s->availableGeometry());
    const QRect frame = window->frameGeometry();
    const QRect fitted = fitOnScreen(frame, screens);
    if (fitted == frame)
        return;
    // The window system's frame stays as it is: what is taken off is taken off the inside.
    if (fitted.size() != frame.size())
        window->resize(window->size() - (frame.size() - fitted.size()));
    window->move(fitted.topLeft());
}

// A window not shown yet has no frame: it is fitted again once shown, when the window system
// has put its frame around it.
class FitWhenShown : public QObject {
public:
    static constexpr const char *kName = "WindowPlacement::FitWhenShown";
    explicit FitWhenShown(QWidget *window) : QObject(window) {
        setObjectName(QLatin1String(kName));
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Show) {
            QPointer<QWidget> window = static_cast<QWidget *>(watched);
            QTimer::singleShot(0, window, [window] {
                if (window)
                    fit(window);
            });
            deleteLater();
            watched->removeEventFilter(this);
        }
        return false;
    }
};

} // namespace

QRect fitOnScreen(const QRect &frame, const QList<QRect> &screens) {
    if (screens.isEmpty())
        return frame;
    QRect best = screens.first();
    qint64 bestOverlap = -1;
    qint64 bestDistance = std::numeric_limits<qint64>::max();
    for (const QRect &s : screens) {
        const qint64 o = overlap(frame, s);
        const qint64 d = distance(frame, s);
        if (o > bestOverlap || (o == bestOverlap && d < bestDistance)) {
            best = s;
            bestOverlap = o;
            bestDistance = d;
        }
    }
    const QSize size = frame.size().boundedTo(best.size());
    const int x = qBound(best.left(), frame.left(), best.right() + 1 - size.width());
    const int y = qBound(best.top(), frame.top(), best.bottom() + 1 - size.height());
    return QRect(QPoint(x, y), size);
}

void keepOnScreen(QWidget *window) {
    fit(window);
    if (!window->isVisible() && !window->findChild<QObject *>(QLatin1String(FitWhenShown::kName),
                                                              Qt::FindDirectChildrenOnly))
        new FitWhenShown(window);
}

} // namespace WindowPlacement
