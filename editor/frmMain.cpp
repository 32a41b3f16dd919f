#include "frmMain.h"

#include "BasicColor.h"
#include "CanvasOutline.h"
#include "CanvasSurface.h"
#include "EditorMessages.h"
#include "FrameClipboard.h"
#include "FrameFiles.h"
#include "FrameUndo.h"
#include "GifControl.h"
#include "PictureLoader.h"
#include "ProjectFiles.h"
#include "TextFontDialog.h"
#include "TwipScale.h"
#include "frmCoordinates.h"
#include "frmMainShared.h"
#include "frmText.h"

#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QColorDialog>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QMovie>
#include <QScrollArea>
#include <QUndoStack>
#include <QVBoxLayout>

using namespace CanvasUnits;

frmMain::frmMain(QWidget *parent) : QWidget(parent) {
    setWindowTitle(QStringLiteral("Frame editor"));
    setAccessibleName(QStringLiteral("Frame editor"));
    m_scroll = new QScrollArea(this);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setAlignment(Qt::AlignCenter);
    m_scroll->setAccessibleName(QStringLiteral("Frame view"));
    m_scroll->installEventFilter(this);
    m_scroll->viewport()->installEventFilter(this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_scroll);
    m_back = new CanvasSurface;
    m_scroll->setWidget(m_back);
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
    m_outline = new CanvasOutline(m_back);
    m_coordinates = std::make_unique<frmCoordinates>();

    m_undo = new FrameUndo(this);
    m_undo->restored = [this] { Redraw(); };
    m_undo->abandoned = [this] {
        // The files are as they were before the gesture, and so is the selection.
        const QList<int> areas = m_selectedAreas;
        const QList<int> texts = m_selectedTexts;
        Redraw();
        setSelection(areas, texts);
    };
    m_undo->failed = [this](const Status &s) { EditorMessages::show(this, s); };
    m_undoAction = new QAction(QStringLiteral("Undo"), this);
    m_undoAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    m_redoAction = new QAction(QStringLiteral("Redo"), this);
    m_redoAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    m_undoAction->setEnabled(false);
    m_redoAction->setEnabled(false);
    QUndoStack *stack = m_undo->stack();
    connect(m_undoAction, &QAction::triggered, this, [this] {
        if (m_state.idle() && m_gesture == Gesture::None)
            m_undo->undo();
    });
    connect(m_redoAction, &QAction::triggered, this, [this] {
        if (m_state.idle() && m_gesture == Gesture::None)
            m_undo->redo();
    });
    connect(stack, &QUndoStack::canUndoChanged, m_undoAction, &QAction::setEnabled);
    connect(stack, &QUndoStack::canRedoChanged, m_redoAction, &QAction::setEnabled);
    // Ctrl+Y redoes too, as in most editors.
    m_redoAction->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    addAction(m_undoAction);
    addAction(m_redoAction);
    m_copyAction = new QAction(QStringLiteral("Copy"), this);
    m_copyAction->setShortcut(QKeySequence::Copy);
    m_cutAction = new QAction(QStringLiteral("Cut"), this);
    m_cutAction->setShortcut(QKeySequence::Cut);
    m_pasteAction = new QAction(QStringLiteral("Paste"), this);
    m_pasteAction->setShortcut(QKeySequence::Paste);
    connect(m_copyAction, &QAction::triggered, this, [this] { CopySelection(); });
    connect(m_cutAction, &QAction::triggered, this, [this] { CutSelection(); });
    connect(m_pasteAction, &QAction::triggered, this, [this] { Paste(); });
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
            [this] { updateEditActions(); });
    addAction(m_copyAction);
    addAction(m_cutAction);
    addAction(m_pasteAction);
    updateEditActions();
    createViewActions();

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
    const QSize game(qMax(1, int(m_project.general.ScreenWidth)),
                     qMax(1, int(m_project.general.ScreenHeight)));
    // A window of its own opens at the game's size, where fitting draws the frame at 100 %.
    if (isWindow() && game != m_gameSize)
        resize(game);
    m_gameSize = game;
    applyZoom(m_fit ? fitFactor() : m_scale.factor());
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
    loadGrid();
    ChangeResolution();
    loadBackground();
    m_lastFont = QFont(QStringLiteral("Arial"));
    m_lastFont.setPointSizeF(12);
    m_lastColor = 0x0000FF; // (255, 0, 0)
    loadTexts(false);
    loadAreas(false);
    setWindowTitle(QStringLiteral("Edit frame '") + frame + QLatin1Char('\''));
    m_undo->open(m_project.paths, frame);
    updateEditActions();
    emit contentsChanged();
    return true;
}

void frmMain::CloseFrame() {
    CancelReshape();
    clearElements();
    m_undo->close();
    m_state.frameName.clear();
    m_state.CurrentAreaNumber = QStringLiteral("0");
    m_state.DraggedItemName.clear();
    m_areaCount = 0;
    m_gesture = Gesture::None;
    m_hiddenAreas.clear();
    m_hiddenTexts.clear();
    setWindowTitle(QStringLiteral("Frame editor"));
    updateEditActions();
    emit contentsChanged();
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
    m_areaPictures.clear();
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
    showHiddenOnCanvas();
    emit itemEventsChanged();
    emit contentsChanged();
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
    m_areaPictures.remove(n);
    if (m_selectedAreas.contains(n))
        setSelection(m_selectedAreas, m_selectedTexts);
    m_back->update();
}

void frmMain::placeArea(int n) {
    const QRect r = pixelRect(m_areaRects.value(n));
    if (QLabel *label = m_areas.value(n))
        label->setGeometry(r);
    if (QLabel *box = m_gifBoxes.value(n))
        box->move(r.topLeft());
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
    m_areaPictures.remove(n);
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
                // Drawn at the zoom: the box scales each picture of the movie to its size.
                box->setProperty("pictureSize", gif->size().expandedTo(QSize(1, 1)));
                box->resize(m_scale.scalePixels(gif->size()).expandedTo(QSize(1, 1)));
                box->setScaledContents(!m_scale.isNormal());
                box->setMovie(gif->movie());
                m_gifBoxes.insert(n, box);
                m_gifs.insert(n, gif);
                placeArea(n);
                label->hide();
                box->show();
                box->raise();
                gif->start();
                m_areaHasPicture[n] = true;
                showSelection();
            }
        } else {
            const QImage picture = PictureLoader::load(ProjectFiles::existingVariant(path));
            if (!picture.isNull()) {
                label->setScaledContents(look.Stretch == 1);
                label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
                m_areaPictures.insert(n, picture);
                showAreaPicture(n);
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
    showHiddenOnCanvas();
    emit contentsChanged();
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

bool frmMain::runAreaDialog(FrameUndoStep &step, int type, bool load) {
    m_state.WriteFailed = false;
    if (m_areaDialog)
        m_areaDialog(m_state, this, type, load);
    else
        m_state.CurrentAreaNumber = QStringLiteral("cancel");
    const bool written = !m_state.WriteFailed;
    if (!written)
        step.fail();
    m_state.WriteFailed = false;
    return written;
}

void frmMain::AreaProperties(int n) {
    if (!m_areas.contains(n))
        return;
    {
        FrameUndoStep step(*m_undo, QStringLiteral("Area Properties"));
        m_state.CurrentAreaNumber = QString::number(n);
        runAreaDialog(step, 0, true);
        m_state.CurrentAreaNumber = QStringLiteral("0");
    }
}

bool frmMain::RemoveArea(int n) {
    if (!m_areas.contains(n))
        return false;
    Status s;
    {
        FrameUndoStep step(*m_undo, QStringLiteral("Remove Area"));
        s = areaFiles().removeArea(FrameFiles(m_project.paths, soundMode()), n,
                                   qMax(m_areaCount, n));
        if (!s) {
            EditorMessages::show(this, s);
            step.fail();
        }
    }
    m_state.CurrentAreaNumber = QStringLiteral("0");
    if (!s)
        return false;
    // The later areas took new numbers: the canvas shows the files as they are now, and an
    // area hidden on the canvas stays hidden under its new number.
    QSet<int> hidden;
    for (int m : std::as_const(m_hiddenAreas)) {
        if (m != n)
            hidden.insert(m > n ? m - 1 : m);
    }
    m_hiddenAreas = hidden;
    Redraw();
    return true;
}

void frmMain::DragItemOnArea(const QString &item, int n) {
    if (!m_areas.contains(n))
        return;
    {
        FrameUndoStep step(*m_undo, QStringLiteral("Item on Area"));
        m_state.DraggedItemName = item;
        m_state.CurrentAreaNumber = QString::number(n);
        runAreaDialog(step, 1, true);
        m_state.CurrentAreaNumber = QStringLiteral("0");
        m_state.DraggedItemName.clear();
    }
    emit itemEventsChanged();
}
