#include "RecordWriter.h"

#include "Cp1252.h"
#include "FileAccess.h"
#include "RecordReader.h"

#include <cmath>

void RecordWriter::writeString(const QString &value) {
    if (value.contains(QLatin1Char('"')))
        m_invalid = true;
    m_data.append('"');
    m_data.append(Cp1252::encode(value));
    m_data.append('"');
    endLine();
}

void RecordWriter::writeInt(qint64 value) {
    m_data.append(QByteArray::number(value));
    endLine();
}

void RecordWriter::writeBool(bool value) {
    m_data.append(value ? "#TRUE#" : "#FALSE#");
    endLine();
}

QString formatRecordNumber(double value, int significantDigits) {
    if (!std::isfinite(value))
        value = 0;
    if (value == std::trunc(value) && std::fabs(value) < 1e15)
        return QString::number(static_cast<qint64>(value));
    QString text = QString::number(value, 'g', significantDigits).toUpper(); // exponent as E+NN
    // Rounding can carry a value next to the largest double past it; such a value is written with
    // all its digits so that it reads back.
    double back = 0;
    if (!parseRecordNumber(text, back))
        text = QString::number(value, 'g', 17).toUpper();
    return text;
}

void RecordWriter::writeSingle(double value) {
    m_data.append(formatRecordNumber(value, 7).toLatin1());
    endLine();
}

void RecordWriter::writeDouble(double value) {
    m_data.append(formatRecordNumber(value, 15).toLatin1());
    endLine();
}

void RecordWriter::writeLine(const QString &text) {
    m_data.append(Cp1252::encode(text));
    endLine();
}

void RecordWriter::writeEmptyStrings(int count) {
    for (int i = 0; i < count; ++i)
        writeString(QString());
}

bool writeFileAtomically(const QString &path, const QByteArray &bytes, QString *error) {
    return FileAccess::replaceFile(path, bytes, error);
}

Status RecordWriter::commit(const QString &path, const Status &onFailure) {
    if (m_invalid) {
        m_error = QStringLiteral("A text holds a double quote");
        return onFailure.withDetail(m_error);
    }
    m_error.clear();
    if (!writeFileAtomically(path, m_data, &m_error))
        return onFailure.withDetail(m_error);
    return Status::success();
}
