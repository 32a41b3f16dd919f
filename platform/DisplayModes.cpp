#include "DisplayModes.h"

#include <QGuiApplication>
#include <QScreen>

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <csignal>
#include <cstdlib>
#include <mutex>

namespace {

// The first mode the program changed away from: what every way out restores.
struct SavedMode {
    std::mutex mutex;
    bool saved = false;
    int width = 0, height = 0;
};
SavedMode g_saved;

QSize x11Size(Display *dpy) {
    XWindowAttributes a;
    if (!XGetWindowAttributes(dpy, DefaultRootWindow(dpy), &a))
        return QSize();
    return QSize(a.width, a.height);
}

// The current screen resources of `dpy` (free with XRRFreeScreenResources), or null when the
// display has no XRandR.
XRRScreenResources *screenResources(Display *dpy) {
    int eventBase = 0, errorBase = 0;
    if (!XRRQueryExtension(dpy, &eventBase, &errorBase))
        return nullptr;
    return XRRGetScreenResourcesCurrent(dpy, DefaultRootWindow(dpy));
}

// Sets the screen of `dpy` to width x height with XRandR: the mode of the primary (or first
// active) output and the screen size together, as the xrandr tool does.
bool setWithXrandr(Display *dpy, int width, int height) {
    const Window root = DefaultRootWindow(dpy);
    XRRScreenResources *res = screenResources(dpy);
    if (!res)
        return false;
    RROutput output = XRRGetOutputPrimary(dpy, root);
    XRROutputInfo *out = output ? XRRGetOutputInfo(dpy, res, output) : nullptr;
    for (int i = 0; (!out || !out->crtc) && i < res->noutput; ++i) {
        if (out)
            XRRFreeOutputInfo(out);
        output = res->outputs[i];
        out = XRRGetOutputInfo(dpy, res, output);
    }
    bool ok = false;
    if (out && out->crtc) {
        RRMode mode = 0;
        for (int i = 0; i < out->nmode && !mode; ++i) {
            for (int j = 0; j < res->nmode; ++j) {
                if (res->modes[j].id == out->modes[i] &&
                    static_cast<int>(res->modes[j].width) == width &&
                    static_cast<int>(res->modes[j].height) == height) {
                    mode = res->modes[j].id;
                    break;
                }
            }
        }
        XRRCrtcInfo *crtc = XRRGetCrtcInfo(dpy, res, out->crtc);
        if (mode && crtc) {
            const int screen = DefaultScreen(dpy);
            // Xlib keeps the size the screen had when the connection opened: ask the server.
            const QSize now = x11Size(dpy);
            const int mmW = DisplayWidthMM(dpy, screen) * width / qMax(1, now.width());
            const int mmH = DisplayHeightMM(dpy, screen) * height / qMax(1, now.height());
            const bool growing = width > now.width() || height > now.height();
            XGrabServer(dpy);
            if (growing)
                XRRSetScreenSize(dpy, root, width, height, qMax(1, mmW), qMax(1, mmH));
            ok = XRRSetCrtcConfig(dpy, res, out->crtc, CurrentTime, 0, 0, mode, crtc->rotation,
                                  &output, 1) == RRSetConfigSuccess;
            if (ok && !growing)
                XRRSetScreenSize(dpy, root, width, height, qMax(1, mmW), qMax(1, mmH));
            XUngrabServer(dpy);
            XSync(dpy, False);
        }
        if (crtc)
            XRRFreeCrtcInfo(crtc);
    }
    if (out)
        XRRFreeOutputInfo(out);
    XRRFreeScreenResources(res);
    return ok;
}

// Whether the active output of `dpy` lists a mode of width x height.
bool xrandrOffers(Display *dpy, int width, int height) {
    XRRScreenResources *res = screenResources(dpy);
    if (!res)
        return false;
    bool found = false;
    for (int o = 0; o < res->noutput && !found; ++o) {
        XRROutputInfo *out = XRRGetOutputInfo(dpy, res, res->outputs[o]);
        if (!out)
            continue;
        for (int i = 0; out->crtc && i < out->nmode && !found; ++i) {
            for (int j = 0; j < res->nmode; ++j) {
                if (res->modes[j].id == out->modes[i] &&
                    static_cast<int>(res->modes[j].width) == width &&
                    static_cast<int>(res->modes[j].height) == height) {
                    found = true;
                    break;
                }
            }
        }
        XRRFreeOutputInfo(out);
    }
    XRRFreeScreenResources(res);
    return found;
}

class XrandrDisplayModes : public DisplayModes {
public:
    explicit XrandrDisplayModes(Display *dpy) : m_dpy(dpy) {}
    ~XrandrDisplayModes() override { XCloseDisplay(m_dpy); }

    QSize currentSize() override { return x11Size(m_dpy); }

    bool setSize(const QSize &size) override {
        {
            std::lock_guard<std::mutex> lock(g_saved.mutex);
            if (!g_saved.saved) {
                const QSize now = x11Size(m_dpy);
                g_saved.width = now.width();
                g_saved.height = now.height();
                g_saved.saved = true;
            }
        }
        return setWithXrandr(m_dpy, size.width(), size.height());
    }

    bool offersSize(const QSize &size) override {
        return currentSize() == size || xrandrOffers(m_dpy, size.width(), size.height());
    }

private:
    Display *m_dpy;
};

class FixedDisplayModes : public DisplayModes {
public:
    QSize currentSize() override {
        const QScreen *s = QGuiApplication::primaryScreen();
        return s ? s->geometry().size() : QSize();
    }
    bool setSize(const QSize &) override { return false; }
    bool offersSize(const QSize &size) override { return currentSize() == size; }
};

void restoreOnSignal(int sig) {
    restoreDisplayAtExit();
    std::signal(sig, SIG_DFL);
    std::raise(sig);
}

} // namespace

std::unique_ptr<DisplayModes> createSystemDisplayModes() {
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        if (Display *dpy = XOpenDisplay(nullptr))
            return std::make_unique<XrandrDisplayModes>(dpy);
    }
    return std::make_unique<FixedDisplayModes>();
}

void restoreDisplayAtExit() {
    int width = 0, height = 0;
    {
        std::unique_lock<std::mutex> lock(g_saved.mutex, std::try_to_lock);
        if (!lock.owns_lock() || !g_saved.saved)
            return;
        width = g_saved.width;
        height = g_saved.height;
        g_saved.saved = false;
    }
    // A connection of its own: the program's may be in any state on the way out.
    if (Display *dpy = XOpenDisplay(nullptr)) {
        const QSize now = x11Size(dpy);
        if (now != QSize(width, height))
            setWithXrandr(dpy, width, height);
        XCloseDisplay(dpy);
    }
}

void installRestoreOnExit() {
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    std::atexit(restoreDisplayAtExit);
    for (int sig : {SIGINT, SIGTERM, SIGHUP, SIGSEGV, SIGABRT, SIGBUS, SIGFPE})
        std::signal(sig, restoreOnSignal);
}
