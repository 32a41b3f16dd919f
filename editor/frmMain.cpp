#include "frmMain.h"

#include "BasicColor.h"
#include "CanvasSurface.h"
#include "EditorMessages.h"
#include "FrameFiles.h"
#include "FrameUndo.h"
#include "GifControl.h"
#include "PictureLoader.h"
#include "ProjectFiles.h"
#include "TextFontDialog.h"
#include "TwipScale.h"
#include "frmCoordinates.h"
#include "frmText.h"

#include <QAction>
#include <QCloseEvent>
#include <QColorDialog>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QMovie>
#include <QUndoStack>

namespace {

constexpr int kTwips = TwipScale::kTwipsPerPixel;
// The stored rectangle is 2 pixels larger on every side than the one that reacts in the game.
constexpr int kBorder = 30;
// Smaller new rectangles are dropped.
constexpr int kMinimumSide = 45;

const char *const kAreaNumber = "areaNumber";
const char *const kTextNumber = "textNumber";
const char *const kTag = "tag";

QColor qcolor(qint32 c) {
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

QRect toPixels(const QRect &twips) {
    return QRect(twips.left() / kTwips, twips.top() / kTwips, qMax(1, twips.width() / kTwips),
                 qMax(1, twips.height() / kTwips));
}

QString missingFile(const QString &name, const QString &path, const QString &consequence) {
    return QStringLiteral("The following file is missing: ") + name +
           QStringLiteral("\n\nThis file may have been moved or removed from its original "
                          "location, which was: '") +
           path + QStringLiteral("'.\n\n") + consequence;
}

void error(QWidget *parent, const QString &title, const QString &text) {
    EditorMessages::ask(parent, title, text, Status::Icon::Critical);
}

QString formatSize(double points) {
    return QString::number(points, 'g', 7);
}

} // namespace

frmMain::frmMain(QWidget *anchor, QWidget *parent) : QWidget(parent, Qt::Window), m_anchor(anchor) {
    setWindowTitle(QStringLiteral("Frame editor"));
    setAccessibleName(QStringLiteral("Frame editor"));
    m_back = new CanvasSurface(this);
    m_back->installEventFilter(this);
    connect(m_back, &CanvasSurface::itemDropped, this,
            [this](const QString &item, const QPoint &pos) {
                if (!m_state.idle())
                    return;
                // On an area or on the GIF shown for it; nothing on the background or a text.
                QWidget *target = m_back->childAt(pos);
                const int n = areaOf(target);
                if (n > 0)
                    DragItemOnArea(item, n);
            });
    m_outline = new QFrame(m_back);
    m_outline->setFrameStyle(QFrame::Box | QFrame::Plain);
    m_outline->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_outline->hide();
    m_coordinates = std::make_unique<frmCoordinates>(anchor);

    m_undo = new FrameUndo(this);
    m_undo->restored = [this] { Redraw(); };
    m_undo->failed = [this](const Status &s) { EditorMessages::show(this, s); };
    m_undoAction = new QAction(QStringLiteral("Undo"), this);
    m_undoAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    m_redoAction = new QAction(QStringLiteral("Redo"), this);
    m_redoAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    m_undoAction->setEnabled(false);
    m_redoAction->setEnabled(false);
    QUndoStack *stack = m_undo->stack();
    connect(m_undoAction, &QAction::triggered, stack, [this, stack] {
        if (m_state.idle() && m_gesture == Gesture::None)
            stack->undo();
    });
    connect(m_redoAction, &QAction::triggered, stack, [this, stack] {
        if (m_state.idle() && m_gesture == Gesture::None)
            stack->redo();
    });
    connect(stack, &QUndoStack::canUndoChanged, m_undoAction, &QAction::setEnabled);
    connect(stack, &QUndoStack::canRedoChanged, m_redoAction, &QAction::setEnabled);
    addAction(m_undoAction);
    addAction(m_redoAction);

    m_mnuAreaModify = new QMenu(QStringLiteral("Modify Area"), this);
    connect(m_mnuAreaModify->addAction(QStringLiteral("Properties...")), &QAction::triggered, this,
            [this] { AreaProperties(m_selectedArea); });
    m_mnuAreaModify->addSeparator();
    connect(m_mnuAreaModify->addAction(QStringLiteral("Remove!")), &QAction::triggered, this,
            [this] { RemoveArea(m_selectedArea); });
    m_mnuAreaModify->addSeparator();
    connect(m_mnuAreaModify->addAction(QStringLiteral("Cancel")), &QAction::triggered, this,
            [this] {
                m_state.CurrentAreaNumber = QStringLiteral("0");
                select(0, 0);
            });
    m_mnuTextModify = new QMenu(QStringLiteral("Modify Text"), this);
    const char *changes[3] = {"Change text...", "Change font...", "Change color..."};
    for (int kind = 0; kind < 3; ++kind)
        connect(m_mnuTextModify->addAction(QString::fromLatin1(changes[kind])), &QAction::triggered,
                this, [this, kind] { ChangeText(kind); });
    m_mnuTextModify->addSeparator();
    connect(m_mnuTextModify->addAction(QStringLiteral("Remove!")), &QAction::triggered, this,
            [this] { RemoveText(m_selectedText); });
    m_mnuTextModify->addSeparator();
    m_mnuTextModify->addAction(QStringLiteral("Cancel"));

    m_lastFont = QFont(QStringLiteral("Arial"));
    m_lastFont.setPointSizeF(12);
    m_textEntry = [this](int mode, const QString &value) {
        return frmText::ask(mode, value, this);
    };
    m_fontChooser = [this](QFont &font, qint32 &color) {
        return TextFontDialog::choose(font, color, this);
    };
    m_colorChooser = [this](qint32 &color) {
        const QColor c = QColorDialog::getColor(qcolor(color), this);
        if (!c.isValid())
            return false;
        color = c.red() | (c.green() << 8) | (c.blue() << 16);
        return true;
    };
    ChangeResolution();
}

frmMain::~frmMain() = default;

SoundMode frmMain::soundMode() const {
    return m_project.general.SingleChannelAudio ? SoundMode::SingleChannel
                                                : SoundMode::MultiChannel;
}

AreaFiles frmMain::areaFiles() const {
    return AreaFiles(m_project.paths, soundMode(), m_state.frameName);
}

// ---- Opening and closing ----

void frmMain::ChangeResolution() {
    const int w = qMax(1, int(m_project.general.ScreenWidth));
    const int h = qMax(1, int(m_project.general.ScreenHeight));
    m_back->setGeometry(0, 0, w, h);
    setFixedSize(w, h);
}

bool frmMain::OpenFrame(const EditorProject &project, const QString &frame) {
    CloseFrame();
    const FrameFiles files(project.paths, project.general.SingleChannelAudio
                                              ? SoundMode::SingleChannel
                                              : SoundMode::MultiChannel);
    FrameProperties props;
    int count = 0;
    if (!files.readHeader(frame, props) || !files.readAreaCount(frame, count)) {
        error(this, QStringLiteral("Error Loading Frame"),
              QStringLiteral("Unable to load '") + frame + QStringLiteral(".fme'"));
        return false;
    }
    m_project = project;
    m_state.project = &m_project;
    m_state.frameName = frame;
    m_state.CurrentAreaNumber = QStringLiteral("0");
    m_state.DraggedItemName.clear();
    m_areaCount = count;
    ChangeResolution();
    loadBackground();
    m_lastFont = QFont(QStringLiteral("Arial"));
    m_lastFont.setPointSizeF(12);
    m_lastColor = 0x0000FF; // (255, 0, 0)
    loadTexts(false);
    loadAreas(false);
    setWindowTitle(QStringLiteral("Edit frame '") + frame + QLatin1Char('\''));
    m_undo->reset(m_project.paths, frame);
    return true;
}

void frmMain::CloseFrame() {
    CancelReshape();
    clearElements();
    m_undo->reset(ProjectPaths(), QString());
    m_state.frameName.clear();
    m_state.CurrentAreaNumber = QStringLiteral("0");
    m_state.DraggedItemName.clear();
    m_areaCount = 0;
    m_gesture = Gesture::None;
    setWindowTitle(QStringLiteral("Frame editor"));
}

void frmMain::clearElements() {
    for (QLabel *l : std::as_const(m_areas))
        delete l;
    for (QLabel *l : std::as_const(m_gifBoxes))
        delete l;
    for (QLabel *l : std::as_const(m_texts))
        delete l;
    m_areas.clear();
    m_areaRects.clear();
    m_gifBoxes.clear();
    m_gifs.clear();
    m_areaHasPicture.clear();
    m_texts.clear();
    m_outline->hide();
    select(0, 0);
    m_draggedArea = 0;
    m_draggedText = 0;
}

void frmMain::loadBackground() {
    FrameProperties props;
    FrameFiles(m_project.paths, soundMode()).readHeader(m_state.frameName, props);
    if (props.BackgroundKind == 0) {
        m_back->setBackground(qcolor(props.backgroundColor()), QImage(), QImage());
        return;
    }
    const QString path = ProjectFiles::resolve(m_project.paths.FramesPath(), props.Background);
    if (path.isEmpty() || !ProjectFiles::exists(path)) {
        EditorMessages::ask(
            this, QStringLiteral("Missing File"),
            missingFile(props.Background,
                        path.isEmpty() ? m_project.paths.FramesPath() + props.Background : path,
                        QStringLiteral("The frame background will be black until you find the "
                                       "missing file and copy it to its original location, or "
                                       "you change the properties of the frame. To refresh the "
                                       "frame, close it and open it again.")),
            Status::Icon::Exclamation);
        m_back->setBackground(Qt::black, QImage(), QImage());
        return;
    }
    const QImage picture = PictureLoader::load(ProjectFiles::existingVariant(path));
    if (props.Tiled)
        m_back->setBackground(Qt::black, QImage(), picture);
    else
        m_back->setBackground(Qt::black, picture, QImage());
}

void frmMain::loadTexts(bool quiet) {
    const QString folder = FrameFiles(m_project.paths, soundMode()).areaFolder(m_state.frameName);
    if (folder.isEmpty())
        return;
    int k = 0;
    bool failed = false;
    for (const QString &name : TextLabels::list(folder)) {
        TextLabel t;
        const QString path = folder + name;
        if (!readTextLabel(path, t)) {
            failed = true;
            continue;
        }
        createText(++k, path, t);
    }
    if (failed && !quiet)
        error(this, QStringLiteral("Error Loading Texts"), QStringLiteral("Unable to load texts."));
}

void frmMain::loadAreas(bool quiet) {
    const AreaFiles files = areaFiles();
    const int count = m_areaCount;
    for (int n = 1; n <= count; ++n) {
        AreaLook look;
        if (!files.readLook(n, look)) {
            if (quiet)
                continue;
            const QString from = QStringLiteral("#%1 to #%2").arg(n).arg(count);
            const EngineHost::Answer answer = EditorMessages::ask(
                this, QString(),
                QStringLiteral("Unable to load area #%1 (out of %2).\nDo you want to remove it? "
                               "(You won't get this error message again, but all the clickable "
                               "areas from #%1 to #%2 will be removed)\n\n")
                        .arg(n)
                        .arg(count) +
                    QStringLiteral("Yes        = Remove areas from ") + from +
                    QStringLiteral("\nNo         = Skip area #%1 and load the remaining areas")
                        .arg(n) +
                    QStringLiteral("\nCancel   = Do not load areas from ") + from,
                Status::Icon::Exclamation, EngineHost::Buttons::YesNoCancel);
            if (answer == EngineHost::Answer::Yes) {
                const Status s = FrameFiles(m_project.paths, soundMode())
                                     .writeAreaCount(m_state.frameName, n - 1);
                if (!s)
                    EditorMessages::show(this, s);
                else
                    m_areaCount = n - 1;
                return;
            }
            if (answer == EngineHost::Answer::No)
                continue;
            return;
        }
        AreaItem item;
        if (!files.readItem(n, item))
            item.GifSpeed = 50;
        createArea(n, QRect(int(look.Left), int(look.Top), int(look.Width), int(look.Height)));
        QString missing;
        showAreaLook(n, look, item.GifSpeed, &missing);
        if (missing.isEmpty() || quiet)
            continue;
        if (missing.startsWith(QStringLiteral("Unable")))
            error(this, QStringLiteral("Error"), missing);
        else
            EditorMessages::ask(this, QStringLiteral("Missing File"), missing,
                                Status::Icon::Exclamation);
    }
}

void frmMain::Redraw() {
    select(0, 0);
    clearElements();
    int count = 0;
    if (FrameFiles(m_project.paths, soundMode()).readAreaCount(m_state.frameName, count))
        m_areaCount = count;
    loadTexts(true);
    loadAreas(true);
    emit itemEventsChanged();
}

// ---- Areas ----

QLabel *frmMain::createArea(int n, const QRect &twips) {
    auto *label = new QLabel(m_back);
    label->setObjectName(QStringLiteral("Area"));
    label->setProperty(kAreaNumber, n);
    label->setAccessibleName(QStringLiteral("Area %1").arg(n));
    label->setFrameStyle(QFrame::Box | QFrame::Plain);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(255, 255, 0));
    label->setPalette(palette);
    label->setMouseTracking(true);
    label->installEventFilter(this);
    m_areas.insert(n, label);
    m_areaRects.insert(n, twips);
    placeArea(n);
    label->show();
    label->raise();
    return label;
}

void frmMain::removeAreaElement(int n) {
    delete m_areas.take(n);
    delete m_gifBoxes.take(n);
    m_gifs.remove(n);
    m_areaRects.remove(n);
    m_areaHasPicture.remove(n);
    if (m_selectedArea == n)
        m_selectedArea = 0;
    m_back->update();
}

void frmMain::placeArea(int n) {
    if (QLabel *label = m_areas.value(n))
        label->setGeometry(toPixels(m_areaRects.value(n)));
    if (QLabel *box = m_gifBoxes.value(n))
        box->move(toPixels(m_areaRects.value(n)).topLeft());
}

void frmMain::showAreaLook(int n, const AreaLook &look, int speed, QString *missing) {
    QLabel *label = m_areas.value(n);
    if (!label)
        return;
    delete m_gifBoxes.take(n);
    m_gifs.remove(n);
    label->clear();
    label->setScaledContents(false);
    label->show();
    m_areaHasPicture[n] = false;
    if (look.HasPicture && !look.PictureFile.isEmpty()) {
        const QString path = ProjectFiles::resolve(m_project.paths.AreasPath(), look.PictureFile);
        const bool animated = look.IsAnimatedGif != 0;
        if (path.isEmpty() || !ProjectFiles::exists(path)) {
            if (missing)
                *missing = missingFile(
                    look.PictureFile,
                    path.isEmpty() ? m_project.paths.AreasPath() + look.PictureFile : path,
                    animated ? QStringLiteral("The clickable area that is linked to this file "
                                              "will be hidden. To load it properly, find the "
                                              "missing file and move it to its original "
                                              "location. Then close the frame and open it "
                                              "again, otherwise the editor may not work "
                                              "properly.")
                             : QStringLiteral("The clickable area that is linked to this file "
                                              "will now look transparent. To load it properly, "
                                              "find the missing file and move it to its "
                                              "original location. Then close the frame and open "
                                              "it again."));
        } else if (animated) {
            // `AniGifNewWithIndex`: the box as large as the GIF, at the area's corner.
            auto gif = std::make_shared<GifControl>();
            gif->setSpeed(speed);
            if (!gif->setFileName(ProjectFiles::existingVariant(path))) {
                if (missing)
                    *missing = QStringLiteral("Unable to load '") + look.PictureFile +
                               QStringLiteral("'. The program (or game) may not work properly.");
            } else {
                auto *box = new QLabel(m_back);
                box->setObjectName(QStringLiteral("AniGifBox"));
                box->setProperty(kAreaNumber, n);
                box->setAccessibleName(QStringLiteral("Area %1").arg(n));
                box->setMouseTracking(true);
                box->installEventFilter(this);
                box->resize(gif->size().expandedTo(QSize(1, 1)));
                box->setMovie(gif->movie());
                m_gifBoxes.insert(n, box);
                m_gifs.insert(n, gif);
                placeArea(n);
                label->hide();
                box->show();
                box->raise();
                gif->start();
                m_areaHasPicture[n] = true;
            }
        } else {
            const QImage picture = PictureLoader::load(ProjectFiles::existingVariant(path));
            if (!picture.isNull()) {
                label->setScaledContents(look.Stretch == 1);
                label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
                label->setPixmap(QPixmap::fromImage(picture));
            }
        }
    }
    UpdateAreaToolTip(n);
}

QRect frmMain::areaRectTwips(int n) const {
    return m_areaRects.value(n);
}

bool frmMain::reloadArea(int n, QString *errorText) {
    AreaLook look;
    if (!areaFiles().readLook(n, look)) {
        if (errorText)
            *errorText = QStringLiteral("Unable to update area appearance.");
        return false;
    }
    AreaItem item;
    if (!areaFiles().readItem(n, item))
        item.GifSpeed = 50;
    if (!m_areas.contains(n))
        createArea(n, QRect(int(look.Left), int(look.Top), int(look.Width), int(look.Height)));
    QString missing;
    showAreaLook(n, look, item.GifSpeed, &missing);
    if (missing.isEmpty())
        return true;
    if (errorText) {
        const QString path = ProjectFiles::resolve(m_project.paths.AreasPath(), look.PictureFile);
        *errorText = missing.startsWith(QStringLiteral("Unable"))
                         ? QStringLiteral("Unable to update area appearance.")
                         : QStringLiteral("File not found: '") + path +
                               QStringLiteral("'. Find this file and place it back to its "
                                              "original location.");
    }
    return false;
}

int frmMain::GetFreeAreaIndex() const {
    // Areas left unloaded when the frame opened keep their numbers while their files can be
    // read: a new area never writes over them.
    const AreaFiles files = areaFiles();
    for (int n = 1;; ++n) {
        if (m_areas.contains(n))
            continue;
        AreaLook look;
        if (n > m_areaCount || !files.readLook(n, look))
            return n;
    }
}

bool frmMain::SaveAreaPosition(int n) {
    const QRect r = m_areaRects.value(n);
    const Status s = areaFiles().savePosition(n, r.left(), r.top(), r.width(), r.height());
    if (!s) {
        error(this, QStringLiteral("Error Saving Area Information"),
              QStringLiteral("Unable to save area information."));
        return false;
    }
    UpdateAreaToolTip(n);
    return true;
}

void frmMain::UpdateAreaToolTip(int n) {
    const QRect r = m_areaRects.value(n);
    const int x = r.left() / kTwips + 2;
    const int y = r.top() / kTwips + 2;
    QString tip;
    if (m_gifBoxes.contains(n))
        tip = QStringLiteral(" Area #%1  Pos:(%2,%3)  ANIMATED GIF ").arg(n).arg(x).arg(y);
    else
        tip = QStringLiteral(" Area #%1  Pos:(%2,%3)  Size:(%4x%5) ")
                  .arg(n)
                  .arg(x)
                  .arg(y)
                  .arg(r.width() / kTwips - 4)
                  .arg(r.height() / kTwips - 4);
    if (QLabel *label = m_areas.value(n))
        label->setToolTip(tip);
    if (QLabel *box = m_gifBoxes.value(n))
        box->setToolTip(tip);
}

void frmMain::runAreaDialog(int type, bool load) {
    if (m_areaDialog)
        m_areaDialog(m_state, this, type, load);
    else
        m_state.CurrentAreaNumber = QStringLiteral("cancel");
}

void frmMain::AreaProperties(int n) {
    if (!m_areas.contains(n))
        return;
    {
        FrameUndoStep step(*m_undo, QStringLiteral("Area Properties"));
        m_state.CurrentAreaNumber = QString::number(n);
        runAreaDialog(0, true);
        m_state.CurrentAreaNumber = QStringLiteral("0");
    }
}

void frmMain::RemoveArea(int n) {
    if (!m_areas.contains(n))
        return;
    {
        FrameUndoStep step(*m_undo, QStringLiteral("Remove Area"));
        const Status s = areaFiles().removeArea(FrameFiles(m_project.paths, soundMode()), n,
                                                qMax(m_areaCount, n));
        if (!s)
            EditorMessages::show(this, s);
    }
    m_state.CurrentAreaNumber = QStringLiteral("0");
    // The later areas took new numbers: the canvas shows the files as they are now.
    Redraw();
}

void frmMain::DragItemOnArea(const QString &item, int n) {
    if (!m_areas.contains(n))
        return;
    {
        FrameUndoStep step(*m_undo, QStringLiteral("Item on Area"));
        m_state.DraggedItemName = item;
        m_state.CurrentAreaNumber = QString::number(n);
        runAreaDialog(1, true);
        m_state.CurrentAreaNumber = QStringLiteral("0");
        m_state.DraggedItemName.clear();
    }
    emit itemEventsChanged();
}

// ---- Texts ----

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
    QFont font(t.FontName);
    font.setPointSizeF(t.FontSize > 0 ? t.FontSize : 12);
    font.setBold(t.FontBold);
    font.setItalic(t.FontItalic);
    font.setStrikeOut(t.FontStrikethru);
    font.setUnderline(t.FontUnderline);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, qcolor(t.ForeColor));
    label->setPalette(palette);
    label->setText(t.Caption);
    label->setAccessibleName(t.Caption);
    label->setProperty("left", t.Left);
    label->setProperty("top", t.Top);
    label->adjustSize();
    label->move(qRound(t.Left / kTwips), qRound(t.Top / kTwips));
}

void frmMain::UpdateTextToolTip(int k) {
    QLabel *label = m_texts.value(k);
    if (!label)
        return;
    const QFont f = label->font();
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
    t.FontBold = font.bold();
    t.FontItalic = font.italic();
    t.FontName = font.family();
    t.FontSize = font.pointSizeF();
    t.FontStrikethru = font.strikeOut();
    t.FontUnderline = font.underline();
    t.ForeColor = color;
    const int k = m_texts.isEmpty() ? 1 : m_texts.lastKey() + 1;
    FrameUndoStep step(*m_undo, QStringLiteral("Add Text"));
    QLabel *label = createText(k, path, t);
    label->raise();
    if (!QDir().mkpath(QFileInfo(path).absolutePath()) || !writeTextLabel(path, t))
        error(this, QStringLiteral("Error"), QStringLiteral("Unable to save text information."));
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
        QFont font(t.FontName);
        font.setPointSizeF(t.FontSize > 0 ? t.FontSize : 12);
        font.setBold(t.FontBold);
        font.setItalic(t.FontItalic);
        font.setStrikeOut(t.FontStrikethru);
        font.setUnderline(t.FontUnderline);
        qint32 color = t.ForeColor;
        if (!chooseFont(font, color))
            return;
        m_lastFont = font;
        t.FontBold = font.bold();
        t.FontItalic = font.italic();
        t.FontName = font.family();
        t.FontSize = font.pointSizeF();
        t.FontStrikethru = font.strikeOut();
        t.FontUnderline = font.underline();
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
    if (!QDir().mkpath(QFileInfo(path).absolutePath()) || !writeTextLabel(path, t))
        error(this, QStringLiteral("Error"),
              QStringLiteral("Unable to load or save text information."));
}

void frmMain::RemoveText(int k) {
    QLabel *label = m_texts.value(k);
    if (!label)
        return;
    FrameUndoStep step(*m_undo, QStringLiteral("Remove Text"));
    if (!TextLabels::remove(label->property(kTag).toString())) {
        error(this, QStringLiteral("Error"), QStringLiteral("Unable to remove selected text."));
        return;
    }
    delete m_texts.take(k);
    if (m_selectedText == k)
        m_selectedText = 0;
}

// ---- Selection, keys, reshaping ----

void frmMain::select(int area, int text) {
    m_selectedArea = area;
    m_selectedText = text;
}

bool frmMain::MoveSelection(int dx, int dy) {
    if (!m_state.idle() || m_gesture != Gesture::None)
        return false;
    if (m_selectedArea > 0 && m_areaRects.contains(m_selectedArea)) {
        FrameUndoStep step(*m_undo, QStringLiteral("Move Area"));
        m_areaRects[m_selectedArea].translate(dx * kTwips, dy * kTwips);
        placeArea(m_selectedArea);
        SaveAreaPosition(m_selectedArea);
        return true;
    }
    if (QLabel *label = m_texts.value(m_selectedText)) {
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
    const QPoint twips = pixels * kTwips;
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
        SaveAreaPosition(n);
    }
    emit reshapeFinished();
}

void frmMain::keyPressEvent(QKeyEvent *event) {
    const int step = event->modifiers() & Qt::ShiftModifier ? 10 : 1;
    switch (event->key()) {
    case Qt::Key_Backspace:
        emit doneRequested();
        return;
    case Qt::Key_Left:
        MoveSelection(-step, 0);
        return;
    case Qt::Key_Right:
        MoveSelection(step, 0);
        return;
    case Qt::Key_Up:
        MoveSelection(0, -step);
        return;
    case Qt::Key_Down:
        MoveSelection(0, step);
        return;
    default:
        QWidget::keyPressEvent(event);
    }
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
    m_outline->setGeometry(pixels);
    m_outline->show();
    m_outline->raise();
}

bool frmMain::eventFilter(QObject *watched, QEvent *event) {
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || (widget != m_back && widget->parentWidget() != m_back))
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto *e = static_cast<QMouseEvent *>(event);
        pressAt(watched, widget->mapTo(m_back, e->position().toPoint()), e->button(),
                e->globalPosition().toPoint());
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
    default:
        return QWidget::eventFilter(watched, event);
    }
}

void frmMain::pressAt(QObject *target, const QPoint &pixels, Qt::MouseButton button,
                      const QPoint &global) {
    m_back->setFocus();
    if (!isFrameOpen() || m_gesture != Gesture::None)
        return;
    if (m_reshapeStage != 0) {
        if (button == Qt::LeftButton)
            reshapeClick(target, pixels);
        return;
    }
    const QPoint twips = pixels * kTwips;
    const int area = areaOf(target);
    const int text = area > 0 ? 0 : textOf(target);
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
        showOutline(element->geometry());
        element->hide();
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
    // A new area: the press point is the top-left corner of the part that reacts in the game.
    m_coordinates->DisplayAreaPosition(pixels.x(), pixels.y());
    m_coordinates->ResizeBig();
    m_coordinates->show();
    const int n = GetFreeAreaIndex();
    m_state.CurrentAreaNumber = QString::number(n);
    createArea(n, QRect(twips.x() - kBorder, twips.y() - kBorder, kBorder, kBorder));
    m_gesture = Gesture::Drawing;
    m_draggedArea = 0;
    m_back->grabMouse();
}

void frmMain::moveTo(const QPoint &pixels) {
    m_coordinates->Display(pixels.x(), pixels.y());
    const QPoint twips = pixels * kTwips;
    switch (m_gesture) {
    case Gesture::Drawing: {
        const int n = m_state.CurrentAreaNumber.toInt();
        QRect &r = m_areaRects[n];
        r.setWidth(twips.x() - r.left() > 0 ? twips.x() - r.left() : 1);
        r.setHeight(twips.y() - r.top() > 0 ? twips.y() - r.top() : 1);
        placeArea(n);
        m_coordinates->DisplayAreaSize(r.width() / kTwips, r.height() / kTwips);
        break;
    }
    case Gesture::MovingArea:
    case Gesture::MovingGif:
    case Gesture::MovingText:
        m_outline->move((twips - m_grabOffset) / kTwips);
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
    const QPoint twips = pixels * kTwips;
    if (gesture == Gesture::Drawing) {
        const int n = m_state.CurrentAreaNumber.toInt();
        m_coordinates->ResizeSmall();
        const QRect r = m_areaRects.value(n);
        if (r.width() >= kMinimumSide && r.height() >= kMinimumSide) {
            FrameUndoStep step(*m_undo, QStringLiteral("New Area"));
            runAreaDialog(0, false);
            if (m_state.CurrentAreaNumber != QStringLiteral("cancel")) {
                // Normally one more; never fewer than the number just used.
                const int count = qMax(m_areaCount + 1, n);
                const int written = n <= m_areaCount ? m_areaCount : count;
                const Status s = FrameFiles(m_project.paths, soundMode())
                                     .writeAreaCount(m_state.frameName, written);
                if (!s)
                    EditorMessages::show(this, s);
                else
                    m_areaCount = written;
                UpdateAreaToolTip(n);
            } else {
                removeAreaElement(n);
            }
        } else {
            removeAreaElement(n);
        }
        m_state.CurrentAreaNumber = QStringLiteral("0");
        return;
    }
    if (gesture == Gesture::MovingText) {
        const int k = m_draggedText;
        m_draggedText = 0;
        select(0, k);
        ChangeText(3, twips.x() - m_grabOffset.x(), twips.y() - m_grabOffset.y());
        return;
    }
    // `DragDropAreaOnArea` / `DragDropAniGifBoxOnArea`: the size never changes by moving.
    const int n = m_draggedArea;
    m_draggedArea = 0;
    if (!m_areaRects.contains(n))
        return;
    QRect &r = m_areaRects[n];
    const QPoint corner = twips - m_grabOffset;
    if (gesture == Gesture::MovingGif)
        m_gifBoxes.value(n)->show();
    else
        m_areas.value(n)->show();
    if (corner == r.topLeft())
        return;
    FrameUndoStep step(*m_undo, QStringLiteral("Move Area"));
    r.moveTopLeft(corner);
    placeArea(n);
    SaveAreaPosition(n);
}
