#pragma once

#include "AreaFiles.h"
#include "FrameEditState.h"
#include "ProjectLifecycle.h"
#include "TextLabels.h"
#include "TwipScale.h"

#include <QFont>
#include <QImage>
#include <QMap>
#include <QPointer>
#include <QSet>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class CanvasOutline;
class CanvasSurface;
class FrameUndo;
class FrameUndoStep;
class GifControl;
class QAction;
class QFrame;
class QLabel;
class QMenu;
class QScrollArea;
class frmCoordinates;

// "Frame editor": one frame at the project's screen size, where the author draws, moves,
// reshapes and removes clickable areas, adds and changes texts, and drops items on areas.
// Every change is written at once through the store and recorded for undo; a change whose files
// cannot all be written is put back whole, leaving the files, the canvas and the history as they
// were (the author is told). Positions are in twips (15 to the pixel) unless a name says pixels.
// The frame is drawn at a zoom inside a scrolling view; every gesture is mapped back to twips,
// so its rules hold at every zoom. Works as a window of its own or as a child widget.
class frmMain : public QWidget, public FrameCanvas {
    Q_OBJECT
public:
    // Without a parent the canvas is a window of its own; the main window holds it in its centre.
    explicit frmMain(QWidget *parent = nullptr);
    ~frmMain() override;

    // The area properties dialog for `state.CurrentAreaNumber`: type 0 area, 1 item dropped on
    // the area (`state.DraggedItemName`); with `load` the dialog reads what is saved first. It
    // leaves "cancel" in `state.CurrentAreaNumber` when the author cancelled.
    using AreaDialog =
        std::function<void(FrameEditState &state, FrameCanvas *canvas, int type, bool load)>;
    // `frmText`: mode 0 add, 1 edit; "" when cancelled.
    using TextEntry = std::function<QString(int mode, const QString &value)>;
    // The font dialog: false on Cancel. `color` is 0x00BBGGRR.
    using FontChooser = std::function<bool(QFont &font, qint32 &color)>;
    using ColorChooser = std::function<bool(qint32 &color)>;
    void setAreaDialog(AreaDialog dialog) { m_areaDialog = std::move(dialog); }
    void setTextEntry(TextEntry entry) { m_textEntry = std::move(entry); }
    void setFontChooser(FontChooser chooser) { m_fontChooser = std::move(chooser); }
    void setColorChooser(ColorChooser chooser) { m_colorChooser = std::move(chooser); }

    // Opening a frame for editing: background, texts, areas with their pictures, the messages
    // for missing files and the question for areas that cannot be read. False (after the
    // "Error Loading Frame" message) when the frame file cannot be read.
    bool OpenFrame(const EditorProject &project, const QString &frame);
    // Ends the editing of the frame; its undo history is kept for when it opens again.
    void CloseFrame();
    bool isFrameOpen() const { return !m_state.frameName.isEmpty(); }

    FrameEditState &state() { return m_state; }
    FrameUndo *undo() const { return m_undo; }
    frmCoordinates *coordinates() const { return m_coordinates.get(); }
    CanvasSurface *BackImage() const { return m_back; }
    QAction *undoAction() const { return m_undoAction; }
    QAction *redoAction() const { return m_redoAction; }
    QMenu *areaMenu() const { return m_mnuAreaModify; }
    QMenu *textMenu() const { return m_mnuTextModify; }
    // "Copy", "Cut" and "Paste" of the selected areas and texts (Ctrl+C, Ctrl+X, Ctrl+V).
    QAction *copyAction() const { return m_copyAction; }
    QAction *cutAction() const { return m_cutAction; }
    QAction *pasteAction() const { return m_pasteAction; }

    // The zoom: 1 draws the frame at the game's size. "Fit to Window" (the default) follows the
    // view's size; setZoom() keeps `factor` within 0.25 to 4 and leaves fitting.
    double zoom() const { return m_scale.factor(); }
    void setZoom(double factor);
    void zoomToFit();
    bool isFitToView() const { return m_fit; }
    QAction *zoomInAction() const { return m_zoomInAction; }
    QAction *zoomOutAction() const { return m_zoomOutAction; }
    QAction *zoomFitAction() const { return m_zoomFitAction; }
    QScrollArea *scrollArea() const { return m_scroll; }

    // The grid, in game pixels, kept per project: when on, drawing, moving and reshaping put
    // corners and positions on it. The size is kept within 2 to 320 pixels.
    void setGrid(bool on, int pixels);
    bool gridOn() const { return m_gridOn; }
    int gridSize() const { return m_gridSize; }
    QAction *gridAction() const { return m_gridAction; }
    // "Grid Size...": asks through EditorMessages::input.
    QAction *gridSizeAction() const { return m_gridSizeAction; }

    // The canvas operations.
    void ChangeResolution();
    int GetFreeAreaIndex() const;
    // Writes area n's rectangle into lines 1 to 4 of its first file (the rest kept). False
    // after the "Error Saving Area Information" message.
    bool SaveAreaPosition(int n);
    QString FreeTextIndex() const;
    // On the selected text: kind 0 text, 1 font, 2 colour, 3 move to (x, y).
    void ChangeText(int kind, int x = 0, int y = 0);
    void UpdateAreaToolTip(int n);
    void UpdateTextToolTip(int k);
    void DragItemOnArea(const QString &item, int n);
    // The area menu's "Properties..." and "Remove!" for area n, the text menu's "Remove!".
    void AreaProperties(int n);
    // False when nothing was removed (the author was told why when a file could not be).
    bool RemoveArea(int n);
    bool RemoveText(int k);
    // A text added at (x, y): `frmText`, then the font dialog.
    void AddText(int x, int y);
    // Moves the selected areas and texts by (dx, dy) pixels and saves them, as one change;
    // false when nothing is selected.
    bool MoveSelection(int dx, int dy);
    // Removes every selected area and text as one change (one element: `RemoveArea` or
    // `RemoveText` alone).
    void RemoveSelection();

    // The selected areas and texts are kept in the editor's clipboard (their files as read now);
    // false, after the store's message, when one cannot be read. A cut then removes them, as one
    // change.
    bool CopySelection();
    void CutSelection();
    // Adds what was copied in this project to the open frame, as one change: each area with its
    // item drop events under the next free number, each text under the next free file name
    // (pictures and sounds are shared, not copied). A paste into the frame the elements were
    // copied from lies 10 pixels lower and to the right. The pasted elements become the
    // selection.
    void Paste();
    bool canPaste() const;

    // Hides area n or text k on the canvas for the author only; nothing is written and the
    // game shows it as before. Kept while the frame stays open.
    void setAreaHiddenOnCanvas(int n, bool hidden);
    void setTextHiddenOnCanvas(int k, bool hidden);
    bool isAreaHiddenOnCanvas(int n) const { return m_hiddenAreas.contains(n); }
    bool isTextHiddenOnCanvas(int k) const { return m_hiddenTexts.contains(textPath(k)); }

    // Reshaping: area n gets new corners from the next two clicks; with n = 0 the next click
    // chooses the area first.
    void BeginReshape(int n);
    void CancelReshape();
    bool isReshaping() const { return m_reshapeStage != 0; }

    // Reads every area and text again (after an undo or redo).
    void Redraw();

    QRect areaRectTwips(int n) const override;
    bool reloadArea(int n, QString *error) override;

    // What the canvas shows, for tests and the accessibility tree.
    int areaCount() const { return m_areaCount; }
    QList<int> areaNumbers() const { return m_areas.keys(); }
    QList<int> textNumbers() const { return m_texts.keys(); }
    QLabel *area(int n) const { return m_areas.value(n); }
    QLabel *gifBox(int n) const { return m_gifBoxes.value(n); }
    QLabel *text(int k) const { return m_texts.value(k); }
    // The first selected area and text (0 when none).
    int SelectedAreaNumber() const { return m_selectedArea; }
    int SelectedTextNumber() const { return m_selectedText; }
    // Every selected area and text, in the order they were selected.
    QList<int> selectedAreas() const { return m_selectedAreas; }
    QList<int> selectedTexts() const { return m_selectedTexts; }
    // Numbers the canvas does not hold are left out.
    void setSelection(const QList<int> &areas, const QList<int> &texts);
    int DraggedAreaNumber() const { return m_draggedArea; }
    QString textPath(int k) const;

signals:
    // Backspace on the canvas or its close box: the main panel's "Done".
    void doneRequested();
    // A reshaping ended by its last click.
    void reshapeFinished();
    // Item drop events were written, removed or renumbered.
    void itemEventsChanged();
    // A frame opened or closed, the canvas was drawn again (undo, redo), or an area or a text
    // was added, removed or changed in a way its outline shows.
    void contentsChanged();
    // The selected areas or texts changed.
    void selectionChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    enum class Gesture { None, Drawing, MovingArea, MovingGif, MovingText, MovingGroup, Band };

    AreaFiles areaFiles() const;
    SoundMode soundMode() const;
    void clearElements();
    void loadBackground();
    void loadTexts(bool quiet);
    void loadAreas(bool quiet);
    QLabel *createArea(int n, const QRect &twips);
    void removeAreaElement(int n);
    // Shows area n as `look` and `speed` say; `missing` receives the message for a picture
    // that is missing or cannot be shown.
    void showAreaLook(int n, const AreaLook &look, int speed, QString *missing);
    void placeArea(int n);
    QLabel *createText(int k, const QString &path, const TextLabel &label);
    void applyText(QLabel *label, const TextLabel &t);
    // Runs the dialog within `step`. False, with the step failed, when the dialog could not
    // write a file.
    bool runAreaDialog(FrameUndoStep &step, int type, bool load);
    bool chooseFont(QFont &font, qint32 &color);

    void pressAt(QObject *target, const QPoint &pixels, Qt::MouseButton button,
                 const QPoint &global, Qt::KeyboardModifiers modifiers = {});
    // Ctrl+click, a press on a selection of several elements, a Shift+drag on the background.
    bool pressForSelection(int area, int text, const QPoint &pixels,
                           Qt::KeyboardModifiers modifiers);
    void releaseSelectionGesture(Gesture gesture, const QPoint &pixels);
    // Moves the whole selection by `twips` as one change ("Move Selection").
    bool moveSelectionBy(const QPoint &twips);
    bool moveTextTo(int k, double left, double top);
    void showSelection();
    void showHiddenOnCanvas();
    void updateEditActions();
    void moveTo(const QPoint &pixels);
    void releaseAt(const QPoint &pixels);
    void reshapeClick(QObject *target, const QPoint &pixels);
    int areaOf(QObject *target) const;
    int textOf(QObject *target) const;
    void showOutline(const QRect &pixels);
    void select(int area, int text);
    void selectAll(const QList<int> &areas, const QList<int> &texts);
    // Backspace, Delete, the arrows and the canvas's shortcuts; false for other keys.
    bool handleKey(QKeyEvent *event);

    // The view (frmMainView.cpp).
    void createViewActions();
    QRect pixelRect(const QRect &twips) const;
    QPoint twipsAt(const QPoint &pixels) const { return m_scale.toTwips(pixels); }
    // `twips` on the nearest grid point while the grid is on.
    QPoint snapped(const QPoint &twips) const;
    double fitFactor() const;
    // Draws everything again at `factor`; `anchor` (pixels of the view) stays over the same
    // point of the frame.
    void applyZoom(double factor, const QPoint *anchor = nullptr);
    void zoomStep(int direction, const QPoint *anchor = nullptr);
    bool viewEvent(QObject *watched, QEvent *event);
    void placeText(QLabel *label);
    void showAreaPicture(int n);
    void loadGrid();
    void askGridSize();

    QScrollArea *m_scroll;
    CanvasSurface *m_back;
    std::unique_ptr<frmCoordinates> m_coordinates;
    FrameUndo *m_undo;
    QAction *m_undoAction;
    QAction *m_redoAction;
    QMenu *m_mnuAreaModify;
    QMenu *m_mnuTextModify;
    QAction *m_copyAction;
    QAction *m_cutAction;
    QAction *m_pasteAction;
    CanvasOutline *m_outline;
    QAction *m_zoomInAction;
    QAction *m_zoomOutAction;
    QAction *m_zoomFitAction;
    QAction *m_gridAction;
    QAction *m_gridSizeAction;
    TwipScale m_scale;
    bool m_fit = true;
    QSize m_gameSize; // pixels
    bool m_gridOn = false;
    int m_gridSize = 10;
    QString m_gridProject; // the root whose grid is shown
    int m_nudgeRun = 0;    // arrow moves within one run merge into one undo step
    int m_wheelRest = 0;   // wheel turns short of a zoom step

    EditorProject m_project;
    FrameEditState m_state;
    int m_areaCount = 0;
    QMap<int, QLabel *> m_areas;
    QMap<int, QRect> m_areaRects; // twips
    QMap<int, QLabel *> m_gifBoxes;
    QMap<int, std::shared_ptr<GifControl>> m_gifs;
    QMap<int, bool> m_areaHasPicture;
    QMap<int, QImage> m_areaPictures; // as read, drawn at the zoom
    QMap<int, QLabel *> m_texts;

    Gesture m_gesture = Gesture::None;
    int m_draggedArea = 0; // `DraggedAreaNumber`
    int m_draggedText = 0;
    QPoint m_grabOffset; // `GrabOffset`, twips
    QPoint m_pressPoint; // twips
    int m_selectedArea = 0;
    int m_selectedText = 0;
    QList<int> m_selectedAreas;
    QList<int> m_selectedTexts;
    QPoint m_bandStart;   // pixels of the canvas surface
    int m_groupPress = 0; // a press on a selected area (n) or text (-k) of a larger selection
    QSet<int> m_hiddenAreas;
    QSet<QString> m_hiddenTexts; // by file: text numbers follow the files' order
    int m_reshapeStage = 0; // 1 choose the area, 2 top-left corner, 3 bottom-right corner
    int m_reshapeArea = 0;
    QPoint m_reshapeCorner;
    std::optional<QPoint> m_pendingText; // twips: a right press on the background

    QFont m_lastFont;
    qint32 m_lastColor = 0x0000FF;

    AreaDialog m_areaDialog;
    TextEntry m_textEntry;
    FontChooser m_fontChooser;
    ColorChooser m_colorChooser;
};
