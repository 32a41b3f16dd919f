#pragma once

#include <QString>
#include <QStringList>

#include <sys/types.h>

struct _XDisplay;

// Starts programs in a private X server (Xvfb, display chosen with -displayfd) and measures
// each up to the moment its first top-level window is mapped (MapNotify on the root window).
class WindowProbe {
public:
    struct Start {
        bool ok = false;
        double cpuMs = 0;  // user + system CPU of the whole process, up to its end
        double rssMb = 0;  // resident memory when the window was mapped
        double wallMs = 0; // from fork to the window mapped
        QString error;
    };

    WindowProbe();
    ~WindowProbe();
    WindowProbe(const WindowProbe &) = delete;
    WindowProbe &operator=(const WindowProbe &) = delete;

    // Empty when the server runs; why not otherwise.
    QString error() const { return m_error; }

    // Runs `program` with `arguments` until its window is mapped (at most `timeoutMs`), then
    // kills it at once: the CPU time counted after the mapping is that of a SIGKILL.
    Start measure(const QString &program, const QStringList &arguments, int timeoutMs = 30000);

private:
    pid_t m_server = -1;
    QString m_display;
    _XDisplay *m_connection = nullptr;
    QString m_error;
};
