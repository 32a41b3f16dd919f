#pragma once

#include <QByteArray>

// What the picture loader and the metafile converters both read of a metafile's header:
// whether bytes are a WMF or an EMF, and little-endian fields.
namespace MetafileFormat {

constexpr quint32 kPlaceableKey = 0x9AC6CDD7u;
constexpr quint32 kEmfSignature = 0x464D4520u; // " EMF"

inline quint16 le16(const QByteArray &d, qsizetype at) {
    return static_cast<quint16>(static_cast<quint8>(d[at]) | static_cast<quint8>(d[at + 1]) << 8);
}

inline quint32 le32(const QByteArray &d, qsizetype at) {
    return static_cast<quint32>(le16(d, at)) | static_cast<quint32>(le16(d, at + 2)) << 16;
}

// Where the standard WMF header starts: after the placeable header when there is one; -1 when
// the data is not a WMF.
inline qsizetype wmfHeaderOffset(const QByteArray &d) {
    qsizetype at = 0;
    if (d.size() >= 22 && le32(d, 0) == kPlaceableKey)
        at = 22;
    if (d.size() < at + 18)
        return -1;
    const quint16 type = le16(d, at);
    const quint16 headerWords = le16(d, at + 2);
    const quint16 version = le16(d, at + 4);
    if ((type != 1 && type != 2) || headerWords != 9 || (version != 0x0100 && version != 0x0300))
        return -1;
    return at;
}

inline bool isEmf(const QByteArray &d) {
    return d.size() >= 88 && le32(d, 0) == 1 && le32(d, 40) == kEmfSignature;
}

} // namespace MetafileFormat
