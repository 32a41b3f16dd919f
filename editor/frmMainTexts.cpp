// The frame canvas's texts: adding, changing, moving and removing them, their tooltips.

#include "frmMain.h"

#include "BasicColor.h"
#include "CanvasSurface.h"
#include "FileAccess.h"
#include "FrameFiles.h"
#include "FrameUndo.h"
#include "TextLabelFont.h"
#include "frmMainShared.h"

#include <QFileInfo>
#include <QLabel>

using namespace CanvasUnits;

QString frmMain::FreeTextIndex() const {
    return TextLabels::nextFree(
        FrameFiles(m_project.paths, soundMode()).areaFolder(m_state.frameName));
}

QString frmMain::textPath(int k) const {
    const QLabel *label = m_texts.value(k);
    return label ? label->property(kTag).toString() : QString();
}

QLabel *frmMain::createText(int k, const QString &path, const TextLabel &t) {
    auto *label = new QLabel(m_back);
    label->setObjectName(QStringLiteral("Text"));
    label->setProperty(kTextNumber, k);
    label->setProperty(kTag, path);
    label->setMouseTracking(true);
    label->installEventFilter(this);
    m_texts.insert(k, label);
    applyText(label, t);
    label->show();
    label->raise();
    UpdateTextToolTip(k);
    return label;
}

void frmMain::applyText(QLabel *label, const TextLabel &t) {
    // The font as saved; the label shows it at the zoom.
    label->setProperty("textFont", textLabelFont(t, t.FontSize > 0 ? t.FontSize : 12));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, qcolor(t.ForeColor));
    label->setPalette(palette);
    label->setText(t.Caption);
    label->setAccessibleName(t.Caption);
    label->setProperty("left", t.Left);
    label->setProperty("top", t.Top);
    placeText(label);
}

void frmMain::placeText(QLabel *label) {
    QFont font = label->property("textFont").value<QFont>();
    font.setPointSizeF(m_scale.scalePoints(font.pointSizeF()));
    label->setFont(font);
    label->adjustSize();
    label->move(m_scale.roundToPixels(label->property("left").toDouble()),
                m_scale.roundToPixels(label->property("top").toDouble()));
}

void frmMain::UpdateTextToolTip(int k) {
    QLabel *label = m_texts.value(k);
    if (!label)
        return;
    const QFont f = label->property("textFont").value<QFont>();
    label->setToolTip(QStringLiteral(" Pos:(%1,%2)  Font: ")
                          .arg(int(label->property("left").toDouble() / kTwips))
                          .arg(int(label->property("top").toDouble() / kTwips)) +
                      f.family() + QStringLiteral("  Size: ") + formatSize(f.pointSizeF()) +
                      QLatin1Char(' '));
}

bool frmMain::chooseFont(QFont &font, qint32 &color) {
    // The dialog lists only the basic colours: it starts on the one that stands for the
    // colour, and leaving it there keeps the exact colour.
    const qint32 exact = color;
    const qint32 basic = BasicColor(exact);
    qint32 chosen = basic;
    if (!m_fontChooser || !m_fontChooser(font, chosen))
        return false;
    color = chosen == basic ? exact : chosen;
    return true;
}

void frmMain::AddText(int x, int y) {
    const QString path = FreeTextIndex();
    const QString text = m_textEntry ? m_textEntry(0, QString()) : QString();
    if (text.isEmpty())
        return;
    QFont font = m_lastFont;
    qint32 color = m_lastColor;
    if (!chooseFont(font, color))
        return;
    m_lastFont = font;
    m_lastColor = color;
    TextLabel t;
    t.Caption = text;
    t.Left = x;
    t.Top = y;
    setTextLabelFont(t, font);
    t.ForeColor = color;
    const int k = m_texts.isEmpty() ? 1 : m_texts.lastKey() + 1;
    FrameUndoStep step(*m_undo, QStringLiteral("Add Text"));
    QLabel *label = createText(k, path, t);
    label->raise();
    if (!FileAccess::makeFolder(QFileInfo(path).absolutePath()) || !writeTextLabel(path, t)) {
        error(this, QStringLiteral("Error"), QStringLiteral("Unable to save text information."));
        step.fail();
    }
    emit contentsChanged();
}

void frmMain::ChangeText(int kind, int x, int y) {
    QLabel *label = m_texts.value(m_selectedText);
    if (!label)
        return;
    const QString path = label->property(kTag).toString();
    if (path.isEmpty())
        return;
    TextLabel t;
    if (!readTextLabel(path, t)) {
        error(this, QStringLiteral("Error"),
              QStringLiteral("Unable to load or modify text information."));
        return;
    }
    switch (kind) {
    case 0: {
        const QString text = m_textEntry ? m_textEntry(1, t.Caption) : QString();
        if (text.isEmpty() || text == t.Caption)
            return;
        t.Caption = text;
        break;
    }
    case 1: {
        QFont font = textLabelFont(t, t.FontSize > 0 ? t.FontSize : 12);
        qint32 color = t.ForeColor;
        if (!chooseFont(font, color))
            return;
        m_lastFont = font;
        setTextLabelFont(t, font);
        t.ForeColor = color;
        break;
    }
    case 2: {
        qint32 color = t.ForeColor;
        if (!m_colorChooser || !m_colorChooser(color))
            return;
        t.ForeColor = color;
        break;
    }
    default:
        if (t.Left == x && t.Top == y)
            return;
        t.Left = x;
        t.Top = y;
        break;
    }
    static const char *const kSteps[4] = {"Change Text", "Change Font", "Change Color",
                                          "Move Text"};
    FrameUndoStep step(*m_undo, QString::fromLatin1(kSteps[qBound(0, kind, 3)]));
    applyText(label, t);
    UpdateTextToolTip(m_selectedText);
    if (!FileAccess::makeFolder(QFileInfo(path).absolutePath()) || !writeTextLabel(path, t)) {
        error(this, QStringLiteral("Error"),
              QStringLiteral("Unable to load or save text information."));
        step.fail();
    }
    if (kind == 0)
        emit contentsChanged();
}

bool frmMain::moveTextTo(int k, double left, double top) {
    QLabel *label = m_texts.value(k);
    const QString path = label ? label->property(kTag).toString() : QString();
    TextLabel t;
    if (path.isEmpty() || !readTextLabel(path, t)) {
        error(this, QStringLiteral("Error"),
              QStringLiteral("Unable to load or modify text information."));
        return false;
    }
    t.Left = left;
    t.Top = top;
    applyText(label, t);
    UpdateTextToolTip(k);
    if (!writeTextLabel(path, t)) {
        error(this, QStringLiteral("Error"),
              QStringLiteral("Unable to load or save text information."));
        return false;
    }
    return true;
}

bool frmMain::RemoveText(int k) {
    QLabel *label = m_texts.value(k);
    if (!label)
        return false;
    {
        FrameUndoStep step(*m_undo, QStringLiteral("Remove Text"));
        if (!TextLabels::remove(label->property(kTag).toString())) {
            error(this, QStringLiteral("Error"), QStringLiteral("Unable to remove selected text."));
            step.fail();
            return false;
        }
        m_hiddenTexts.remove(label->property(kTag).toString());
        delete m_texts.take(k);
        if (m_selectedTexts.contains(k))
            setSelection(m_selectedAreas, m_selectedTexts);
    }
    emit contentsChanged();
    return true;
}
