#include "MetafileConverters.h"

#include "MetafileFormat.h"

#include <QDir>
#include <QPainter>
#include <QSvgRenderer>

#include <libwmf/api.h>
#include <libwmf/svg.h>

#include <emf2svg.h>

#include <cstdlib>
#include <vector>

using namespace MetafileFormat;

namespace {

constexpr int kScreenDpi = 96;

// Every record must lie inside the data and the last one must be the end record: the
// converters trust record sizes. libwmf also allocates the header's largest record size up
// front, so that size must hold every record and no more than the data.
bool wmfRecordsFit(const QByteArray &d, qsizetype header) {
    const qint64 maxRecordBytes = qint64(le32(d, header + 12)) * 2;
    if (maxRecordBytes > d.size() - header)
        return false;
    qsizetype at = header + 18;
    while (at + 6 <= d.size()) {
        const qint64 bytes = qint64(le32(d, at)) * 2;
        if (bytes < 6 || at + bytes > d.size() || bytes > maxRecordBytes)
            return false;
        if (le16(d, at + 4) == 0)
            return true;
        at += bytes;
    }
    return false;
}

// The header's description is two strings ending in NUL, nDescription UTF-16 units in all. The
// converter reads nDescription units from the first string's start and again from the second
// string's start, and finds where the second starts by looking for the first NUL: the NUL and
// both reads must lie inside the picture.
bool emfDescriptionFits(const QByteArray &d, quint32 total) {
    const qint64 units = le32(d, 60);
    const qint64 at = le32(d, 64);
    if (at == 0)
        return true; // no description
    if (units == 0 || at < 88 || at + 2 * units > le32(d, 4))
        return false;
    for (qint64 i = 0; i < units; ++i) {
        if (le16(d, at + 2 * i) == 0)
            return at + 2 * (i + 1) + 2 * units <= total;
    }
    return false;
}

bool emfRecordsFit(const QByteArray &d) {
    const quint32 total = le32(d, 48);
    if (total > quint32(d.size()) || le32(d, 4) < 88 || le32(d, 4) > total ||
        !emfDescriptionFits(d, total))
        return false;
    qsizetype at = 0;
    while (at + 8 <= qsizetype(total)) {
        const quint32 type = le32(d, at);
        const quint32 bytes = le32(d, at + 4);
        if (bytes < 8 || bytes % 4 != 0 || at + qsizetype(bytes) > qsizetype(total))
            return false;
        if (type == 14) // EMR_EOF
            return true;
        at += bytes;
    }
    return false;
}

QImage renderSvg(const QByteArray &svg) {
    QSvgRenderer renderer(svg);
    const QSize size = renderer.defaultSize();
    if (!renderer.isValid() || size.isEmpty() || size.width() > 16384 || size.height() > 16384)
        return QImage();
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    return image;
}

// libwmf looks for the standard PostScript fonts by file name; the Liberation fonts have the
// same metrics, so they stand in for them.
struct WmfFonts {
    QByteArray dir;
    std::vector<QByteArray> names;
    std::vector<wmfMapping> mappings;
    std::vector<char *> dirs;

    WmfFonts() {
        const char *const candidates[] = {"/usr/share/fonts/truetype/liberation",
                                          "/usr/share/fonts/truetype/liberation2",
                                          "/usr/share/fonts/liberation"};
        for (const char *c : candidates) {
            if (QDir(QString::fromLatin1(c)).exists()) {
                dir = c;
                break;
            }
        }
        const char *const table[][2] = {
            {"Times-Roman", "LiberationSerif-Regular.ttf"},
            {"Times-Italic", "LiberationSerif-Italic.ttf"},
            {"Times-Bold", "LiberationSerif-Bold.ttf"},
            {"Times-BoldItalic", "LiberationSerif-BoldItalic.ttf"},
            {"Helvetica", "LiberationSans-Regular.ttf"},
            {"Helvetica-Oblique", "LiberationSans-Italic.ttf"},
            {"Helvetica-Bold", "LiberationSans-Bold.ttf"},
            {"Helvetica-BoldOblique", "LiberationSans-BoldItalic.ttf"},
            {"Courier", "LiberationMono-Regular.ttf"},
            {"Courier-Oblique", "LiberationMono-Italic.ttf"},
            {"Courier-Bold", "LiberationMono-Bold.ttf"},
            {"Courier-BoldOblique", "LiberationMono-BoldItalic.ttf"},
            {"Symbol", "LiberationSerif-Regular.ttf"},
        };
        for (const auto &row : table) {
            names.emplace_back(row[0]);
            names.emplace_back(row[1]);
        }
        for (size_t i = 0; i < names.size(); i += 2)
            mappings.push_back(wmfMapping{names[i].data(), names[i + 1].data(), FT_ENCODING_NONE});
        mappings.push_back(wmfMapping{nullptr, nullptr, FT_ENCODING_NONE});
        if (!dir.isEmpty())
            dirs.push_back(dir.data());
        dirs.push_back(nullptr);
    }
};

WmfFonts &wmfFonts() {
    static WmfFonts fonts;
    return fonts;
}

} // namespace

namespace MetafileConverters {

QImage fromWmf(const QByteArray &data) {
    const qsizetype header = wmfHeaderOffset(data);
    if (header < 0 || !wmfRecordsFit(data, header))
        return QImage();
    WmfFonts &fonts = wmfFonts();
    wmfAPI_Options options{};
    options.function = wmf_svg_function;
    options.fontdirs = fonts.dirs.data();
    options.font.ps = fonts.mappings.data();
    unsigned long flags = WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_FONTMAP |
                          WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG;
    if (!fonts.dir.isEmpty())
        flags |= WMF_OPT_FONTDIRS;
    wmfAPI *api = nullptr;
    if (wmf_api_create(&api, flags, &options) != wmf_E_None) {
        if (api)
            wmf_api_destroy(api);
        return QImage();
    }
    QByteArray bytes = data; // libwmf reads from a buffer it does not own
    QByteArray svg;
    wmfD_Rect box;
    if (wmf_mem_open(api, reinterpret_cast<unsigned char *>(bytes.data()), bytes.size()) ==
            wmf_E_None &&
        wmf_scan(api, 0, &box) == wmf_E_None) {
        wmf_svg_t *device = WMF_SVG_GetData(api);
        // Without the header's frame as the box, libwmf stretches what is drawn to the canvas.
        // Device units are points; the window origin is normally the frame's top-left.
        if (api->File->placeable && api->File->pmh && api->File->pmh->Inch > 0) {
            const wmfPlaceableMetaHeader *pmh = api->File->pmh;
            const double points = 72.0 / pmh->Inch;
            if (pmh->Right > pmh->Left && pmh->Bottom > pmh->Top) {
                box.TL.x = 0;
                box.TL.y = 0;
                box.BR.x = static_cast<float>((pmh->Right - pmh->Left) * points);
                box.BR.y = static_cast<float>((pmh->Bottom - pmh->Top) * points);
            }
        }
        unsigned int width = 0, height = 0;
        wmf_display_size(api, &width, &height, kScreenDpi, kScreenDpi);
        if (width > 0 && height > 0) {
            device->out = wmf_stream_create(api, nullptr);
            device->bbox = box;
            device->width = width;
            device->height = height;
            device->flags |= WMF_SVG_INLINE_IMAGES;
            const bool played = wmf_play(api, 0, &box) == wmf_E_None;
            char *text = nullptr;
            unsigned long length = 0;
            wmf_stream_destroy(api, device->out, &text, &length);
            if (played && text)
                svg = QByteArray(text, static_cast<qsizetype>(length));
            if (text)
                wmf_free(api, text);
        }
    }
    wmf_api_destroy(api);
    return svg.isEmpty() ? QImage() : renderSvg(svg);
}

QImage fromEmf(const QByteArray &data) {
    if (!isEmf(data) || !emfRecordsFit(data))
        return QImage();
    QByteArray bytes = data;
    char noNamespace[] = "";
    generatorOptions options{};
    options.nameSpace = noNamespace;
    options.verbose = false;
    options.emfplus = true;
    options.svgDelimiter = true;
    char *out = nullptr;
    size_t length = 0;
    const int ok =
        emf2svg(bytes.data(), static_cast<size_t>(bytes.size()), &out, &length, &options);
    QByteArray svg;
    if (ok && out)
        svg = QByteArray(out, static_cast<qsizetype>(length));
    std::free(out);
    return svg.isEmpty() ? QImage() : renderSvg(svg);
}

} // namespace MetafileConverters
