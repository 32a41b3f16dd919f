#include "UiTestSupport.h"

#include "Items.h"
#include "PictureBox.h"
#include "VariablesFile.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImageWriter>
#include <QProcess>
#include <QStyleHints>
#include <QTemporaryDir>
#include <QThread>
#include <QWidget>
#include <QtEndian>
#include <QtTest/QTest>

#include <stdexcept>

void PrintTo(const QString &text, std::ostream *os) {
    *os << '"' << text.toStdString() << '"';
}

void PrintTo(const QColor &colour, std::ostream *os) {
    *os << colour.name(QColor::HexArgb).toStdString();
}

namespace {

void put16(QByteArray &b, int v) {
    const quint16 le = qToLittleEndian(static_cast<quint16>(v));
    b.append(reinterpret_cast<const char *>(&le), 2);
}

void put32(QByteArray &b, qint64 v) {
    const quint32 le = qToLittleEndian(static_cast<quint32>(v));
    b.append(reinterpret_cast<const char *>(&le), 4);
}

QByteArray wmfRecord(int function, std::initializer_list<int> params) {
    QByteArray r;
    put32(r, 3 + static_cast<qint64>(params.size()));
    put16(r, function);
    for (int p : params)
        put16(r, p);
    return r;
}

} // namespace

// --- projects

void UiProject::item(const QString &name, const QColor &colour) const {
    QImage icon(32, 32, QImage::Format_RGB32);
    icon.fill(colour);
    picture(QStringLiteral("Areas/") + name + QStringLiteral(".bmp"), icon);
    require(Items(paths()).write(name, ItemFile{name + QStringLiteral(".bmp")}), name);
}

QString UiProject::picture(const QString &relativePath, const QImage &image) const {
    const QString p = path(relativePath);
    QDir().mkpath(QFileInfo(p).path());
    if (!image.save(p))
        throw std::runtime_error(qPrintable(QStringLiteral("cannot write ") + p));
    return p;
}

Area areaAt(const QRect &pixels, const ActionRecord &action) {
    // The stored rectangle is the editor's outer one, 30 twips outside the clickable part.
    Area a;
    a.look.Left = pixels.x() * 15 - 30;
    a.look.Top = pixels.y() * 15 - 30;
    a.look.Width = pixels.width() * 15 + 60;
    a.look.Height = pixels.height() * 15 + 60;
    a.action = action;
    return a;
}

ActionRecord setsVariable(const QString &name) {
    ActionRecord a;
    a.ChangeVariables = 1;
    a.LegacyVariable = name;
    a.LegacySetOne = true;
    return a;
}

ActionRecord goesTo(const QString &frame) {
    ActionRecord a;
    a.GoToFrame = 1;
    a.TargetFrame = frame;
    return a;
}

ActionRecord showsText(const QString &text) {
    ActionRecord a;
    a.ShowText = 1;
    a.TextMessage = text;
    a.TextOnBackground = 1;
    return a;
}

// --- the window under test

MessageAnswerer recordingAnswerer(QList<ShownBox> &boxes, QList<EngineHost::Answer> &answers) {
    return [&boxes, &answers](const QString &title, const QString &text, Status::Icon icon,
                              EngineHost::Buttons buttons) {
        boxes.append(ShownBox{title, text, icon, buttons});
        if (buttons == EngineHost::Buttons::Ok)
            return EngineHost::Answer::Ok;
        if (answers.isEmpty()) {
            ADD_FAILURE() << "unexpected question: " << text.toStdString();
            return buttons == EngineHost::Buttons::YesNo ? EngineHost::Answer::No
                                                         : EngineHost::Answer::Cancel;
        }
        return answers.takeFirst();
    };
}

GameUnderTest::GameUnderTest(const UiProject &project) {
    game = std::make_unique<Game>(project.paths(), project.general, project.texts, media,
                                  Game::WindowMode::Windowed);
    game->setMessageAnswerer(recordingAnswerer(boxes, answers));
}

GameUnderTest::~GameUnderTest() = default;

void GameUnderTest::start() {
    engine().ResetAll();
    engine().StartNewGame();
    game->showGameWindow();
    if (!QTest::qWaitForWindowActive(game.get()))
        ADD_FAILURE() << "the game window was never shown";
}

void GameUnderTest::click(const QPoint &inPlayArea, Qt::MouseButton button) {
    const QPoint at = game->playArea()->mapTo(game.get(), inPlayArea);
    QTest::mouseClick(game->windowHandle(), button, Qt::NoModifier, at);
    // Clicks further apart than a double click.
    QTest::qWait(QGuiApplication::styleHints()->mouseDoubleClickInterval() / 2 + 1);
}

QImage GameUnderTest::screenshot() const {
    return game->playArea()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QStringList GameUnderTest::inventory() const {
    QStringList names;
    for (const InventorySlot &s : game->engine().scene().inventory)
        names.append(s.name);
    return names;
}

bool waitUntil(const std::function<bool()> &done, int boundMs) {
    QDeadlineTimer deadline(boundMs);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return true;
}

// --- fixture pictures

QByteArray tinyWmf() {
    QList<QByteArray> records;
    records.append(wmfRecord(0x020B, {0, 0}));                 // SETWINDOWORG y, x
    records.append(wmfRecord(0x020C, {50, 100}));              // SETWINDOWEXT y, x
    records.append(wmfRecord(0x02FC, {0, 0x00FF, 0x0000, 0})); // CREATEBRUSHINDIRECT red
    records.append(wmfRecord(0x012D, {0}));                    // SELECTOBJECT brush
    records.append(wmfRecord(0x02FA, {5, 0, 0, 0, 0}));        // CREATEPENINDIRECT null pen
    records.append(wmfRecord(0x012D, {1}));                    // SELECTOBJECT pen
    records.append(wmfRecord(0x041B, {50, 50, 0, 0}));         // RECTANGLE b, r, t, l
    records.append(wmfRecord(0x0000, {}));                     // EOF
    QByteArray body;
    qint64 largest = 0;
    for (const QByteArray &r : records) {
        body.append(r);
        largest = qMax<qint64>(largest, r.size() / 2);
    }
    QByteArray placeable;
    put32(placeable, 0x9AC6CDD7);
    put16(placeable, 0);
    put16(placeable, 0);   // left
    put16(placeable, 0);   // top
    put16(placeable, 100); // right
    put16(placeable, 50);  // bottom
    put16(placeable, 96);  // units per inch
    put32(placeable, 0);
    quint16 checksum = 0;
    for (int i = 0; i < 10; ++i)
        checksum ^= qFromLittleEndian<quint16>(placeable.constData() + 2 * i);
    put16(placeable, checksum);
    QByteArray header;
    put16(header, 1);
    put16(header, 9);
    put16(header, 0x0300);
    put32(header, (18 + body.size()) / 2);
    put16(header, 2);
    put32(header, largest);
    put16(header, 0);
    return placeable + header + body;
}

QByteArray tinyEmf() {
    QByteArray records;
    put32(records, 39); // EMR_CREATEBRUSHINDIRECT
    put32(records, 24);
    put32(records, 1);
    put32(records, 0);    // solid
    put32(records, 0xFF); // red
    put32(records, 0);
    put32(records, 37); // EMR_SELECTOBJECT brush
    put32(records, 12);
    put32(records, 1);
    put32(records, 37); // EMR_SELECTOBJECT the stock null pen
    put32(records, 12);
    put32(records, 0x80000008);
    put32(records, 43); // EMR_RECTANGLE
    put32(records, 24);
    put32(records, 0);
    put32(records, 0);
    put32(records, 50);
    put32(records, 50);
    put32(records, 14); // EMR_EOF
    put32(records, 20);
    put32(records, 0);
    put32(records, 16);
    put32(records, 20);
    QByteArray header;
    put32(header, 1);
    put32(header, 88);
    for (int v : {0, 0, 99, 49}) // bounds, device units, inclusive
        put32(header, v);
    for (int v : {0, 0, 2646, 1323}) // frame, hundredths of a millimetre
        put32(header, v);
    put32(header, 0x464D4520); // " EMF"
    put32(header, 0x10000);
    put32(header, 88 + records.size());
    put32(header, 6);
    put16(header, 2);
    put16(header, 0);
    put32(header, 0);
    put32(header, 0);
    put32(header, 0);
    for (int v : {1024, 768, 271, 203}) // reference device: pixels, millimetres
        put32(header, v);
    return header + records;
}

QByteArray iconFile(const QColor &colour) {
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "ico");
    if (!writer.write(image))
        throw std::runtime_error("cannot write an icon");
    return bytes;
}

QByteArray cursorFile(const QPoint &hotSpot, const QColor &colour) {
    QByteArray bytes = iconFile(colour);
    bytes[2] = 2; // resource type: cursor
    bytes[10] = static_cast<char>(hotSpot.x());
    bytes[11] = 0;
    bytes[12] = static_cast<char>(hotSpot.y());
    bytes[13] = 0;
    return bytes;
}

QByteArray animatedGif(const QSize &size) {
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("anim.gif"));
    const QString geometry = QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
    QProcess convert;
    convert.start(QStringLiteral("convert"),
                  {QStringLiteral("-delay"), QStringLiteral("10"), QStringLiteral("-size"),
                   geometry, QStringLiteral("xc:red"), QStringLiteral("xc:blue"),
                   QStringLiteral("xc:lime"), QStringLiteral("-loop"), QStringLiteral("0"), out});
    if (!convert.waitForFinished(60000) || convert.exitCode() != 0)
        return QByteArray();
    QFile f(out);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
