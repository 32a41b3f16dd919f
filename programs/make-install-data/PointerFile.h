#pragma once

#include <QByteArray>
#include <QImage>

// An .ico or .cur file holding one 32-bit image. A cursor keeps its hot spot in its directory
// entry, where an icon keeps its planes and bit count.
QByteArray iconFileBytes(const QImage &image);
QByteArray cursorFileBytes(const QImage &image, int hotX, int hotY);
