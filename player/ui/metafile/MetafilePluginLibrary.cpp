// libqmmetafile.so: the metafile converters a program loads with its first WMF or EMF picture.

#include "MetafileConverters.h"
#include "MetafilePlugin.h"

namespace {

class Converters final : public MetafilePlugin {
public:
    QImage fromWmf(const QByteArray &data) const override {
        return MetafileConverters::fromWmf(data);
    }
    QImage fromEmf(const QByteArray &data) const override {
        return MetafileConverters::fromEmf(data);
    }
};

} // namespace

extern "C" __attribute__((visibility("default"))) const MetafilePlugin *qm_metafile_plugin() {
    static const Converters converters;
    return &converters;
}
