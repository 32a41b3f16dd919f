#pragma once

#include "TextLabels.h"

#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>

// What the game window shows, kept by the engine. Rectangles are in twips (15 to the pixel)
// inside the play area; picture paths are resolved, ready to open.
struct SceneArea {
    int number = 0;
    QRect rect; // the clickable part: 30 twips inside the stored rectangle
    bool hasPicture = false;
    QString picture; // empty for a transparent area
    bool stretch = false;
    QString pointer; // custom pointer file; empty for the normal pointer
    bool visible = true;
    bool animated = false; // shown as an animated picture in its own box
    QString animation;     // the animated picture file
    int animationSpeed = 50;
    int restarts = 0; // how often the animation was (re)started
    QString item;     // the item a click picks up (names the area for screen readers)
};

struct SceneText {
    QString file; // the .lbl file, full path
    TextLabel label;
};

struct InventorySlot {
    QString name;
    QString picture; // resolved path of the item's picture
    QPoint cell;     // top-left in pixels
};

struct Scene {
    int playWidth = 640; // pixels
    int playHeight = 480;
    QString frame;
    int backgroundKind = 0;
    qint32 backgroundColor = 0; // 0x00BBGGRR; black after a reset
    QString backImage;          // stretched background picture
    QString tileImage;          // tiled background picture
    bool tiled = false;
    QList<SceneArea> areas; // areas 1..n at index n-1
    QList<SceneText> texts;
    QList<InventorySlot> inventory;
    bool messageVisible = false;
    QString messageText;
    bool menuExitShown = false;
    bool menuSaveShown = false;
    bool cutSceneVisible = false;
    QRect cutSceneRect; // twips
    bool gameWindowVisible = false;
};
