#include "PictureLoader.h"

#include "FileAccess.h"
#include "MetafileFormat.h"
#include "MetafilePlugin.h"
#include "PluginLibraries.h"

#include <QFile>
#include <QImageReader>
#include <QPixmap>

#include <mutex>

using namespace MetafileFormat;

namespace {

// Metafiles are small; anything larger is not one we can show.
constexpr qint64 kMaxMetafileBytes = 64 * 1024 * 1024;

enum class Kind { Raster, Wmf, Emf };

Kind kindOf(const QByteArray &head) {
    if (isEmf(head))
        return Kind::Emf;
    if (wmfHeaderOffset(head) >= 0)
        return Kind::Wmf;
    return Kind::Raster;
}

// The converters and the SVG renderer are loaded with the first metafile shown: most games
// have none, and their libraries would cost every start. Null when the library is missing; the
// picture is then not shown, as one that cannot be read.
const MetafilePlugin *converters() {
    static std::once_flag once;
    static const MetafilePlugin *plugin = nullptr;
    std::call_once(once, [] {
        QString error;
        using Entry = const MetafilePlugin *();
        if (auto *entry = reinterpret_cast<Entry *>(
                PluginLibraries::entry(QM_METAFILE_PLUGIN_FILE, QM_METAFILE_PLUGIN_ENTRY,
                                       QStringLiteral("metafile library"), &error)))
            plugin = entry();
        else
            qWarning("%s", qPrintable(error));
    });
    return plugin;
}

} // namespace

QImage PictureLoader::fromWmf(const QByteArray &data) {
    const MetafilePlugin *plugin = converters();
    return plugin ? plugin->fromWmf(data) : QImage();
}

QImage PictureLoader::fromEmf(const QByteArray &data) {
    const MetafilePlugin *plugin = converters();
    return plugin ? plugin->fromEmf(data) : QImage();
}

QImage PictureLoader::load(const QString &path) {
    // Only a regular file of sane size is opened: a named pipe would block the open.
    if (!FileAccess::checkReadable(path, FileAccess::kMaxPictureFileSize))
        return QImage();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QImage();
    const Kind kind = kindOf(file.peek(128));
    if (kind != Kind::Raster) {
        if (file.size() > kMaxMetafileBytes)
            return QImage();
        const QByteArray data = file.readAll();
        return kind == Kind::Wmf ? fromWmf(data) : fromEmf(data);
    }
    file.close();
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    QImage image;
    if (!reader.read(&image))
        return QImage();
    return image;
}

bool PictureLoader::cursorHotSpot(const QString &path, QPoint &hotSpot) {
    if (!FileAccess::checkReadable(path, FileAccess::kMaxPictureFileSize))
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(22);
    // Directory header: reserved 0, type 2 (cursor), count; the first entry's planes and bit
    // count fields hold the hot spot.
    if (head.size() < 22 || le16(head, 0) != 0 || le16(head, 2) != 2 || le16(head, 4) == 0)
        return false;
    hotSpot = QPoint(le16(head, 10), le16(head, 12));
    return true;
}

QCursor PictureLoader::pointer(const QString &path) {
    const QImage image = load(path);
    if (image.isNull())
        return QCursor(Qt::ArrowCursor);
    QPoint hot;
    // A hot spot outside the picture is the file's fault, not a place to point from: keep it on
    // the picture's edge.
    if (cursorHotSpot(path, hot))
        return QCursor(QPixmap::fromImage(image), qMin(hot.x(), image.width() - 1),
                       qMin(hot.y(), image.height() - 1));
    return QCursor(QPixmap::fromImage(image));
}
