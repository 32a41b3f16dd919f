// The frame canvas's selection of several areas and texts: Ctrl+click, the Shift+drag band,
// moving and removing them together, copy, cut and paste, and hiding elements for the author.

#include "frmMain.h"

#include "CanvasSurface.h"
#include "FileAccess.h"
#include "FrameClipboard.h"
#include "FrameFiles.h"
#include "FrameUndo.h"
#include "frmMainShared.h"

#include <QAction>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>

#include <algorithm>

using namespace CanvasUnits;

void frmMain::setSelection(const QList<int> &areas, const QList<int> &texts) {
    selectAll(areas, texts);
}

void frmMain::selectAll(const QList<int> &areas, const QList<int> &texts) {
    QList<int> a;
    QList<int> t;
    for (int n : areas) {
        if (m_areas.contains(n) && !a.contains(n))
            a.append(n);
    }
    for (int k : texts) {
        if (m_texts.contains(k) && !t.contains(k))
            t.append(k);
    }
    const bool changed = a != m_selectedAreas || t != m_selectedTexts;
    if (changed)
        ++m_nudgeRun; // arrow moves of another selection start a new undo step
    m_selectedAreas = a;
    m_selectedTexts = t;
    m_selectedArea = a.value(0);
    m_selectedText = t.value(0);
    showSelection();
    updateEditActions();
    if (changed)
        emit selectionChanged();
}

void frmMain::showSelection() {
    // Selected areas are drawn in cyan with a thicker line, selected texts framed.
    for (auto it = m_areas.cbegin(); it != m_areas.cend(); ++it) {
        const bool selected = m_selectedAreas.contains(it.key());
        for (QLabel *l : {it.value(), m_gifBoxes.value(it.key())}) {
            if (!l)
                continue;
            QPalette palette = l->palette();
            palette.setColor(QPalette::WindowText,
                             selected ? QColor(0, 255, 255) : QColor(255, 255, 0));
            l->setPalette(palette);
            l->setFrameStyle(l == it.value() || selected ? QFrame::Box | QFrame::Plain
                                                         : QFrame::NoFrame);
            l->setLineWidth(selected ? 2 : 1);
        }
    }
    for (auto it = m_texts.cbegin(); it != m_texts.cend(); ++it) {
        const int style =
            m_selectedTexts.contains(it.key()) ? QFrame::Box | QFrame::Plain : QFrame::NoFrame;
        if (it.value()->frameStyle() != style) {
            it.value()->setFrameStyle(style);
            it.value()->adjustSize();
        }
    }
}

bool frmMain::pressForSelection(int area, int text, const QPoint &pixels,
                                Qt::KeyboardModifiers modifiers) {
    if (area == 0 && text == 0) {
        // Shift+drag on the background: a band selecting what it touches.
        if (!(modifiers & Qt::ShiftModifier))
            return false;
        select(0, 0);
        m_gesture = Gesture::Band;
        m_bandStart = pixels;
        showOutline(QRect(pixels, QSize(1, 1)));
        m_back->grabMouse();
        return true;
    }
    QList<int> areas = m_selectedAreas;
    QList<int> texts = m_selectedTexts;
    QList<int> &list = area > 0 ? areas : texts;
    const int number = area > 0 ? area : text;
    if (modifiers & Qt::ControlModifier) {
        if (list.contains(number))
            list.removeAll(number);
        else
            list.append(number);
        selectAll(areas, texts);
        return true;
    }
    if (!list.contains(number) || areas.size() + texts.size() < 2)
        return false;
    // A press on one of several selected elements: their outline follows the pointer.
    QRect bounds;
    for (int n : areas)
        bounds |= (m_gifBoxes.contains(n) ? m_gifBoxes.value(n) : m_areas.value(n))->geometry();
    for (int k : texts)
        bounds |= m_texts.value(k)->geometry();
    m_gesture = Gesture::MovingGroup;
    m_groupPress = area > 0 ? area : -text;
    m_pressPoint = twipsAt(pixels);
    m_grabOffset = m_pressPoint - twipsAt(bounds.topLeft());
    showOutline(bounds);
    m_back->grabMouse();
    return true;
}

void frmMain::releaseSelectionGesture(Gesture gesture, const QPoint &pixels) {
    if (gesture == Gesture::Band) {
        const QRect band = QRect(m_bandStart, pixels).normalized();
        QList<int> areas;
        QList<int> texts;
        for (auto it = m_areas.cbegin(); it != m_areas.cend(); ++it) {
            const QLabel *shown = m_gifBoxes.value(it.key(), it.value());
            if (!m_hiddenAreas.contains(it.key()) && shown->geometry().intersects(band))
                areas.append(it.key());
        }
        for (auto it = m_texts.cbegin(); it != m_texts.cend(); ++it) {
            if (!isTextHiddenOnCanvas(it.key()) && it.value()->geometry().intersects(band))
                texts.append(it.key());
        }
        selectAll(areas, texts);
        return;
    }
    const int pressed = m_groupPress;
    m_groupPress = 0;
    const QPoint moved = twipsAt(pixels) - m_pressPoint;
    // A click without moving keeps only the element clicked.
    if (moved.isNull())
        select(qMax(pressed, 0), qMax(-pressed, 0));
    else
        moveSelectionBy(moved);
}

bool frmMain::moveSelectionBy(const QPoint &twips) {
    if (m_selectedAreas.isEmpty() && m_selectedTexts.isEmpty())
        return false;
    FrameUndoStep step(*m_undo, QStringLiteral("Move Selection"));
    for (int n : std::as_const(m_selectedAreas)) {
        m_areaRects[n].translate(twips);
        placeArea(n);
        if (!SaveAreaPosition(n)) {
            step.fail();
            return true;
        }
    }
    for (int k : std::as_const(m_selectedTexts)) {
        const QLabel *label = m_texts.value(k);
        if (!moveTextTo(k, label->property("left").toDouble() + twips.x(),
                        label->property("top").toDouble() + twips.y())) {
            step.fail();
            return true;
        }
    }
    return true;
}

void frmMain::RemoveSelection() {
    if (!m_state.idle() || m_gesture != Gesture::None)
        return;
    QList<int> areas = m_selectedAreas;
    const QList<int> texts = m_selectedTexts;
    if (areas.size() + texts.size() == 1) {
        if (areas.isEmpty())
            RemoveText(texts.first());
        else
            RemoveArea(areas.first());
        return;
    }
    if (areas.isEmpty() && texts.isEmpty())
        return;
    FrameUndoStep step(*m_undo, QStringLiteral("Remove"));
    // Texts keep their numbers until the canvas is drawn again, which removing an area does;
    // areas from the last, as the later ones take new numbers.
    for (int k : texts) {
        if (!RemoveText(k)) {
            step.fail();
            return;
        }
    }
    std::sort(areas.begin(), areas.end(), std::greater<int>());
    for (int n : std::as_const(areas)) {
        if (!RemoveArea(n)) {
            step.fail();
            return;
        }
    }
}

// ---- Copy, cut and paste ----

bool frmMain::CopySelection() {
    if (!isFrameOpen() || !m_state.idle() || m_gesture != Gesture::None ||
        (m_selectedAreas.isEmpty() && m_selectedTexts.isEmpty()))
        return false;
    // In the canvas's order, so pasted areas lie over each other as they did.
    QList<int> areas = m_selectedAreas;
    QList<int> texts = m_selectedTexts;
    std::sort(areas.begin(), areas.end());
    std::sort(texts.begin(), texts.end());
    QStringList paths;
    for (int k : std::as_const(texts))
        paths.append(textPath(k));
    FrameClipboard copy;
    const Status s = copy.read(areaFiles(), areas, paths);
    if (!s) {
        EditorMessages::show(this, s);
        return false;
    }
    copy.projectRoot = m_project.paths.root();
    copy.frame = m_state.frameName;
    FrameClipboard::put(copy);
    updateEditActions();
    return true;
}

void frmMain::CutSelection() {
    FrameUndoStep step(*m_undo, QStringLiteral("Cut"));
    if (CopySelection())
        RemoveSelection();
}

bool frmMain::canPaste() const {
    const FrameClipboard *copy = FrameClipboard::current();
    return isFrameOpen() && copy && !copy->isEmpty() && copy->projectRoot == m_project.paths.root();
}

void frmMain::Paste() {
    if (!canPaste() || !m_state.idle() || m_gesture != Gesture::None)
        return;
    const FrameClipboard copy = *FrameClipboard::current();
    const QPoint offset = copy.frame == m_state.frameName ? QPoint(10, 10) * kTwips : QPoint();
    QList<int> areas;
    QStringList texts;
    Status s;
    {
        FrameUndoStep step(*m_undo, QStringLiteral("Paste"));
        const AreaFiles files = areaFiles();
        const int count = m_areaCount;
        for (const FrameClipboard::CopiedArea &a : copy.areas) {
            // Counted at once, so the next free number is past it.
            const int n = GetFreeAreaIndex();
            s = FrameClipboard::writeArea(files, n, a, offset);
            if (!s)
                break;
            m_areaCount = qMax(m_areaCount, n);
            areas.append(n);
        }
        if (s && m_areaCount != count)
            s = FrameFiles(m_project.paths, soundMode())
                    .writeAreaCount(m_state.frameName, m_areaCount);
        for (int i = 0; s && i < copy.texts.size(); ++i) {
            TextLabel t = copy.texts[i];
            t.Left += offset.x();
            t.Top += offset.y();
            const QString path = FreeTextIndex();
            if (!FileAccess::makeFolder(QFileInfo(path).absolutePath()) || !writeTextLabel(path, t))
                s = Status::failure(QStringLiteral("Error"),
                                    QStringLiteral("Unable to save text information."));
            texts.append(path);
        }
        if (!s) {
            EditorMessages::show(this, s);
            step.fail();
        }
    }
    if (!s)
        return;
    Redraw();
    QList<int> pastedTexts;
    for (int k : m_texts.keys()) {
        if (texts.contains(textPath(k)))
            pastedTexts.append(k);
    }
    setSelection(areas, pastedTexts);
}

void frmMain::updateEditActions() {
    const bool selected =
        isFrameOpen() && (!m_selectedAreas.isEmpty() || !m_selectedTexts.isEmpty());
    m_copyAction->setEnabled(selected);
    m_cutAction->setEnabled(selected);
    m_pasteAction->setEnabled(canPaste());
}

// ---- Hidden on the canvas ----

void frmMain::setAreaHiddenOnCanvas(int n, bool hidden) {
    if (!m_areas.contains(n) || hidden == m_hiddenAreas.contains(n))
        return;
    if (hidden)
        m_hiddenAreas.insert(n);
    else
        m_hiddenAreas.remove(n);
    showHiddenOnCanvas();
}

void frmMain::setTextHiddenOnCanvas(int k, bool hidden) {
    const QString path = textPath(k);
    if (path.isEmpty() || hidden == m_hiddenTexts.contains(path))
        return;
    if (hidden)
        m_hiddenTexts.insert(path);
    else
        m_hiddenTexts.remove(path);
    showHiddenOnCanvas();
}

void frmMain::showHiddenOnCanvas() {
    for (auto it = m_areas.cbegin(); it != m_areas.cend(); ++it) {
        // An area being moved is hidden by the gesture and shown again when it ends.
        if (it.key() == m_draggedArea && m_gesture != Gesture::None)
            continue;
        QLabel *shown = m_gifBoxes.value(it.key(), it.value());
        shown->setVisible(!m_hiddenAreas.contains(it.key()));
    }
    for (auto it = m_texts.cbegin(); it != m_texts.cend(); ++it)
        it.value()->setVisible(!m_hiddenTexts.contains(it.value()->property(kTag).toString()));
}
