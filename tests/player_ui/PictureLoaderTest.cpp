// Pictures and pointers read from project files, whatever their format and extension.

#include "UiTestSupport.h"

#include "PictureLoader.h"

#include <QImage>

namespace {

QColor at(const QImage &image, int x, int y) {
    return QColor::fromRgba(image.pixel(x, y));
}

class Pictures : public ::testing::Test {
protected:
    TestProject files;
};

} // namespace

TEST_F(Pictures, RasterFormatsLoadByTheirContent) {
    QImage source(8, 6, QImage::Format_RGB32);
    source.fill(QColor(10, 200, 30));
    for (const char *format : {"bmp", "jpg", "png"}) {
        const QString path = files.path(QStringLiteral("pic.") + QLatin1String(format));
        ASSERT_TRUE(source.save(path, format));
        const QImage image = PictureLoader::load(path);
        ASSERT_FALSE(image.isNull()) << format;
        EXPECT_EQ(image.size(), QSize(8, 6)) << format;
        EXPECT_NEAR(at(image, 4, 3).green(), 200, 8) << format;
    }
    // Distributed projects hide pictures under numbered extensions.
    const QString hidden = files.path(QStringLiteral("pic.004"));
    ASSERT_TRUE(source.save(hidden, "bmp"));
    EXPECT_EQ(PictureLoader::load(hidden).size(), QSize(8, 6));

    files.writeRaw(QStringLiteral("eye.ico"), iconFile(Qt::blue));
    const QImage icon = PictureLoader::load(files.path(QStringLiteral("eye.ico")));
    EXPECT_EQ(icon.size(), QSize(32, 32));
    EXPECT_EQ(at(icon, 3, 3), QColor(Qt::blue));
}

TEST_F(Pictures, AWmfIsDrawnInsideTheFrameOfItsHeader) {
    const QString path = files.writeRaw(QStringLiteral("half.wmf"), tinyWmf());
    const QImage image = PictureLoader::load(path);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(100, 50));
    // The rectangle fills the left half of the frame only: the picture is not stretched to
    // what was drawn.
    EXPECT_EQ(at(image, 10, 25), QColor(Qt::red));
    EXPECT_EQ(at(image, 45, 45), QColor(Qt::red));
    EXPECT_EQ(at(image, 60, 25).alpha(), 0);
    EXPECT_EQ(at(image, 95, 5).alpha(), 0);

    const QString hidden = files.writeRaw(QStringLiteral("half.005"), tinyWmf());
    EXPECT_EQ(PictureLoader::load(hidden).size(), QSize(100, 50));
}

TEST_F(Pictures, AnEmfIsDrawnThroughItsConverter) {
    const QString path = files.writeRaw(QStringLiteral("half.emf"), tinyEmf());
    const QImage image = PictureLoader::load(path);
    ASSERT_FALSE(image.isNull());
    // The converter sizes the picture from the header's bounds.
    EXPECT_GE(image.width(), 99);
    EXPECT_LE(image.width(), 100);
    EXPECT_GE(image.height(), 49);
    EXPECT_LE(image.height(), 50);
    EXPECT_EQ(at(image, 10, 25), QColor(Qt::red));
    EXPECT_EQ(at(image, 75, 25).alpha(), 0);
}

TEST_F(Pictures, MissingOrBrokenPicturesGiveNullImages) {
    EXPECT_TRUE(PictureLoader::load(QString()).isNull());
    EXPECT_TRUE(PictureLoader::load(files.path(QStringLiteral("none.bmp"))).isNull());
    EXPECT_TRUE(PictureLoader::load(files.root()).isNull());
    EXPECT_TRUE(
        PictureLoader::load(files.writeRaw(QStringLiteral("text.bmp"), "not a picture")).isNull());

    // Metafiles whose records run past the end of the file.
    const QByteArray wmf = tinyWmf();
    EXPECT_TRUE(
        PictureLoader::load(files.writeRaw(QStringLiteral("cut.wmf"), wmf.left(wmf.size() - 10)))
            .isNull());
    EXPECT_TRUE(
        PictureLoader::load(files.writeRaw(QStringLiteral("head.wmf"), wmf.left(30))).isNull());
    QByteArray emf = tinyEmf();
    EXPECT_TRUE(
        PictureLoader::load(files.writeRaw(QStringLiteral("cut.emf"), emf.left(emf.size() - 8)))
            .isNull());
    emf[88 + 4] = char(0xF0); // the first record claims to be longer than the file
    EXPECT_TRUE(PictureLoader::load(files.writeRaw(QStringLiteral("long.emf"), emf)).isNull());
    EXPECT_TRUE(PictureLoader::fromWmf(QByteArray(40, '\0')).isNull());
    EXPECT_TRUE(PictureLoader::fromEmf(QByteArray(100, '\x01')).isNull());
}

TEST_F(Pictures, CursorsKeepTheirHotSpot) {
    const QString cur = files.writeRaw(QStringLiteral("hand.cur"), cursorFile(QPoint(5, 7)));
    const QString ico = files.writeRaw(QStringLiteral("eye.ico"), iconFile());
    QPoint hot;
    EXPECT_TRUE(PictureLoader::cursorHotSpot(cur, hot));
    EXPECT_EQ(hot, QPoint(5, 7));
    EXPECT_FALSE(PictureLoader::cursorHotSpot(ico, hot));
    EXPECT_FALSE(PictureLoader::cursorHotSpot(files.path(QStringLiteral("none.cur")), hot));

    const QCursor pointer = PictureLoader::pointer(cur);
    EXPECT_EQ(pointer.shape(), Qt::BitmapCursor);
    EXPECT_EQ(pointer.hotSpot(), QPoint(5, 7));
    EXPECT_EQ(pointer.pixmap().toImage().pixelColor(0, 0), QColor(Qt::blue));
    // A hot spot past the picture's edge stays on the picture.
    EXPECT_EQ(PictureLoader::pointer(files.writeRaw(QStringLiteral("far.cur"),
                                                    cursorFile(QPoint(200, 20))))
                  .hotSpot(),
              QPoint(31, 20));
    // Icons point with their centre; unreadable files give the arrow.
    EXPECT_EQ(PictureLoader::pointer(ico).hotSpot(), QPoint(16, 16));
    EXPECT_EQ(PictureLoader::pointer(files.path(QStringLiteral("none.cur"))).shape(),
              Qt::ArrowCursor);
}
