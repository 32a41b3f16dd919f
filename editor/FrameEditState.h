#pragma once

#include "ProjectLifecycle.h"

#include <QRect>
#include <QString>

// What the frame canvas shares with the dialogs it opens while one frame is open for editing
// (the area properties dialog, the items windows). The canvas owns it.
struct FrameEditState {
    // The open project (folders, screen size, audio mode); outlives the state.
    const EditorProject *project = nullptr;
    // The frame on the canvas, as named in the frames folder (no extension).
    QString frameName;
    // "0" while the canvas is idle; the area number (as text) while a new area is drawn or while
    // its dialog is open; "cancel" when the author cancelled that dialog (read once after it).
    QString CurrentAreaNumber = QStringLiteral("0");
    // The item dropped on an area while the event dialog is open; "" otherwise.
    QString DraggedItemName;
    // Set by the dialog when a file it had to write could not be written (the author was told):
    // the canvas then puts back every file of the gesture.
    bool WriteFailed = false;

    bool idle() const { return CurrentAreaNumber.toInt() == 0; }
};

// The canvas as the dialogs it opens see it.
class FrameCanvas {
public:
    virtual ~FrameCanvas() = default;
    // The stored rectangle of area n in twips (left, top, width, height); a null QRect when the
    // canvas holds no area n.
    virtual QRect areaRectTwips(int n) const = 0;
    // Reads area n's files again and shows it as saved: its picture (stretched or not), its
    // animated GIF box with its speed, or no picture, and its tooltip. False, with `error` set to
    // the message to show, when the picture cannot be shown.
    virtual bool reloadArea(int n, QString *error) = 0;
};

// Drag and drop of an item from the items list onto the canvas: the data is the item's name.
inline constexpr char kItemMimeType[] = "application/x-quillmoor-item";
