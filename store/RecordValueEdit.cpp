#include "RecordValueEdit.h"

#include "Cp1252.h"
#include "RecordReader.h"

#include <QList>
#include <QPair>

namespace RecordValueEdit {

bool replaceValues(const QByteArray &data, const QMap<int, QByteArray> &values, QByteArray &out) {
    if (values.isEmpty()) {
        out = data;
        return true;
    }
    RecordReader reader(data);
    QList<QPair<qsizetype, qsizetype>> spans; // of values 1 .. the last to replace
    const int last = values.lastKey();
    for (int n = 1; n <= last; ++n) {
        if (!reader.skip(1))
            return false;
        spans.append({reader.valueStart(), reader.valueEnd()});
    }
    QByteArray result;
    qsizetype copied = 0;
    for (auto it = values.begin(); it != values.end(); ++it) {
        if (it.key() < 1)
            return false;
        const auto &span = spans[it.key() - 1];
        result.append(data.mid(copied, span.first - copied));
        result.append(it.value());
        copied = span.second;
    }
    result.append(data.mid(copied));
    out = result;
    return true;
}

QByteArray quoted(const QString &text) {
    return '"' + Cp1252::encode(text) + '"';
}

QByteArray check(bool checked) {
    return checked ? QByteArrayLiteral("1") : QByteArrayLiteral("0");
}

QByteArray boolean(bool value) {
    return value ? QByteArrayLiteral("#TRUE#") : QByteArrayLiteral("#FALSE#");
}

} // namespace RecordValueEdit
