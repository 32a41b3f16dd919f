// The frame canvas's mouse and keys: drawing, moving and reshaping areas, moving texts, the
// menus, the arrow keys, Backspace and the close box.

#include "frmMain.h"

#include "CanvasOutline.h"
#include "CanvasSurface.h"
#include "FrameFiles.h"
#include "FrameUndo.h"
#include "frmCoordinates.h"
#include "frmMainShared.h"

#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>

using namespace CanvasUnits;

void frmMain::select(int area, int text) {
    selectAll(area > 0 ? QList<int>{area} : QList<int>(),
              text > 0 ? QList<int>{text} : QList<int>());
}

bool frmMain::MoveSelection(int dx, int dy) {
    if (!m_state.idle() || m_gesture != Gesture::None)
        return false;
    if (m_selectedAreas.size() + m_selectedTexts.size() > 1)
        return moveSelectionBy(QPoint(dx, dy) * kTwips);
    // One undo step for a run of moves of the same selection.
    const QString run =
        QStringLiteral("nudge %1 %2 %3").arg(m_nudgeRun).arg(m_selectedArea).arg(m_selectedText);
    if (m_selectedArea > 0 && m_areaRects.contains(m_selectedArea)) {
        FrameUndoStep step(*m_undo, QStringLiteral("Move Area"), run);
        m_areaRects[m_selectedArea].translate(dx * kTwips, dy * kTwips);
        placeArea(m_selectedArea);
        if (!SaveAreaPosition(m_selectedArea))
            step.fail();
        return true;
    }
    if (QLabel *label = m_texts.value(m_selectedText)) {
        FrameUndoStep step(*m_undo, QStringLiteral("Move Text"), run);
        ChangeText(3, int(label->property("left").toDouble()) + dx * kTwips,
                   int(label->property("top").toDouble()) + dy * kTwips);
        return true;
    }
    return false;
}

void frmMain::BeginReshape(int n) {
    m_reshapeArea = m_areas.contains(n) ? n : 0;
    m_reshapeStage = m_reshapeArea > 0 ? 2 : 1;
}

void frmMain::CancelReshape() {
    m_reshapeStage = 0;
    m_reshapeArea = 0;
}

void frmMain::reshapeClick(QObject *target, const QPoint &pixels) {
    const QPoint border(kBorder, kBorder);
    // On the grid, the stored rectangle's corners lie on it; the clicks are 2 pixels inside.
    const QPoint twips = m_reshapeStage == 2 ? snapped(twipsAt(pixels) - border) + border
                                             : snapped(twipsAt(pixels) + border) - border;
    if (m_reshapeStage == 1) {
        const int n = areaOf(target);
        if (n > 0) {
            m_reshapeArea = n;
            m_reshapeStage = 2;
            select(n, 0);
        }
        return;
    }
    if (m_reshapeStage == 2) {
        m_reshapeCorner = twips;
        m_reshapeStage = 3;
        return;
    }
    // The two clicks are the corners of the rectangle that reacts in the game; a second corner
    // that is not below and right of the first is ignored.
    if (twips.x() <= m_reshapeCorner.x() || twips.y() <= m_reshapeCorner.y())
        return;
    const int n = m_reshapeArea;
    CancelReshape();
    if (m_areas.contains(n)) {
        FrameUndoStep step(*m_undo, QStringLiteral("Reshape Area"));
        m_areaRects[n] = QRect(m_reshapeCorner.x() - kBorder, m_reshapeCorner.y() - kBorder,
                               twips.x() - m_reshapeCorner.x() + 2 * kBorder,
                               twips.y() - m_reshapeCorner.y() + 2 * kBorder);
        placeArea(n);
        if (!SaveAreaPosition(n))
            step.fail();
    }
    emit reshapeFinished();
}

void frmMain::keyPressEvent(QKeyEvent *event) {
    if (!handleKey(event))
        QWidget::keyPressEvent(event);
}

bool frmMain::handleKey(QKeyEvent *event) {
    const int step = event->modifiers() & Qt::ShiftModifier ? 10 : 1;
    switch (event->key()) {
    case Qt::Key_Backspace:
        emit doneRequested();
        return true;
    case Qt::Key_Delete:
        if (!m_state.idle() || m_gesture != Gesture::None)
            return true;
        if (m_selectedArea > 0)
            RemoveArea(m_selectedArea);
        else if (m_selectedText > 0)
            RemoveText(m_selectedText);
        return true;
    case Qt::Key_Left:
        MoveSelection(-step, 0);
        return true;
    case Qt::Key_Right:
        MoveSelection(step, 0);
        return true;
    case Qt::Key_Up:
        MoveSelection(0, -step);
        return true;
    case Qt::Key_Down:
        MoveSelection(0, step);
        return true;
    default:
        break;
    }
    // The canvas's shortcuts also when its window is not the active one (the key came to it).
    const QKeyCombination pressed = event->keyCombination();
    const QKeySequence keys[2] = {
        QKeySequence(pressed),
        QKeySequence(
            QKeyCombination(pressed.keyboardModifiers() & ~Qt::ShiftModifier, pressed.key()))};
    for (QAction *action :
         {m_undoAction, m_redoAction, m_zoomInAction, m_zoomOutAction, m_zoomFitAction}) {
        for (const QKeySequence &shortcut : action->shortcuts()) {
            if (shortcut == keys[0] || shortcut == keys[1]) {
                if (action->isEnabled())
                    action->trigger();
                return true;
            }
        }
    }
    return false;
}

void frmMain::closeEvent(QCloseEvent *event) {
    // The close box is the main panel's "Done"; closing by the program does nothing more.
    if (event->spontaneous())
        emit doneRequested();
    m_coordinates->hide();
    event->accept();
}

// ---- Mouse ----

int frmMain::areaOf(QObject *target) const {
    for (QObject *o = target; o && o != m_back; o = o->parent()) {
        const QVariant v = o->property(kAreaNumber);
        if (v.isValid())
            return v.toInt();
    }
    return 0;
}

int frmMain::textOf(QObject *target) const {
    const QVariant v = target ? target->property(kTextNumber) : QVariant();
    return v.isValid() ? v.toInt() : 0;
}

void frmMain::showOutline(const QRect &pixels) {
    m_outline->begin(pixels);
}

bool frmMain::eventFilter(QObject *watched, QEvent *event) {
    if (viewEvent(watched, event))
        return true;
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || (widget != m_back && widget->parentWidget() != m_back))
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto *e = static_cast<QMouseEvent *>(event);
        pressAt(watched, widget->mapTo(m_back, e->position().toPoint()), e->button(),
                e->globalPosition().toPoint(), e->modifiers());
        return true;
    }
    case QEvent::MouseMove: {
        auto *e = static_cast<QMouseEvent *>(event);
        moveTo(widget->mapTo(m_back, e->position().toPoint()));
        return m_gesture != Gesture::None;
    }
    case QEvent::MouseButtonRelease: {
        auto *e = static_cast<QMouseEvent *>(event);
        if (e->button() == Qt::LeftButton) {
            releaseAt(widget->mapTo(m_back, e->position().toPoint()));
        } else if (e->button() == Qt::RightButton && m_pendingText) {
            const QPoint at = *m_pendingText;
            m_pendingText.reset();
            AddText(at.x(), at.y());
        }
        return true;
    }
    case QEvent::MouseButtonDblClick:
        return true;
    case QEvent::KeyPress:
        // Before the scrolling view takes the arrows for itself.
        return watched == m_back && handleKey(static_cast<QKeyEvent *>(event));
    default:
        return QWidget::eventFilter(watched, event);
    }
}

void frmMain::pressAt(QObject *target, const QPoint &pixels, Qt::MouseButton button,
                      const QPoint &global, Qt::KeyboardModifiers modifiers) {
    m_back->setFocus();
    if (!isFrameOpen() || m_gesture != Gesture::None)
        return;
    if (m_reshapeStage != 0) {
        if (button == Qt::LeftButton)
            reshapeClick(target, pixels);
        return;
    }
    ++m_nudgeRun;
    const QPoint twips = twipsAt(pixels);
    const int area = areaOf(target);
    const int text = area > 0 ? 0 : textOf(target);
    if (button == Qt::LeftButton && m_state.idle() &&
        pressForSelection(area, text, pixels, modifiers))
        return;
    if (area > 0) {
        select(area, 0);
        if (button == Qt::RightButton) {
            m_mnuAreaModify->popup(global);
            return;
        }
        if (button != Qt::LeftButton || !m_state.idle())
            return;
        // The element hides and only its outline follows the pointer.
        QLabel *element =
            target == m_gifBoxes.value(area) ? m_gifBoxes.value(area) : m_areas.value(area);
        m_gesture = element == m_gifBoxes.value(area) ? Gesture::MovingGif : Gesture::MovingArea;
        m_grabOffset = twips - m_areaRects.value(area).topLeft();
        m_pressPoint = twips;
        m_draggedArea = area;
        element->hide();
        showOutline(element->geometry());
        m_back->grabMouse();
        return;
    }
    if (text > 0) {
        select(0, text);
        if (button == Qt::RightButton) {
            m_mnuTextModify->popup(global);
            return;
        }
        if (button != Qt::LeftButton || !m_state.idle())
            return;
        QLabel *label = m_texts.value(text);
        m_gesture = Gesture::MovingText;
        m_draggedText = text;
        m_grabOffset = twips - QPoint(int(label->property("left").toDouble()),
                                      int(label->property("top").toDouble()));
        m_pressPoint = twips;
        showOutline(label->geometry());
        m_back->grabMouse();
        return;
    }
    if (!m_state.idle())
        return;
    select(0, 0);
    if (button == Qt::RightButton) {
        // The text dialogs open when the button is released: a modal dialog opened while the
        // button is down would never see it come up.
        m_pendingText = twips;
        return;
    }
    if (button != Qt::LeftButton)
        return;
    // A new area: the press point is the top-left corner of the part that reacts in the game
    // (on the grid, the rectangle's corner is on it).
    const QPoint corner = snapped(twips - QPoint(kBorder, kBorder));
    m_coordinates->DisplayAreaPosition((corner.x() + kBorder) / kTwips,
                                       (corner.y() + kBorder) / kTwips);
    m_coordinates->ResizeBig();
    m_coordinates->show();
    const int n = GetFreeAreaIndex();
    m_state.CurrentAreaNumber = QString::number(n);
    createArea(n, QRect(corner.x(), corner.y(), kBorder, kBorder));
    m_gesture = Gesture::Drawing;
    m_draggedArea = 0;
    m_back->grabMouse();
}

void frmMain::moveTo(const QPoint &pixels) {
    const QPoint twips = twipsAt(pixels);
    // Game pixels at every zoom.
    m_coordinates->Display(twips.x() / kTwips, twips.y() / kTwips);
    switch (m_gesture) {
    case Gesture::Drawing: {
        const int n = m_state.CurrentAreaNumber.toInt();
        QRect &r = m_areaRects[n];
        const QPoint corner = snapped(twips);
        r.setWidth(corner.x() - r.left() > 0 ? corner.x() - r.left() : 1);
        r.setHeight(corner.y() - r.top() > 0 ? corner.y() - r.top() : 1);
        placeArea(n);
        m_coordinates->DisplayAreaSize(r.width() / kTwips, r.height() / kTwips);
        break;
    }
    case Gesture::MovingArea:
    case Gesture::MovingGif:
    case Gesture::MovingText:
    case Gesture::MovingGroup:
        m_outline->moveOutline(m_scale.toPixels(snapped(twips - m_grabOffset)));
        break;
    case Gesture::Band:
        m_outline->begin(QRect(m_bandStart, pixels).normalized());
        break;
    case Gesture::None:
        break;
    }
}

void frmMain::releaseAt(const QPoint &pixels) {
    const Gesture gesture = m_gesture;
    if (gesture == Gesture::None)
        return;
    m_gesture = Gesture::None;
    m_back->releaseMouse();
    m_outline->hide();
    if (gesture == Gesture::MovingGroup || gesture == Gesture::Band) {
        releaseSelectionGesture(gesture, pixels);
        return;
    }
    const QPoint twips = twipsAt(pixels);
    if (gesture == Gesture::Drawing) {
        const int n = m_state.CurrentAreaNumber.toInt();
        m_coordinates->ResizeSmall();
        const QRect r = m_areaRects.value(n);
        if (r.width() >= kMinimumSide && r.height() >= kMinimumSide) {
            FrameUndoStep step(*m_undo, QStringLiteral("New Area"));
            const bool saved = runAreaDialog(step, 0, false);
            if (m_state.CurrentAreaNumber == QStringLiteral("cancel")) {
                removeAreaElement(n);
            } else if (saved) {
                // Normally one more; never fewer than the number just used.
                const int count = qMax(m_areaCount + 1, n);
                const int written = n <= m_areaCount ? m_areaCount : count;
                const Status s = FrameFiles(m_project.paths, soundMode())
                                     .writeAreaCount(m_state.frameName, written);
                if (!s) {
                    EditorMessages::show(this, s);
                    step.fail();
                } else {
                    m_areaCount = written;
                    UpdateAreaToolTip(n);
                }
            }
        } else {
            removeAreaElement(n);
        }
        m_state.CurrentAreaNumber = QStringLiteral("0");
        emit contentsChanged();
        return;
    }
    if (gesture == Gesture::MovingText) {
        const int k = m_draggedText;
        m_draggedText = 0;
        select(0, k);
        const QPoint at = snapped(twips - m_grabOffset);
        ChangeText(3, at.x(), at.y());
        return;
    }
    // `DragDropAreaOnArea` / `DragDropAniGifBoxOnArea`: the size never changes by moving.
    const int n = m_draggedArea;
    m_draggedArea = 0;
    if (!m_areaRects.contains(n))
        return;
    QRect &r = m_areaRects[n];
    const QPoint corner = snapped(twips - m_grabOffset);
    if (gesture == Gesture::MovingGif)
        m_gifBoxes.value(n)->show();
    else
        m_areas.value(n)->show();
    if (corner == r.topLeft())
        return;
    FrameUndoStep step(*m_undo, QStringLiteral("Move Area"));
    r.moveTopLeft(corner);
    placeArea(n);
    if (!SaveAreaPosition(n))
        step.fail();
}
