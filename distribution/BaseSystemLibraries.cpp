#include "BaseSystemLibraries.h"

namespace BaseSystemLibraries {

namespace {

// A library the game leaves to the user's system. `name` is a soname, or a prefix of sonames
// when it ends in '*'. `fallback`: the folder also carries a copy for systems without it.
struct Entry {
    const char *name;
    const char *why;
    bool fallback = false;
};

const char *const CLibrary = "the C library (libc6): a copy would not match the kernel's loader";
const char *const Graphics =
    "the graphics driver stack: it must be the one made for the machine's own graphics card";
// libglvnd's front ends hold no driver: they find the system's through libglvnd's own vendor
// lookup, so a copy works with any driver stack, while the system's copy matches its own
// libGLdispatch. Qt's GUI library asks for both; the plain desktop's libgl1 brings neither.
const char *const Dispatch = "libglvnd's front end to the graphics drivers: the system's own "
                             "matches its libGLdispatch; where there is none, lib/fallback/";
const bool Fallback = true;
const char *const DriverRuntime =
    "the graphics drivers load the system's newest; an older copy would break them";

const Entry Entries[] = {
    {"linux-vdso.so.1", "the kernel's virtual library: there is no file"},
    {"ld-linux.so.2", CLibrary},
    {"ld-linux-x86-64.so.2", CLibrary},
    {"ld-linux-aarch64.so.1", CLibrary},
    {"libc.so.6", CLibrary},
    {"libm.so.6", CLibrary},
    {"libmvec.so.1", CLibrary},
    {"libdl.so.2", CLibrary},
    {"libpthread.so.0", CLibrary},
    {"librt.so.1", CLibrary},
    {"libresolv.so.2", CLibrary},
    {"libutil.so.1", CLibrary},
    {"libanl.so.1", CLibrary},
    {"libBrokenLocale.so.1", CLibrary},
    {"libthread_db.so.1", CLibrary},
    {"libnss_*", CLibrary},
    {"libGL.so.1", Graphics},
    {"libEGL.so.1", Dispatch, Fallback},
    {"libGLX.so.0", Graphics},
    {"libOpenGL.so.0", Dispatch, Fallback},
    {"libGLdispatch.so.0", Graphics},
    {"libglapi.so.0", Graphics},
    // SDL asks for Mesa's buffer manager, which a plain desktop lacks, for its video only, which
    // the player never starts: there a copy only lets the loader go on.
    {"libgbm.so.1",
     "the graphics driver stack (Mesa's buffer manager, for SDL's video, which the player never "
     "starts): where there is none, lib/fallback/",
     Fallback},
    {"libdrm.so.2", Graphics},
    {"libdrm_*", Graphics},
    {"libxshmfence.so.1", Graphics},
    {"libxcb-dri2.so.0", Graphics},
    {"libxcb-dri3.so.0", Graphics},
    {"libxcb-glx.so.0", Graphics},
    {"libxcb-present.so.0", Graphics},
    {"libstdc++.so.6", DriverRuntime},
    {"libgcc_s.so.1", DriverRuntime},
    // What the plain desktop's packages bring (libgl1 libx11-6 libxcb1 libfontconfig1
    // libfreetype6 libasound2 libpulse0 libglib2.0-0 fonts-dejavu-core) under the same name on
    // the releases the folder is made for. A library whose name changes with the release (ICU,
    // FLAC...) is brought along even when the builder's desktop has it.
    {"libX11.so.6", "libx11-6"},
    {"libX11-xcb.so.1", "libx11-6's driver half (libx11-xcb1, for libgl1)"},
    {"libxcb.so.1", "libxcb1"},
    {"libxcb-randr.so.0", "libgl1's drivers (libxcb-randr0)"},
    {"libxcb-shm.so.0", "libgl1's drivers (libxcb-shm0)"},
    {"libxcb-sync.so.1", "libgl1's drivers (libxcb-sync1)"},
    {"libxcb-xfixes.so.0", "libgl1's drivers (libxcb-xfixes0)"},
    {"libXext.so.6", "libgl1's drivers (libxext6)"},
    {"libXfixes.so.3", "libgl1's drivers (libxfixes3)"},
    {"libXxf86vm.so.1", "libgl1's drivers (libxxf86vm1)"},
    {"libXau.so.6", "libxcb1 (libxau6)"},
    {"libXdmcp.so.6", "libxcb1 (libxdmcp6)"},
    {"libbsd.so.0", "libxcb1 (libbsd0)"},
    {"libmd.so.0", "libxcb1 (libmd0)"},
    {"libfontconfig.so.1", "libfontconfig1: reads the system's font configuration"},
    {"libfreetype.so.6", "libfreetype6"},
    {"libexpat.so.1", "libfontconfig1 (libexpat1)"},
    {"libpng16.so.16", "libfreetype6 (libpng16-16)"},
    {"libbrotlidec.so.1", "libfreetype6 (libbrotli1)"},
    {"libbrotlicommon.so.1", "libfreetype6 (libbrotli1)"},
    {"libz.so.1", "libfreetype6 (zlib1g)"},
    {"libasound.so.2", "libasound2: talks to the system's sound drivers"},
    {"libpulse*", "libpulse0: must match the running sound server"},
    {"libpipewire-*", "the sound server's client: must match the running server"},
    {"libasyncns.so.0", "libpulse0 (libasyncns0)"},
    {"libdbus-1.so.3", "libpulse0 (libdbus-1-3): must match the system's message bus"},
    {"libsndfile.so.1", "libpulse0 (libsndfile1)"},
    {"libogg.so.0", "libpulse0 (libsndfile1)"},
    {"libvorbis.so.0", "libpulse0 (libsndfile1)"},
    {"libvorbisenc.so.2", "libpulse0 (libsndfile1)"},
    {"libopus.so.0", "libpulse0 (libsndfile1)"},
    {"libmpg123.so.0", "libpulse0 (libsndfile1)"},
    {"libmp3lame.so.0", "libpulse0 (libsndfile1)"},
    {"libsystemd.so.0", "libpulse0 (libsystemd0): must match the running init system"},
    {"libcap.so.2", "libpulse0 (libsystemd0)"},
    {"libglib-2.0.so.0", "libglib2.0-0"},
    {"libgobject-2.0.so.0", "libglib2.0-0"},
    {"libgio-2.0.so.0", "libglib2.0-0"},
    {"libgmodule-2.0.so.0", "libglib2.0-0"},
    {"libgthread-2.0.so.0", "libglib2.0-0"},
    {"libffi.so.8", "libglib2.0-0 (libffi8)"},
    {"libpcre2-8.so.0", "libglib2.0-0 (libpcre2-8-0)"},
    {"libmount.so.1", "libglib2.0-0 (libmount1)"},
    {"libblkid.so.1", "libglib2.0-0 (libblkid1)"},
    {"libselinux.so.1", "libglib2.0-0 (libselinux1)"},
    {"libxml2.so.2", "libgl1's drivers (libxml2)"},
    {"libzstd.so.1", "libgl1's drivers (libzstd1)"},
    {"liblzma.so.5", "libgl1's drivers (liblzma5)"},
};

bool matches(const Entry &e, const QString &soname) {
    const QLatin1String name(e.name);
    return name.endsWith(QLatin1Char('*')) ? soname.startsWith(name.chopped(1)) : soname == name;
}

} // namespace

QStringList names() {
    QStringList out;
    for (const Entry &e : Entries)
        out << QString::fromLatin1(e.name);
    out.sort(Qt::CaseInsensitive);
    return out;
}

bool contains(const QString &soname) {
    return !why(soname).isEmpty();
}

QString why(const QString &soname) {
    for (const Entry &e : Entries) {
        if (matches(e, soname))
            return QString::fromLatin1(e.why);
    }
    return QString();
}

bool hasFallback(const QString &soname) {
    for (const Entry &e : Entries) {
        if (matches(e, soname))
            return e.fallback;
    }
    return false;
}

} // namespace BaseSystemLibraries
