#pragma once

#include <QCursor>
#include <QImage>
#include <QPoint>
#include <QString>

// Pictures and mouse pointers from the files a project names: bmp, jpg, gif, ico and cur through
// Qt's readers, wmf and emf through their converters to SVG. The format comes from the file's
// content, since distributed projects hide their data files under numbered extensions.
class PictureLoader {
public:
    // A null image when the file is missing or cannot be read.
    static QImage load(const QString &path);

    // The hot spot of a cursor (.cur) file; false for icons and anything else.
    static bool cursorHotSpot(const QString &path, QPoint &hotSpot);
    // A pointer from an .ico or .cur file (icons point with their centre); the arrow when the
    // file cannot be read.
    static QCursor pointer(const QString &path);

    // The converters on their own, for pictures already in memory.
    static QImage fromWmf(const QByteArray &data);
    static QImage fromEmf(const QByteArray &data);
};
