#include "HiddenNames.h"

namespace {

struct Mapping {
    const char *extension;
    const char *hidden;
};

const Mapping kTable[] = {
    {".ico", ".002"}, {".cur", ".003"}, {".bmp", ".004"}, {".jpg", ".005"},
    {".gif", ".006"}, {".wmf", ".007"}, {".emf", ".008"}, {".wav", ".010"},
    {".mid", ".011"}, {".mp3", ".012"}, {".avi", ".014"},
};

const Mapping *find(const QString &name) {
    if (name.size() < 4)
        return nullptr;
    const QString ext = name.right(4).toLower();
    for (const Mapping &m : kTable) {
        if (ext == QLatin1String(m.extension))
            return &m;
    }
    return nullptr;
}

} // namespace

namespace HiddenNames {

QString hiddenName(const QString &name) {
    const Mapping *m = find(name);
    if (!m)
        return name;
    return name.left(name.size() - 4) + QLatin1String(m->hidden);
}

bool hasHiddenForm(const QString &name) { return find(name) != nullptr; }

} // namespace HiddenNames
