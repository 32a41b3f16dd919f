#pragma once

#include "AreaFiles.h"
#include "TextLabels.h"

#include <QList>
#include <QPair>
#include <QPoint>
#include <QString>
#include <QStringList>

// Areas and texts copied on the frame canvas: what their files held when they were copied. The
// copy stays in the editor's memory; the system clipboard holds a mark of a private type, so
// copying anything else elsewhere ends it.
class FrameClipboard {
public:
    struct CopiedArea {
        Area area;
        QList<QPair<QString, DropEvent>> drops; // item name, its drop event
    };

    QString projectRoot; // the project copied from: pictures and sounds are named within it
    QString frame;       // the frame copied from
    QList<CopiedArea> areas;
    QList<TextLabel> texts;

    bool isEmpty() const { return areas.isEmpty() && texts.isEmpty(); }

    // Reads `areas` of `files` with their drop events and the text files `textPaths`. The
    // store's failure (nothing kept) when one cannot be read.
    Status read(const AreaFiles &files, const QList<int> &areaNumbers,
                const QStringList &textPaths);
    // Writes `area` as area n of `files`, moved by `offset` twips, with its drop events. Files
    // written before a failure stay written (the caller's change puts them back).
    static Status writeArea(const AreaFiles &files, int n, const CopiedArea &area,
                            const QPoint &offset);

    // Makes `copy` the clipboard's content and marks the system clipboard with it.
    static void put(const FrameClipboard &copy);
    // The copy the system clipboard still marks; null when there is none.
    static const FrameClipboard *current();
};

// The system clipboard's mark of a copy of areas and texts.
inline constexpr char kFrameElementsMimeType[] = "application/x-quillmoor-frame-elements";
