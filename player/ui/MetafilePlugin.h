#pragma once

#include <QByteArray>
#include <QImage>

// The metafile converters as the picture loader finds them in libqmmetafile.so (lib/ beside the
// program): WMF through libwmf and EMF through emf2svg, each drawn from SVG by QtSvg. Neither
// the library nor what it links is loaded before a metafile is shown.
class MetafilePlugin {
public:
    virtual ~MetafilePlugin() = default;
    // A null image when the data is not a picture of that kind or cannot be drawn.
    virtual QImage fromWmf(const QByteArray &data) const = 0;
    virtual QImage fromEmf(const QByteArray &data) const = 0;
};

#define QM_METAFILE_PLUGIN_FILE "libqmmetafile.so"
// extern "C" const MetafilePlugin *qm_metafile_plugin(): the library's one object.
#define QM_METAFILE_PLUGIN_ENTRY "qm_metafile_plugin"
