// The WMF and EMF converters over arbitrary bytes: the header and record checks must keep
// anything the converter libraries would misread away from them, and what passes must be drawn
// without crashing or running out of time or memory.

#include "GuiOnce.h"
#include "MetafileConverters.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    startGuiOnce();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    MetafileConverters::fromWmf(bytes);
    MetafileConverters::fromEmf(bytes);
    return 0;
}
