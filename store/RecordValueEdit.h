#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>

// Changes single values of a record file and keeps every other byte as it was: the layout of
// an older editor, the line ends and any value this program does not know stay untouched.
namespace RecordValueEdit {

// `data` with value n (1-based, as the reader counts them) replaced by `values[n]`, which is
// written as it stands (see the helpers below). False when the file ends before the last value
// to replace or cannot be read that far.
bool replaceValues(const QByteArray &data, const QMap<int, QByteArray> &values, QByteArray &out);

// A value as the record writer writes it: a quoted string (Windows-1252), a check box (0 or 1),
// a Boolean (#TRUE# or #FALSE#).
QByteArray quoted(const QString &text);
QByteArray check(bool checked);
QByteArray boolean(bool value);

} // namespace RecordValueEdit
