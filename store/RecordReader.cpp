#include "RecordReader.h"

#include "Cp1252.h"
#include "FileAccess.h"

#include <cmath>

RecordReader::RecordReader(const QByteArray &data) : m_data(data) {}

RecordReader RecordReader::fromFile(const QString &path) {
    QByteArray data;
    QString error;
    if (!FileAccess::readFile(path, FileAccess::kMaxRecordFileSize, data, &error)) {
        RecordReader reader{QByteArray()};
        reader.fail(error);
        return reader;
    }
    return RecordReader(data);
}

bool RecordReader::fail(const QString &message) {
    if (m_error.isEmpty())
        m_error = message;
    return false;
}

void RecordReader::skipBlanks() {
    while (m_pos < m_data.size() && (m_data[m_pos] == ' ' || m_data[m_pos] == '\t'))
        ++m_pos;
}

bool RecordReader::atEnd() {
    qsizetype p = m_pos;
    while (p < m_data.size()) {
        const char c = m_data[p];
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n' && c != '\x1a')
            return false;
        ++p;
    }
    return true;
}

bool RecordReader::next(Token &token) {
    if (!ok())
        return false;
    if (atEnd())
        return fail(QStringLiteral("Input past end of file"));
    ++m_valueNumber;
    skipBlanks();
    const qsizetype size = m_data.size();
    token = Token();
    m_valueStart = m_pos;
    if (m_pos < size && m_data[m_pos] == '"') {
        const qsizetype start = ++m_pos;
        while (m_pos < size && m_data[m_pos] != '"')
            ++m_pos;
        if (m_pos - start > kMaxRecordValueLength)
            return fail(QStringLiteral("Value too long"));
        token.text = Cp1252::decode(QByteArrayView(m_data).sliced(start, m_pos - start));
        token.quoted = true;
        if (m_pos < size)
            ++m_pos; // closing quote
        // Anything between the closing quote and the delimiter is not part of the value.
        while (m_pos < size && m_data[m_pos] != ',' && m_data[m_pos] != '\r' &&
               m_data[m_pos] != '\n')
            ++m_pos;
    } else {
        const qsizetype start = m_pos;
        while (m_pos < size && m_data[m_pos] != ',' && m_data[m_pos] != '\r' &&
               m_data[m_pos] != '\n')
            ++m_pos;
        if (m_pos - start > kMaxRecordValueLength)
            return fail(QStringLiteral("Value too long"));
        token.text = Cp1252::decode(QByteArrayView(m_data).sliced(start, m_pos - start)).trimmed();
    }
    m_valueEnd = m_pos;
    // Consume one delimiter: a comma, or one line end (CR LF, LF or CR).
    if (m_pos < size) {
        if (m_data[m_pos] == ',') {
            ++m_pos;
        } else if (m_data[m_pos] == '\r') {
            ++m_pos;
            if (m_pos < size && m_data[m_pos] == '\n')
                ++m_pos;
        } else if (m_data[m_pos] == '\n') {
            ++m_pos;
        }
    }
    return true;
}

bool RecordReader::readString(QString &out) {
    Token t;
    if (!next(t))
        return false;
    if (!t.quoted) {
        if (t.text.compare(QLatin1String("#TRUE#"), Qt::CaseInsensitive) == 0)
            t.text = QStringLiteral("True");
        else if (t.text.compare(QLatin1String("#FALSE#"), Qt::CaseInsensitive) == 0)
            t.text = QStringLiteral("False");
    }
    out = t.text;
    return true;
}

bool parseRecordNumber(const QString &input, double &out) {
    // Most values are small whole numbers: those need no conversion through text.
    if (input.size() <= 9) {
        const bool negative = input.startsWith(u'-');
        qsizetype k = negative ? 1 : 0;
        int value = 0;
        while (k < input.size() && input[k] >= u'0' && input[k] <= u'9')
            value = value * 10 + (input[k++].unicode() - u'0');
        if (k == input.size() && k > (negative ? 1 : 0)) {
            out = negative ? -double(value) : double(value);
            return true;
        }
    }
    const QString text = input.trimmed();
    if (text.isEmpty()) {
        out = 0;
        return true;
    }
    if (text.compare(QLatin1String("#TRUE#"), Qt::CaseInsensitive) == 0) {
        out = -1;
        return true;
    }
    if (text.compare(QLatin1String("#FALSE#"), Qt::CaseInsensitive) == 0) {
        out = 0;
        return true;
    }
    // sign? digits* (. digits*)? ([EeDd] sign? digits+)?, with at least one mantissa digit
    QByteArray s;
    qsizetype i = 0;
    const qsizetype n = text.size();
    auto isDigit = [&](qsizetype k) { return k < n && text[k] >= u'0' && text[k] <= u'9'; };
    if (i < n && (text[i] == u'+' || text[i] == u'-'))
        s.append(static_cast<char>(text[i++].unicode()));
    int digits = 0;
    while (isDigit(i)) {
        s.append(static_cast<char>(text[i++].unicode()));
        ++digits;
    }
    if (i < n && text[i] == u'.') {
        s.append('.');
        ++i;
        while (isDigit(i)) {
            s.append(static_cast<char>(text[i++].unicode()));
            ++digits;
        }
    }
    if (digits == 0)
        return false;
    if (i < n && (text[i] == u'E' || text[i] == u'e' || text[i] == u'D' || text[i] == u'd')) {
        s.append('e');
        ++i;
        if (i < n && (text[i] == u'+' || text[i] == u'-'))
            s.append(static_cast<char>(text[i++].unicode()));
        if (!isDigit(i))
            return false;
        while (isDigit(i))
            s.append(static_cast<char>(text[i++].unicode()));
    }
    if (i != n)
        return false;
    bool ok = false;
    const double v = s.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return false;
    out = v;
    return true;
}

bool RecordReader::readDouble(double &out) {
    Token t;
    if (!next(t))
        return false;
    double v = 0;
    if (!parseRecordNumber(t.text, v))
        return fail(QStringLiteral("Type mismatch"));
    out = v;
    return true;
}

bool RecordReader::readInt(int &out, int min, int max) {
    double v = 0;
    if (!readDouble(v))
        return false;
    const double r = std::nearbyint(v); // the default rounding mode rounds half to even
    if (r < min || r > max)
        return fail(QStringLiteral("Overflow"));
    out = static_cast<int>(r);
    return true;
}

bool RecordReader::readBool(bool &out) {
    Token t;
    if (!next(t))
        return false;
    if (t.text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) {
        out = true;
        return true;
    }
    if (t.text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) {
        out = false;
        return true;
    }
    double v = 0;
    if (!parseRecordNumber(t.text, v))
        return fail(QStringLiteral("Type mismatch"));
    out = v != 0;
    return true;
}

bool RecordReader::readCount(int &out, int max) {
    int n = 0;
    if (!readInt(n))
        return false;
    if (n < 0 || n > max)
        return fail(QStringLiteral("Count out of range"));
    out = n;
    return true;
}

bool RecordReader::skip(int count) {
    Token t;
    for (int i = 0; i < count; ++i) {
        if (!next(t))
            return false;
    }
    return true;
}

bool RecordReader::readNameList(QStringList &out, int max) {
    int count = 0;
    if (!readCount(count, max))
        return false;
    for (int i = 0; i < count; ++i) {
        QString name;
        if (!readString(name))
            return false;
        out.append(name);
    }
    return true;
}
