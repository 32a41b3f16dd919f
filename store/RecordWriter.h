#pragma once

#include "Status.h"

#include <QByteArray>
#include <QString>

// Writes a project file one value per line: strings quoted, numbers in decimal with a point,
// Booleans as #TRUE# / #FALSE#, Windows-1252, CR LF. The file is built in memory and replaced
// whole and atomically by commit().
class RecordWriter {
public:
    void writeString(const QString &value);
    void writeInt(qint64 value);
    // Check boxes are written as 0 or 1.
    void writeCheck(bool checked) { writeInt(checked ? 1 : 0); }
    void writeBool(bool value);
    // Seven significant digits, as single-precision fields are stored.
    void writeSingle(double value);
    void writeDouble(double value);
    // A line written as it stands (the plain "print" files).
    void writeLine(const QString &text);
    void writeEmptyStrings(int count);

    const QByteArray &data() const { return m_data; }

    // Writes the file through a temporary file renamed over the old one (FileAccess::replaceFile).
    // On failure the old file is untouched and `onFailure` is returned with the reason as its
    // detail, also kept in errorString(). A string holding a double quote cannot be stored and
    // also fails.
    Status commit(const QString &path, const Status &onFailure);
    const QString &errorString() const { return m_error; }

private:
    void endLine() { m_data.append("\r\n", 2); }
    QByteArray m_data;
    bool m_invalid = false;
    QString m_error;
};

// The text a number is written as.
QString formatRecordNumber(double value, int significantDigits);

// Replaces `path` whole and atomically with `bytes`; false when it could not be written, with
// the system's reason in `error`.
bool writeFileAtomically(const QString &path, const QByteArray &bytes, QString *error = nullptr);
