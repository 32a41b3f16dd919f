// The record codec: how values are read back from project files and written into them.

#include "Cp1252.h"
#include "ReadOnlyFolder.h"
#include "RecordReader.h"
#include "RecordWriter.h"
#include "TestProject.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace {

RecordReader readerFor(const char *bytes) {
    return RecordReader(QByteArray(bytes));
}

} // namespace

TEST(RecordReaderTest, ReadsEveryNumberForm) {
    RecordReader r = readerFor("0.5\r\n.5\r\n-.5\r\n1E+03\r\n4\r\n\"2.25\"\r\n1.5e-2\r\n+3\r\n");
    double v[8] = {};
    for (double &d : v)
        ASSERT_TRUE(r.readDouble(d)) << r.errorString().toStdString();
    EXPECT_DOUBLE_EQ(v[0], 0.5);
    EXPECT_DOUBLE_EQ(v[1], 0.5);
    EXPECT_DOUBLE_EQ(v[2], -0.5);
    EXPECT_DOUBLE_EQ(v[3], 1000.0);
    EXPECT_DOUBLE_EQ(v[4], 4.0);
    EXPECT_DOUBLE_EQ(v[5], 2.25); // a quoted number where a number is expected
    EXPECT_DOUBLE_EQ(v[6], 0.015);
    EXPECT_DOUBLE_EQ(v[7], 3.0);
    EXPECT_TRUE(r.atEnd());
    EXPECT_TRUE(r.ok());
}

TEST(RecordReaderTest, ReadsWholeNumbersFromEveryForm) {
    RecordReader r = readerFor("\"7\"\r\n1E+03\r\n2.5\r\n3.5\r\n-2.5\r\n2.6\r\n");
    int v[6] = {};
    for (int &i : v)
        ASSERT_TRUE(r.readInt(i)) << r.errorString().toStdString();
    EXPECT_EQ(v[0], 7);
    EXPECT_EQ(v[1], 1000);
    // Halves go to the even neighbour.
    EXPECT_EQ(v[2], 2);
    EXPECT_EQ(v[3], 4);
    EXPECT_EQ(v[4], -2);
    EXPECT_EQ(v[5], 3);
}

TEST(RecordReaderTest, ReadsBooleansInEveryForm) {
    RecordReader r =
        readerFor("#TRUE#\r\n#FALSE#\r\n0\r\n1\r\n-1\r\n2\r\n0.5\r\n\"True\"\r\n#false#\r\n");
    const bool expected[] = {true, false, false, true, true, true, true, true, false};
    for (bool e : expected) {
        bool b = !e;
        ASSERT_TRUE(r.readBool(b)) << r.errorString().toStdString();
        EXPECT_EQ(b, e) << "value " << r.valueNumber();
    }
    EXPECT_TRUE(r.atEnd());
}

TEST(RecordReaderTest, ReadsSeveralCommaSeparatedValuesAndCommasInsideQuotes) {
    RecordReader r = readerFor("\"Hello, world\",12,#TRUE#,\"x,y\"\r\n  plain text  \r\n\"\"\r\n");
    QString s1, s2, s3, s4;
    int n = 0;
    bool b = false;
    EXPECT_TRUE(r.readString(s1));
    EXPECT_TRUE(r.readInt(n));
    EXPECT_TRUE(r.readBool(b));
    EXPECT_TRUE(r.readString(s2));
    EXPECT_TRUE(r.readString(s3));
    EXPECT_FALSE(r.atEnd()); // the empty string is still a value
    EXPECT_TRUE(r.readString(s4));
    EXPECT_EQ(s1, QStringLiteral("Hello, world"));
    EXPECT_EQ(n, 12);
    EXPECT_TRUE(b);
    EXPECT_EQ(s2, QStringLiteral("x,y"));
    EXPECT_EQ(s3, QStringLiteral("plain text")); // unquoted values are trimmed
    EXPECT_EQ(s4, QString());
    EXPECT_TRUE(r.atEnd());
    EXPECT_TRUE(r.ok());
}

TEST(RecordReaderTest, ReadsLfFilesLikeCrLfFiles) {
    for (const char *data : {"\"a\"\r\n5\r\n#TRUE#\r\n\"b\"\r\n", "\"a\"\n5\n#TRUE#\n\"b\"\n"}) {
        RecordReader r = readerFor(data);
        QString a, b;
        int n = 0;
        bool t = false;
        EXPECT_TRUE(r.readString(a));
        EXPECT_TRUE(r.readInt(n));
        EXPECT_TRUE(r.readBool(t));
        EXPECT_TRUE(r.readString(b));
        EXPECT_EQ(a, QStringLiteral("a"));
        EXPECT_EQ(n, 5);
        EXPECT_TRUE(t);
        EXPECT_EQ(b, QStringLiteral("b"));
        EXPECT_TRUE(r.atEnd());
    }
}

TEST(RecordReaderTest, AtEndSeesOnlyTrailingBlankLines) {
    RecordReader r = readerFor("1\r\n2\r\n  \r\n\r\n");
    int n = 0;
    EXPECT_FALSE(r.atEnd());
    EXPECT_TRUE(r.readInt(n));
    EXPECT_FALSE(r.atEnd());
    EXPECT_TRUE(r.readInt(n));
    EXPECT_EQ(n, 2);
    EXPECT_TRUE(r.atEnd());

    RecordReader empty = readerFor("");
    EXPECT_TRUE(empty.atEnd());
}

TEST(RecordReaderTest, ReadingPastTheEndFailsAndStaysFailed) {
    RecordReader r = readerFor("1\r\n");
    int n = 0;
    EXPECT_TRUE(r.readInt(n));
    EXPECT_FALSE(r.readInt(n));
    EXPECT_FALSE(r.ok());
    EXPECT_FALSE(r.errorString().isEmpty());
    QString s;
    EXPECT_FALSE(r.readString(s));
    EXPECT_FALSE(r.skip(1));
}

TEST(RecordReaderTest, TypeMismatchFails) {
    {
        RecordReader r = readerFor("\"abc\"\r\n");
        double d = 0;
        EXPECT_FALSE(r.readDouble(d));
        EXPECT_FALSE(r.ok());
    }
    {
        RecordReader r = readerFor("maybe\r\n");
        bool b = false;
        EXPECT_FALSE(r.readBool(b));
    }
    {
        RecordReader r = readerFor("12abc\r\n");
        int n = 0;
        EXPECT_FALSE(r.readInt(n));
    }
    {
        // A failure sticks: the value after the bad one is not read either.
        RecordReader r = readerFor("x\r\n5\r\n");
        int n = 0;
        EXPECT_FALSE(r.readInt(n));
        EXPECT_FALSE(r.readInt(n));
        EXPECT_EQ(n, 0);
    }
}

TEST(RecordReaderTest, RefusesNumbersOutOfRangeAndBadCounts) {
    RecordReader r = readerFor("40000\r\n");
    int n = 0;
    EXPECT_FALSE(r.readInt16(n));

    RecordReader neg = readerFor("-1\r\n");
    EXPECT_FALSE(neg.readCount(n, 10));
    RecordReader big = readerFor("11\r\n");
    EXPECT_FALSE(big.readCount(n, 10));
    RecordReader fine = readerFor("10\r\n");
    EXPECT_TRUE(fine.readCount(n, 10));
    EXPECT_EQ(n, 10);
}

TEST(RecordReaderTest, DecodesWindows1252) {
    RecordReader r(QByteArray("\"Caf\xE9 \x80 \x93ok\x94\"\r\n"));
    QString s;
    ASSERT_TRUE(r.readString(s));
    EXPECT_EQ(s, QString::fromUtf8("Café € “ok”"));
}

TEST(RecordReaderTest, ReadsFromFileAndReportsMissingFile) {
    TestProject p;
    p.writeLines(QStringLiteral("f.txt"), {QStringLiteral("\"x\"")});
    RecordReader r = RecordReader::fromFile(p.path(QStringLiteral("f.txt")));
    QString s;
    EXPECT_TRUE(r.readString(s));
    EXPECT_EQ(s, QStringLiteral("x"));

    RecordReader missing = RecordReader::fromFile(p.path(QStringLiteral("none.txt")));
    EXPECT_FALSE(missing.ok());
    EXPECT_FALSE(missing.readString(s));
}

TEST(RecordWriterTest, WritesEveryKindByteExact) {
    RecordWriter w;
    w.writeString(QStringLiteral("Hello, world"));
    w.writeInt(42);
    w.writeInt(-7);
    w.writeBool(true);
    w.writeBool(false);
    w.writeCheck(true);
    w.writeCheck(false);
    w.writeDouble(2.5);
    w.writeDouble(-1.25);
    w.writeDouble(640);
    w.writeSingle(1234.5678);
    w.writeEmptyStrings(2);
    w.writeString(QString::fromUtf8("é€"));
    w.writeLine(QStringLiteral(" 610 "));
    EXPECT_EQ(w.data(), QByteArray("\"Hello, world\"\r\n42\r\n-7\r\n#TRUE#\r\n#FALSE#\r\n1\r\n0\r\n"
                                   "2.5\r\n-1.25\r\n640\r\n1234.568\r\n\"\"\r\n\"\"\r\n"
                                   "\"\xE9\x80\"\r\n 610 \r\n"));
}

TEST(RecordWriterTest, NumbersUseAPointWhateverTheLocale) {
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    RecordWriter w;
    w.writeDouble(0.75);
    w.writeSingle(12.5);
    RecordReader r(w.data());
    double a = 0, b = 0;
    const bool readA = r.readDouble(a);
    const bool readB = r.readDouble(b);
    QLocale::setDefault(saved);
    EXPECT_FALSE(w.data().contains(','));
    EXPECT_TRUE(w.data().contains(".75"));
    EXPECT_TRUE(readA);
    EXPECT_TRUE(readB);
    EXPECT_DOUBLE_EQ(a, 0.75);
    EXPECT_DOUBLE_EQ(b, 12.5);
}

TEST(RecordWriterTest, WrittenValuesReadBack) {
    TestProject p;
    const QString path = p.path(QStringLiteral("values"));
    RecordWriter ok;
    ok.writeString(QString::fromUtf8("a, b: é€"));
    ok.writeDouble(-0.001);
    ok.writeDouble(1e20);
    ok.writeSingle(0.1);
    ok.writeBool(true);
    ok.writeInt(-32768);
    ASSERT_TRUE(ok.commit(path, Status::failure(QStringLiteral("x"))));
    RecordReader r = RecordReader::fromFile(path);
    QString s;
    double d1 = 0, d2 = 0, d3 = 0;
    bool b = false;
    int n = 0;
    EXPECT_TRUE(r.readString(s));
    EXPECT_TRUE(r.readDouble(d1));
    EXPECT_TRUE(r.readDouble(d2));
    EXPECT_TRUE(r.readDouble(d3));
    EXPECT_TRUE(r.readBool(b));
    EXPECT_TRUE(r.readInt16(n));
    EXPECT_TRUE(r.atEnd());
    EXPECT_EQ(s, QString::fromUtf8("a, b: é€"));
    EXPECT_DOUBLE_EQ(d1, -0.001);
    EXPECT_DOUBLE_EQ(d2, 1e20);
    EXPECT_FLOAT_EQ(static_cast<float>(d3), 0.1f);
    EXPECT_TRUE(b);
    EXPECT_EQ(n, -32768);
}

TEST(RecordWriterTest, StringWithDoubleQuoteFailsAndKeepsTheOldFile) {
    TestProject p;
    const QString path = p.writeLines(QStringLiteral("old"), {q(QStringLiteral("old value"))});
    const QByteArray before = p.read(QStringLiteral("old"));
    RecordWriter w;
    w.writeString(QStringLiteral("say \"hi\""));
    const Status onFailure =
        Status::failure(QStringLiteral("Title"), QStringLiteral("Text"), Status::Icon::Exclamation);
    const Status s = w.commit(path, onFailure);
    EXPECT_FALSE(s.ok());
    EXPECT_EQ(s.title(), QStringLiteral("Title"));
    EXPECT_EQ(s.text(), QStringLiteral("Text"));
    EXPECT_EQ(s.icon(), Status::Icon::Exclamation);
    EXPECT_EQ(p.read(QStringLiteral("old")), before);

    RecordWriter fresh;
    fresh.writeString(QStringLiteral("\""));
    EXPECT_FALSE(fresh.commit(p.path(QStringLiteral("new")), onFailure));
    EXPECT_FALSE(p.exists(QStringLiteral("new")));
}

TEST(RecordWriterTest, CommitReplacesTheWholeFile) {
    TestProject p;
    const QString path = p.writeLines(
        QStringLiteral("f"), {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")});
    RecordWriter w;
    w.writeInt(9);
    ASSERT_TRUE(w.commit(path, Status::failure(QStringLiteral("x"))));
    EXPECT_EQ(p.read(QStringLiteral("f")), QByteArray("9\r\n"));
    // Nothing is left beside it.
    EXPECT_EQ(QDir(p.root()).entryList(QDir::Files | QDir::Hidden), QStringList{"f"});
}

TEST(RecordWriterTest, FailedWriteLeavesTheOldFileIntact) {
    TestProject p;
    const QString path = p.writeLines(QStringLiteral("locked/f"), {q(QStringLiteral("old"))});
    const QByteArray before = p.read(QStringLiteral("locked/f"));
    Status s = Status::success();
    {
        ReadOnlyFolder locked(p.path(QStringLiteral("locked")));
        if (!locked.ok())
            GTEST_SKIP() << "no way to make a folder read-only here";
        RecordWriter w;
        w.writeString(QStringLiteral("new"));
        s = w.commit(path, Status::failure(QStringLiteral("Error"), QStringLiteral("No")));
    }
    EXPECT_FALSE(s.ok());
    EXPECT_EQ(s.text(), QStringLiteral("No"));
    EXPECT_EQ(p.read(QStringLiteral("locked/f")), before);
}

// A write that runs out of room half-way (here: a file-size limit, which binds root as well)
// must not leave a shortened file behind.
TEST(RecordWriterTest, WriteCutShortLeavesTheOldFileIntact) {
    TestProject p;
    const QString path = p.writeLines(QStringLiteral("f"), {q(QStringLiteral("old"))});
    const QByteArray before = p.read(QStringLiteral("f"));
    RecordWriter w;
    w.writeString(QString(256 * 1024, QLatin1Char('x')));

    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 4096;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const Status s = w.commit(path, Status::failure(QStringLiteral("Error"), QStringLiteral("No")));
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(s.ok());
    EXPECT_EQ(p.read(QStringLiteral("f")), before);
    EXPECT_EQ(QDir(p.root()).entryList(QDir::Files | QDir::Hidden), QStringList{"f"});
}

TEST(RecordWriterTest, WriteFileAtomicallyFailsForAMissingFolder) {
    TestProject p;
    EXPECT_FALSE(writeFileAtomically(p.path(QStringLiteral("no/such/folder/f")), "x"));
    EXPECT_TRUE(writeFileAtomically(p.path(QStringLiteral("g")), "xy"));
    EXPECT_EQ(p.read(QStringLiteral("g")), QByteArray("xy"));
}

TEST(Cp1252Test, EncodesAndDecodesTheCodePage) {
    EXPECT_EQ(Cp1252::encode(QString::fromUtf8("é€")), QByteArray("\xE9\x80"));
    EXPECT_EQ(Cp1252::code(QChar(0x20AC)), 0x80);
    EXPECT_EQ(Cp1252::code(QChar(0x00E9)), 0xE9);
    EXPECT_EQ(Cp1252::code(QChar(0x4E2D)), -1);
    EXPECT_EQ(Cp1252::encode(QString::fromUtf8("a中b")), QByteArray("a?b"));
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    EXPECT_EQ(Cp1252::encode(Cp1252::decode(all)), all);
}
