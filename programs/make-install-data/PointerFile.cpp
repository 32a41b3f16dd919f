#include "PointerFile.h"

#include <QtEndian>

namespace {

void put16(QByteArray &out, int v) {
    const quint16 le = qToLittleEndian(static_cast<quint16>(v));
    out.append(reinterpret_cast<const char *>(&le), 2);
}
void put32(QByteArray &out, quint32 v) {
    const quint32 le = qToLittleEndian(v);
    out.append(reinterpret_cast<const char *>(&le), 4);
}

// type 1 = icon, 2 = cursor; `a` and `b` are planes and bit count, or the hot spot.
QByteArray fileBytes(const QImage &source, int type, int a, int b) {
    const QImage img = source.convertToFormat(QImage::Format_ARGB32);
    const int w = img.width(), h = img.height();
    const int maskStride = ((w + 31) / 32) * 4;
    QByteArray bitmap;
    put32(bitmap, 40);
    put32(bitmap, static_cast<quint32>(w));
    put32(bitmap, static_cast<quint32>(h * 2)); // colour rows then mask rows
    put16(bitmap, 1);
    put16(bitmap, 32);
    put32(bitmap, 0);
    put32(bitmap, static_cast<quint32>(w * h * 4 + maskStride * h));
    for (int i = 0; i < 4; ++i)
        put32(bitmap, 0);
    for (int y = h - 1; y >= 0; --y) {
        for (int x = 0; x < w; ++x)
            put32(bitmap, img.pixel(x, y)); // BGRA in little-endian order
    }
    for (int y = h - 1; y >= 0; --y) {
        QByteArray row(maskStride, '\0');
        for (int x = 0; x < w; ++x) {
            if (qAlpha(img.pixel(x, y)) == 0)
                row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
        }
        bitmap.append(row);
    }
    QByteArray out;
    put16(out, 0);
    put16(out, type);
    put16(out, 1);
    out.append(static_cast<char>(w >= 256 ? 0 : w));
    out.append(static_cast<char>(h >= 256 ? 0 : h));
    out.append('\0');
    out.append('\0');
    put16(out, a);
    put16(out, b);
    put32(out, static_cast<quint32>(bitmap.size()));
    put32(out, 22);
    out.append(bitmap);
    return out;
}

} // namespace

QByteArray iconFileBytes(const QImage &image) {
    return fileBytes(image, 1, 1, 32);
}

QByteArray cursorFileBytes(const QImage &image, int hotX, int hotY) {
    return fileBytes(image, 2, hotX, hotY);
}
