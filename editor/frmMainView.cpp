// The frame canvas's view: the zoom, the scrolling, the grid and its setting per project.

#include "frmMain.h"

#include "CanvasSurface.h"
#include "EditorMessages.h"
#include "SettingsStore.h"
#include "frmMainShared.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QUrl>
#include <QWheelEvent>

#include <cmath>

using namespace CanvasUnits;

namespace {

constexpr double kMinZoom = 0.25;
constexpr double kMaxZoom = 4.0;
// What "Zoom In" and "Zoom Out" step through.
constexpr double kZoomSteps[] = {0.25, 0.5, 0.75, 1.0, 1.25, 1.5, 2.0, 3.0, 4.0};
constexpr int kMinGrid = 2;
constexpr int kMaxGrid = 320;
constexpr int kDefaultGrid = 10;

// The grid of each project: "on,size" under the project folder's path.
QString gridKey(const QString &root) {
    return QString::fromLatin1(QUrl::toPercentEncoding(root));
}

} // namespace

void frmMain::createViewActions() {
    m_zoomInAction = new QAction(QStringLiteral("Zoom In"), this);
    m_zoomInAction->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    connect(m_zoomInAction, &QAction::triggered, this, [this] { zoomStep(1); });
    m_zoomOutAction = new QAction(QStringLiteral("Zoom Out"), this);
    m_zoomOutAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Minus));
    connect(m_zoomOutAction, &QAction::triggered, this, [this] { zoomStep(-1); });
    m_zoomFitAction = new QAction(QStringLiteral("Fit to Window"), this);
    m_zoomFitAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    connect(m_zoomFitAction, &QAction::triggered, this, [this] { zoomToFit(); });
    m_gridAction = new QAction(QStringLiteral("Show and Snap to Grid"), this);
    m_gridAction->setCheckable(true);
    connect(m_gridAction, &QAction::toggled, this, [this](bool on) { setGrid(on, m_gridSize); });
    m_gridSizeAction = new QAction(QStringLiteral("Grid Size..."), this);
    connect(m_gridSizeAction, &QAction::triggered, this, [this] { askGridSize(); });
    addActions({m_zoomInAction, m_zoomOutAction, m_zoomFitAction, m_gridAction, m_gridSizeAction});
}

// ---- Zoom ----

QRect frmMain::pixelRect(const QRect &twips) const {
    const QRect r = m_scale.toPixels(twips);
    return QRect(r.topLeft(), r.size().expandedTo(QSize(1, 1)));
}

double frmMain::fitFactor() const {
    const QSize view = m_scroll->maximumViewportSize();
    if (m_gameSize.isEmpty() || view.isEmpty())
        return 1.0;
    const double factor = qMin(double(view.width()) / m_gameSize.width(),
                               double(view.height()) / m_gameSize.height());
    return qBound(kMinZoom, factor, kMaxZoom);
}

void frmMain::setZoom(double factor) {
    m_fit = false;
    applyZoom(std::isfinite(factor) ? factor : 1.0);
}

void frmMain::zoomToFit() {
    m_fit = true;
    applyZoom(fitFactor());
}

void frmMain::zoomStep(int direction, const QPoint *anchor) {
    // The outline of a gesture is placed for the zoom it began at.
    if (m_gesture != Gesture::None)
        return;
    const double now = m_scale.factor();
    double next = now;
    if (direction > 0) {
        for (double step : kZoomSteps) {
            if (step > now + 1e-6) {
                next = step;
                break;
            }
        }
    } else {
        for (double step : kZoomSteps) {
            if (step < now - 1e-6)
                next = step;
        }
    }
    m_fit = false;
    // The keys zoom about the middle of the view.
    const QPoint middle = m_scroll->viewport()->rect().center();
    applyZoom(next, anchor ? anchor : &middle);
}

void frmMain::applyZoom(double factor, const QPoint *anchor) {
    factor = qBound(kMinZoom, factor, kMaxZoom);
    QPoint anchorTwips;
    if (anchor)
        anchorTwips = twipsAt(m_back->mapFrom(m_scroll->viewport(), *anchor));
    const bool changed = factor != m_scale.factor();
    m_scale = TwipScale(factor);
    m_back->setZoom(factor);
    m_back->setGridStep(m_gridOn ? m_gridSize * factor : 0);
    if (!m_gameSize.isEmpty())
        m_back->resize(m_scale.scalePixels(m_gameSize));
    m_zoomInAction->setEnabled(factor < kMaxZoom);
    m_zoomOutAction->setEnabled(factor > kMinZoom);
    if (changed) {
        for (auto it = m_areas.cbegin(); it != m_areas.cend(); ++it) {
            if (QLabel *box = m_gifBoxes.value(it.key())) {
                box->setScaledContents(!m_scale.isNormal());
                box->resize(m_scale.scalePixels(box->property("pictureSize").toSize())
                                .expandedTo(QSize(1, 1)));
            }
            placeArea(it.key());
            showAreaPicture(it.key());
        }
        for (QLabel *label : std::as_const(m_texts))
            placeText(label);
    }
    if (anchor) {
        // The point of the frame under the pointer stays under it.
        const QPoint shift = m_scale.toPixels(anchorTwips) + m_back->pos() - *anchor;
        m_scroll->horizontalScrollBar()->setValue(m_scroll->horizontalScrollBar()->value() +
                                                  shift.x());
        m_scroll->verticalScrollBar()->setValue(m_scroll->verticalScrollBar()->value() + shift.y());
    }
}

void frmMain::showAreaPicture(int n) {
    QLabel *label = m_areas.value(n);
    const QImage picture = m_areaPictures.value(n);
    if (!label || picture.isNull())
        return;
    // A stretched picture fills the label at any size; another is drawn at the zoom.
    if (label->hasScaledContents() || m_scale.isNormal())
        label->setPixmap(QPixmap::fromImage(picture));
    else
        label->setPixmap(QPixmap::fromImage(
            picture.scaled(m_scale.scalePixels(picture.size()).expandedTo(QSize(1, 1)),
                           Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
}

bool frmMain::viewEvent(QObject *watched, QEvent *event) {
    if (watched == m_scroll && event->type() == QEvent::Resize) {
        if (m_fit)
            applyZoom(fitFactor());
        return false;
    }
    if (event->type() != QEvent::Wheel)
        return false;
    auto *widget = qobject_cast<QWidget *>(watched);
    auto *e = static_cast<QWheelEvent *>(event);
    if (!widget || !(e->modifiers() & Qt::ControlModifier) ||
        (widget != m_scroll->viewport() && widget != m_back && !m_back->isAncestorOf(widget)))
        return false;
    // Ctrl + wheel zooms about the pointer, a step for every notch.
    const QPoint anchor = widget->mapTo(m_scroll->viewport(), e->position().toPoint());
    m_wheelRest += e->angleDelta().y();
    for (; m_wheelRest >= 120; m_wheelRest -= 120)
        zoomStep(1, &anchor);
    for (; m_wheelRest <= -120; m_wheelRest += 120)
        zoomStep(-1, &anchor);
    e->accept();
    return true;
}

// ---- Grid ----

QPoint frmMain::snapped(const QPoint &twips) const {
    if (!m_gridOn)
        return twips;
    const double g = double(m_gridSize) * kTwips;
    return QPoint(int(std::floor(twips.x() / g + 0.5) * g),
                  int(std::floor(twips.y() / g + 0.5) * g));
}

void frmMain::setGrid(bool on, int pixels) {
    m_gridOn = on;
    m_gridSize = qBound(kMinGrid, pixels, kMaxGrid);
    {
        const QSignalBlocker quiet(m_gridAction);
        m_gridAction->setChecked(on);
    }
    m_back->setGridStep(m_gridOn ? m_gridSize * m_scale.factor() : 0);
    if (!m_gridProject.isEmpty())
        SettingsStore::SaveSetting(QStringLiteral("A"), QStringLiteral("Grid"),
                                   gridKey(m_gridProject),
                                   QStringLiteral("%1,%2").arg(int(m_gridOn)).arg(m_gridSize));
}

void frmMain::loadGrid() {
    const QString root = m_project.paths.root();
    if (root == m_gridProject)
        return;
    m_gridProject.clear(); // nothing is saved while the project's own values are read
    const QStringList kept =
        SettingsStore::GetSetting(QStringLiteral("A"), QStringLiteral("Grid"), gridKey(root))
            .split(QLatin1Char(','));
    bool sized = false;
    const int size = kept.value(1).toInt(&sized);
    setGrid(kept.value(0) == QStringLiteral("1"), sized ? size : kDefaultGrid);
    m_gridProject = root;
}

void frmMain::askGridSize() {
    const QString answer =
        EditorMessages::input(this, QStringLiteral("Grid Size"),
                              QStringLiteral("Size of the grid squares, in pixels (%1 to %2):")
                                  .arg(kMinGrid)
                                  .arg(kMaxGrid),
                              QString::number(m_gridSize));
    if (answer.isNull())
        return;
    bool ok = false;
    const int size = answer.trimmed().toInt(&ok);
    if (!ok || size < kMinGrid || size > kMaxGrid) {
        EditorMessages::ask(
            this, QStringLiteral("Grid Size"),
            QStringLiteral("Type a whole number from %1 to %2.").arg(kMinGrid).arg(kMaxGrid),
            Status::Icon::Exclamation);
        return;
    }
    // Choosing a size shows the grid.
    setGrid(true, size);
}
