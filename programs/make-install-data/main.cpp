// qm-make-install-data FOLDER: writes into the editor's installation folder the stock mouse
// pointers (Icons/), two title-screen schemes (Schemes/), a text preset (Presets/) and the
// program's icon (quillmoor.png). Everything is drawn here, so the folder holds nothing made
// elsewhere. Scheme and preset files go through the store's writers.

#include "CustomTexts.h"
#include "PointerFile.h"
#include "PresetFile.h"
#include "ProjectVersion.h"
#include "SchemeFile.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>

#include <cstdio>

namespace {

bool writeBytes(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QImage canvas(int size = 32) {
    QImage img(size, size, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    return img;
}

// Outlined shapes read on light and dark backgrounds alike.
void outlined(QPainter &p, const QPainterPath &path, const QColor &fill) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(fill);
    p.drawPath(path);
}

QPainterPath arrowPath() {
    QPainterPath a;
    a.moveTo(1, 1);
    a.lineTo(1, 24);
    a.lineTo(7, 18);
    a.lineTo(11, 28);
    a.lineTo(15, 26);
    a.lineTo(11, 17);
    a.lineTo(19, 17);
    a.closeSubpath();
    return a;
}

// A thick arrow pointing right, turned by `degrees` about the image's centre.
QImage bigArrow(qreal degrees, const QColor &fill) {
    QImage img = canvas();
    QPainter p(&img);
    p.translate(16, 16);
    p.rotate(degrees);
    QPainterPath a;
    a.moveTo(15, 0);
    a.lineTo(2, -12);
    a.lineTo(2, -5);
    a.lineTo(-14, -5);
    a.lineTo(-14, 5);
    a.lineTo(2, 5);
    a.lineTo(2, 12);
    a.closeSubpath();
    outlined(p, a, fill);
    return img;
}

struct Pointer {
    const char *file;
    QImage image;
    int hotX, hotY; // cursors only
};

QList<Pointer> pointers() {
    QList<Pointer> out;
    {
        QImage img = canvas();
        QPainter p(&img);
        outlined(p, arrowPath(), Qt::white);
        out.append({"Arrow.cur", img, 1, 1});
    }
    {
        QImage img = canvas();
        QPainter p(&img);
        QPainterPath hand;
        hand.addRoundedRect(QRectF(10, 1, 6, 17), 3, 3);  // pointing finger
        hand.addRoundedRect(QRectF(7, 13, 19, 17), 5, 5); // palm
        hand.addRoundedRect(QRectF(3, 16, 6, 10), 3, 3);  // thumb
        outlined(p, hand.simplified(), QColor(0xFF, 0xE0, 0xBD));
        out.append({"Hand.cur", img, 13, 1});
    }
    {
        QImage img = canvas();
        QPainter p(&img);
        p.setPen(QPen(Qt::black, 3));
        p.drawLine(16, 2, 16, 30);
        p.drawLine(2, 16, 30, 16);
        p.setPen(QPen(Qt::white, 1));
        p.drawLine(16, 3, 16, 29);
        p.drawLine(3, 16, 29, 16);
        out.append({"Cross.cur", img, 16, 16});
    }
    {
        QImage img = canvas();
        QPainter p(&img);
        QPainterPath handle;
        handle.moveTo(18, 20);
        handle.lineTo(29, 31);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(0x60, 0x40, 0x20), 5, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(handle);
        QPainterPath lens;
        lens.addEllipse(QPointF(12, 12), 10, 10);
        outlined(p, lens, QColor(0xC8, 0xE8, 0xFF, 200));
        out.append({"Look.cur", img, 12, 12});
    }
    out.append({"GoLeft.cur", bigArrow(180, QColor(0xFF, 0xD0, 0x40)), 1, 16});
    out.append({"GoRight.cur", bigArrow(0, QColor(0xFF, 0xD0, 0x40)), 31, 16});
    out.append({"GoForward.cur", bigArrow(-90, QColor(0xFF, 0xD0, 0x40)), 16, 1});
    out.append({"GoBack.cur", bigArrow(90, QColor(0xFF, 0xD0, 0x40)), 16, 31});
    {
        QImage img = canvas();
        QPainter p(&img);
        QPainterPath bubble;
        bubble.addRoundedRect(QRectF(2, 3, 28, 19), 8, 8);
        bubble.moveTo(8, 21);
        bubble.lineTo(6, 30);
        bubble.lineTo(15, 21);
        outlined(p, bubble.simplified(), Qt::white);
        out.append({"Talk.ico", img, 0, 0});
    }
    {
        QImage img = canvas();
        QPainter p(&img);
        QPainterPath bag;
        bag.addRoundedRect(QRectF(4, 10, 24, 20), 5, 5);
        bag.addEllipse(QRectF(10, 3, 12, 10));
        outlined(p, bag.simplified(), QColor(0xB0, 0x80, 0x50));
        out.append({"Take.ico", img, 0, 0});
    }
    return out;
}

struct SchemeLook {
    const char *name;
    QColor tileLight, tileDark;
    QColor buttonTop, buttonBottom, buttonText;
    qint32 background, title, texts, buttons; // 0x00BBGGRR
    bool stars;
};

qint32 bgr(const QColor &c) {
    return c.red() | (c.green() << 8) | (c.blue() << 16);
}

QImage tile(const SchemeLook &s) {
    QImage img(64, 64, QImage::Format_RGB32);
    img.fill(s.tileDark);
    QPainter p(&img);
    QRandomGenerator rng(s.stars ? 7 : 11); // the same picture on every build
    for (int i = 0; i < (s.stars ? 14 : 220); ++i) {
        const int x = rng.bounded(64), y = rng.bounded(64);
        p.setPen(s.stars ? QColor(0xFF, 0xFF, 0xE0, 120 + rng.bounded(135)) : s.tileLight);
        p.drawPoint(x, y);
    }
    return img;
}

QImage button(const SchemeLook &s, const QString &caption) {
    QImage img(140, 28, QImage::Format_RGB32);
    img.fill(s.tileDark);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, 28);
    g.setColorAt(0, s.buttonTop);
    g.setColorAt(1, s.buttonBottom);
    p.setBrush(g);
    p.setPen(QPen(s.buttonText, 1));
    p.drawRoundedRect(QRectF(0.5, 0.5, 139, 27), 9, 9);
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(15);
    f.setBold(true);
    p.setFont(f);
    p.setPen(s.buttonText);
    p.drawText(img.rect(), Qt::AlignCenter, caption);
    return img;
}

bool writeSchemeFolder(const QString &schemes, const SchemeLook &look) {
    const QString folder = schemes + QLatin1String(look.name) + QLatin1Char('/');
    if (!QDir().mkpath(folder))
        return false;
    const struct {
        const char *file;
        const char *caption;
    } buttons[] = {{"Start.bmp", "Start"}, {"Load.bmp", "Load..."}, {"Exit.bmp", "Exit"}};
    for (const auto &b : buttons) {
        if (!button(look, QString::fromLatin1(b.caption))
                 .save(folder + QLatin1String(b.file), "BMP"))
            return false;
    }
    if (!tile(look).save(folder + QStringLiteral("Tile.bmp"), "BMP"))
        return false;
    SchemeFile s;
    s.SchemeName = QString::fromLatin1(look.name);
    s.WriterVersion = ProjectVersion::editorVersionText();
    s.SavedDate = savedDateText(2026, 1, 1);
    s.StartPicture = QStringLiteral("Start.bmp");
    s.LoadPicture = QStringLiteral("Load.bmp");
    s.ExitPicture = QStringLiteral("Exit.bmp");
    s.TiledBackground = QStringLiteral("Tile.bmp");
    s.BackgroundColor = look.background;
    s.TitleColor = look.title;
    s.TextsColor = look.texts;
    s.ButtonsColor = look.buttons;
    return writeScheme(folder + QStringLiteral("Scheme.txt"), s).ok();
}

QImage programIcon() {
    QImage img = canvas(48);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2E, 0x4A, 0x7A));
    p.drawRoundedRect(QRectF(2, 2, 44, 44), 9, 9);
    QPainterPath quill;
    quill.moveTo(12, 40);
    quill.cubicTo(16, 24, 26, 12, 40, 6);
    quill.cubicTo(36, 18, 28, 30, 14, 38);
    quill.closeSubpath();
    p.setPen(QPen(QColor(0x20, 0x20, 0x20), 1));
    p.setBrush(QColor(0xF4, 0xEE, 0xD8));
    p.drawPath(quill);
    p.setPen(QPen(QColor(0x20, 0x20, 0x20), 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(12, 40), QPointF(8, 44));
    return img;
}

} // namespace

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: qm-make-install-data FOLDER\n", stderr);
        return 2;
    }
    const QString root = QDir(QString::fromLocal8Bit(argv[1])).absolutePath() + QLatin1Char('/');
    bool ok = QDir().mkpath(root + QStringLiteral("Icons")) &&
              QDir().mkpath(root + QStringLiteral("Schemes")) &&
              QDir().mkpath(root + QStringLiteral("Presets"));
    for (const Pointer &ptr : pointers()) {
        const QString file = QString::fromLatin1(ptr.file);
        const QByteArray bytes = file.endsWith(QLatin1String(".cur"))
                                     ? cursorFileBytes(ptr.image, ptr.hotX, ptr.hotY)
                                     : iconFileBytes(ptr.image);
        ok = ok && writeBytes(root + QStringLiteral("Icons/") + file, bytes);
    }
    const SchemeLook looks[] = {
        {"Parchment", QColor(0xD8, 0xC8, 0xA0), QColor(0xEA, 0xDD, 0xB8), QColor(0xF6, 0xEC, 0xCE),
         QColor(0xC9, 0xA8, 0x6A), QColor(0x4A, 0x2E, 0x10), bgr(QColor(0xEA, 0xDD, 0xB8)),
         bgr(QColor(0x5A, 0x30, 0x10)), bgr(QColor(0x40, 0x30, 0x20)),
         bgr(QColor(0x80, 0x40, 0x10)), false},
        {"Night Sky", QColor(0x30, 0x38, 0x60), QColor(0x0A, 0x10, 0x28), QColor(0x3A, 0x50, 0x90),
         QColor(0x14, 0x1C, 0x40), QColor(0xF0, 0xE8, 0xB0), bgr(QColor(0x0A, 0x10, 0x28)),
         bgr(QColor(0xF0, 0xE8, 0xB0)), bgr(QColor(0xC8, 0xD0, 0xF0)),
         bgr(QColor(0xF0, 0xE8, 0xB0)), true},
    };
    for (const SchemeLook &look : looks)
        ok = ok && writeSchemeFolder(root + QStringLiteral("Schemes/"), look);

    // A preset with a friendlier wording for games, to start from.
    PresetFile preset;
    preset.PresetName = QStringLiteral("Friendly games");
    preset.WriterVersion = ProjectVersion::editorVersionText();
    preset.SavedDate = savedDateText(2026, 1, 1);
    CustomTexts texts = CustomTexts::builtIn(CustomTexts::Games);
    texts.setText(1, QStringLiteral("Play"));
    texts.setText(10, QStringLiteral("Leave the game now?"));
    texts.setText(9, QStringLiteral("Please choose one first."));
    preset.Slots = texts.usedSlots();
    ok = ok && writePreset(root + QStringLiteral("Presets/Friendly games.pre"), preset).ok();

    ok = ok && programIcon().save(root + QStringLiteral("quillmoor.png"), "PNG");
    if (!ok) {
        std::fprintf(stderr, "qm-make-install-data: cannot write into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
