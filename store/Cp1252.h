#pragma once

#include <QByteArray>
#include <QString>

// Project files are Windows-1252 on disk; the program works in Unicode. These two functions are
// the only place where text crosses that boundary.
namespace Cp1252 {

QString decode(QByteArrayView bytes);

// Characters that Windows-1252 cannot hold are written as '?'.
QByteArray encode(const QString &text);

// The Windows-1252 code of one character, or -1 when it has none.
int code(QChar c);

} // namespace Cp1252
