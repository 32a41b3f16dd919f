// Mouse pointers from arbitrary bytes on disk, as an area's pointer file: the hot-spot reader
// and the pointer made from the picture must not crash, whatever the directory entry says.

#include "GuiOnce.h"
#include "PictureLoader.h"
#include "ScratchFolder.h"

#include <QCursor>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

// One pointer file, rewritten for each input.
class Scratch {
public:
    Scratch() : m_dir(scratchParent() + QStringLiteral("/qm-fuzz-cursor-XXXXXX")) {
        if (!m_dir.isValid())
            std::abort();
        m_file = m_dir.filePath(QStringLiteral("pointer.cur"));
    }

    const QString &write(const QByteArray &bytes) const {
        QFile f(m_file);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
            std::abort();
        return m_file;
    }

private:
    QTemporaryDir m_dir;
    QString m_file;
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    startGuiOnce();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    static const Scratch scratch;
    const QString &path = scratch.write(
        QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size)));
    QPoint hot;
    PictureLoader::cursorHotSpot(path, hot);
    const QCursor pointer = PictureLoader::pointer(path);
    pointer.hotSpot();
    return 0;
}
