#include "BaseSystemLibraries.h"

#include <QSet>

namespace BaseSystemLibraries {

namespace {

const char *const Names[] = {
    "ld-linux.so.2",
    "ld-linux-x86-64.so.2",
    "ld-linux-aarch64.so.1",
    "libanl.so.1",
    "libasound.so.2",
    "libBrokenLocale.so.1",
    "libcidn.so.1",
    "libcom_err.so.2",
    "libc.so.6",
    "libdl.so.2",
    "libdrm.so.2",
    "libEGL.so.1",
    "libexpat.so.1",
    "libfontconfig.so.1",
    "libfreetype.so.6",
    "libfribidi.so.0",
    "libgbm.so.1",
    "libgcc_s.so.1",
    "libgdk_pixbuf-2.0.so.0",
    "libgio-2.0.so.0",
    "libglapi.so.0",
    "libGLdispatch.so.0",
    "libglib-2.0.so.0",
    "libGL.so.1",
    "libGLX.so.0",
    "libgmp.so.10",
    "libgobject-2.0.so.0",
    "libgpg-error.so.0",
    "libharfbuzz.so.0",
    "libICE.so.6",
    "libjack.so.0",
    "libm.so.6",
    "libmvec.so.1",
    "libnss_compat.so.2",
    "libnss_db.so.2",
    "libnss_dns.so.2",
    "libnss_files.so.2",
    "libnss_hesiod.so.2",
    "libnss_nisplus.so.2",
    "libnss_nis.so.2",
    "libOpenGL.so.0",
    "libp11-kit.so.0",
    "libpango-1.0.so.0",
    "libpangocairo-1.0.so.0",
    "libpangoft2-1.0.so.0",
    "libpthread.so.0",
    "libresolv.so.2",
    "librt.so.1",
    "libSM.so.6",
    "libstdc++.so.6",
    "libthai.so.0",
    "libthread_db.so.1",
    "libusb-1.0.so.0",
    "libutil.so.1",
    "libuuid.so.1",
    "libX11.so.6",
    "libX11-xcb.so.1",
    "libxcb.so.1",
    "libxcb-dri2.so.0",
    "libxcb-dri3.so.0",
    "libz.so.1",
    // Sound server clients.
    "libpulse.so.0",
    "libpulse-simple.so.0",
    "libpipewire-0.3.so.0",
    // The kernel's virtual library has no file.
    "linux-vdso.so.1",
};

const QSet<QString> &set() {
    static const QSet<QString> s = [] {
        QSet<QString> out;
        for (const char *n : Names)
            out.insert(QString::fromLatin1(n));
        return out;
    }();
    return s;
}

} // namespace

QStringList names() {
    QStringList out(set().begin(), set().end());
    out.sort(Qt::CaseInsensitive);
    return out;
}

bool contains(const QString &soname) {
    return set().contains(soname) || soname.startsWith(QLatin1String("libpulse")) ||
           soname.startsWith(QLatin1String("libpipewire-"));
}

} // namespace BaseSystemLibraries
