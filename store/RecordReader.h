#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Reads the values of a project file in order, the way they were written: values separated by
// commas or line ends, quoted strings (which may hold commas and line breaks), unquoted values
// trimmed, #TRUE# / #FALSE#, numbers such as 0.5, .5, -.5, 1E+03.
//
// Errors are sticky: the first failed read (past the end, a value of the wrong kind, a number
// out of range) is kept in errorString() and every later read fails too, so a reader can read a
// whole layout and check ok() once.
class RecordReader {
public:
    explicit RecordReader(const QByteArray &data);

    // Reads the whole file through FileAccess::readFile (regular files of at most
    // kMaxRecordFileSize); a file that cannot be read leaves the reader failed with the reason.
    static RecordReader fromFile(const QString &path);

    // True when nothing but blanks and line breaks remains: the end-of-older-files test.
    bool atEnd();

    bool readString(QString &out);
    bool readDouble(double &out);
    // Whole numbers are rounded half to even, as the files' numbers always were.
    bool readInt(int &out, int min = -2147483647 - 1, int max = 2147483647);
    bool readInt16(int &out) { return readInt(out, -32768, 32767); }
    // #TRUE# / #FALSE#, "True" / "False", or a number where any non-zero value is true.
    bool readBool(bool &out);
    // A count of entries that follow, refused when negative or above max.
    bool readCount(int &out, int max);
    bool skip(int count);
    // A count (at most `max`) followed by that many strings.
    bool readNameList(QStringList &out, int max);

    bool ok() const { return m_error.isEmpty(); }
    const QString &errorString() const { return m_error; }
    // 1-based number of the value read last (for messages).
    int valueNumber() const { return m_valueNumber; }
    // Where the value read last lies in the data: from its first byte (an opening quote) to the
    // delimiter after it, so a value can be replaced with every other byte kept.
    qsizetype valueStart() const { return m_valueStart; }
    qsizetype valueEnd() const { return m_valueEnd; }

private:
    struct Token {
        QString text;
        bool quoted = false;
    };
    bool next(Token &token);
    bool fail(const QString &message);
    void skipBlanks();

    QByteArray m_data;
    qsizetype m_pos = 0;
    int m_valueNumber = 0;
    qsizetype m_valueStart = 0;
    qsizetype m_valueEnd = 0;
    QString m_error;
};

// The longest value one record may hold; a longer one makes the file unreadable.
constexpr qsizetype kMaxRecordValueLength = 64 * 1024;

// Parses a number in the files' notation; false when the text is not one.
bool parseRecordNumber(const QString &text, double &out);
