// The record codec under arbitrary bytes: typed reads in an order the input chooses, checks that
// the reader's answers agree with one another, then every value read is written with
// RecordWriter and read back.
//
// Input: byte 0 modulo 32 is the number of operation bytes that follow; the rest is the file.
// The operations repeat until the file is used up (none: every value is read as a string).

#include "RecordReader.h"
#include "RecordWriter.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <cmath>
#include <cstddef>
#include <cstdint>

namespace {

// More than the values an input of libFuzzer's default length holds; also bounds inputs whose
// operations read nothing.
constexpr int kMaxOperations = 8192;

void check(bool condition) {
    if (!condition)
        __builtin_trap();
}

enum class Kind { String, Double, Int, Int16, Bool, Count };

struct Value {
    Kind kind = Kind::String;
    QString text;
    double number = 0;
    int whole = 0;
    bool flag = false;
    int max = 0; // the bound given to readCount
};

// What readBool must answer for a value whose text readString gave.
bool expectedBool(const QString &text, bool &out) {
    if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) {
        out = true;
        return true;
    }
    if (text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) {
        out = false;
        return true;
    }
    double v = 0;
    if (!parseRecordNumber(text, v))
        return false;
    out = v != 0;
    return true;
}

// Reads one string and checks the number and Boolean readers against it, on copies of the
// reader so they see the same value.
void readStringAndCompare(RecordReader &r, QList<Value> &values) {
    RecordReader asDouble = r;
    RecordReader asBool = r;
    Value v;
    double d = 0;
    if (!r.readString(v.text)) {
        check(!asDouble.readDouble(d));
        return;
    }

    double parsed = 0;
    const bool isNumber = parseRecordNumber(v.text, parsed);
    if (isNumber)
        check(std::isfinite(parsed));
    // An unquoted #TRUE# / #FALSE# reads as the string "True" / "False" but is a number too.
    const bool mapped = v.text == QLatin1String("True") || v.text == QLatin1String("False");
    const bool readAsDouble = asDouble.readDouble(d);
    if (!mapped) {
        check(readAsDouble == isNumber);
        if (isNumber)
            check(d == parsed);
    }
    bool b = false;
    bool expected = false;
    const bool readAsBool = asBool.readBool(b);
    check(readAsBool == expectedBool(v.text, expected));
    if (readAsBool)
        check(b == expected);

    // A quote inside an unquoted value cannot be written back.
    if (!v.text.contains(QLatin1Char('"')))
        values.append(v);
}

void runOperation(RecordReader &r, std::uint8_t op, QList<Value> &values) {
    const int param = op >> 3;
    Value v;
    switch (op & 7) {
    case 0:
        readStringAndCompare(r, values);
        return;
    case 1:
        v.kind = Kind::Double;
        if (r.readDouble(v.number)) {
            check(std::isfinite(v.number));
            values.append(v);
        }
        return;
    case 2:
        v.kind = Kind::Int;
        if (r.readInt(v.whole))
            values.append(v);
        return;
    case 3:
        v.kind = Kind::Int16;
        if (r.readInt16(v.whole)) {
            check(v.whole >= -32768 && v.whole <= 32767);
            values.append(v);
        }
        return;
    case 4:
        v.kind = Kind::Bool;
        if (r.readBool(v.flag))
            values.append(v);
        return;
    case 5:
        v.kind = Kind::Count;
        v.max = param * param * 10;
        if (r.readCount(v.whole, v.max)) {
            check(v.whole >= 0 && v.whole <= v.max);
            values.append(v);
        }
        return;
    case 6:
        r.skip(param % 4);
        return;
    default: {
        // Past the end nothing more can be read.
        if (r.atEnd()) {
            RecordReader probe = r;
            QString s;
            check(!probe.readString(s));
        }
        return;
    }
    }
}

void writeValue(RecordWriter &w, const Value &v) {
    switch (v.kind) {
    case Kind::String:
        w.writeString(v.text);
        break;
    case Kind::Double:
        w.writeDouble(v.number);
        w.writeSingle(v.number);
        break;
    case Kind::Int:
    case Kind::Int16:
    case Kind::Count:
        w.writeInt(v.whole);
        break;
    case Kind::Bool:
        w.writeBool(v.flag);
        break;
    }
}

bool closeEnough(double back, double value, double relative) {
    return std::fabs(back - value) <= relative * std::fabs(value);
}

void readBackValue(RecordReader &r, const Value &v) {
    QString s;
    double d = 0;
    int n = 0;
    bool b = false;
    switch (v.kind) {
    case Kind::String:
        check(r.readString(s) && s == v.text);
        break;
    case Kind::Double:
        // Written with 15 and then 7 significant digits.
        check(r.readDouble(d) && closeEnough(d, v.number, 1e-14));
        check(r.readDouble(d) && closeEnough(d, v.number, 1e-6));
        break;
    case Kind::Int:
        check(r.readInt(n) && n == v.whole);
        break;
    case Kind::Int16:
        check(r.readInt16(n) && n == v.whole);
        break;
    case Kind::Count:
        check(r.readCount(n, v.max) && n == v.whole);
        break;
    case Kind::Bool:
        check(r.readBool(b) && b == v.flag);
        break;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    std::size_t opCount = 0;
    std::size_t headerSize = 0;
    if (size > 0) {
        opCount = data[0] % 32 < size ? data[0] % 32 : 0;
        headerSize = opCount + 1;
    }
    const std::uint8_t *ops = data + (size > 0 ? 1 : 0);
    const QByteArray file(reinterpret_cast<const char *>(data) + headerSize,
                          static_cast<qsizetype>(size - headerSize));

    RecordReader r(file);
    QList<Value> values;
    int lastValueNumber = 0;
    int readsAfterFailure = 0;
    for (int i = 0; i < kMaxOperations; ++i) {
        const bool wasOk = r.ok();
        const QString error = r.errorString();
        runOperation(r, opCount > 0 ? ops[i % opCount] : 0, values);
        // Errors are sticky and keep their first message.
        if (!wasOk)
            check(!r.ok() && r.errorString() == error);
        check(r.valueNumber() >= lastValueNumber);
        lastValueNumber = r.valueNumber();
        if (!r.ok() && ++readsAfterFailure > 2)
            break;
    }

    RecordWriter w;
    QList<Value> written;
    for (const Value &v : values) {
        writeValue(w, v);
        written.append(v);
    }
    RecordReader back(w.data());
    for (const Value &v : written)
        readBackValue(back, v);
    check(back.ok() && back.atEnd());
    return 0;
}
