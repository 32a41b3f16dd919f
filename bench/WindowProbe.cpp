#include "WindowProbe.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <X11/Xlib.h>

#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

namespace {

// VmRSS of a running process in MiB; 0 when it cannot be read.
double residentMb(pid_t pid) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return 0;
}

} // namespace

WindowProbe::WindowProbe() {
    int fds[2];
    if (pipe(fds) != 0) {
        m_error = QStringLiteral("no pipe");
        return;
    }
    m_server = fork();
    if (m_server == 0) {
        close(fds[0]);
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, 1);
        dup2(null, 2);
        const std::string fd = std::to_string(fds[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24", "-nolisten",
               "tcp", "-noreset", static_cast<char *>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    // The number and its line end come in two writes; the server stops if the second fails.
    std::string number;
    char c = 0;
    while (m_server > 0 && read(fds[0], &c, 1) == 1 && c != '\n')
        number += c;
    close(fds[0]);
    if (c != '\n' || number.empty()) {
        m_error = QStringLiteral("Xvfb did not start");
        return;
    }
    m_display = QStringLiteral(":") + QString::fromStdString(number);
    m_connection = XOpenDisplay(m_display.toLatin1().constData());
    if (!m_connection) {
        m_error = QStringLiteral("cannot open display %1").arg(m_display);
        return;
    }
    XSelectInput(m_connection, DefaultRootWindow(m_connection), SubstructureNotifyMask);
    XSync(m_connection, False);
}

WindowProbe::~WindowProbe() {
    if (m_connection)
        XCloseDisplay(m_connection);
    if (m_server > 0) {
        kill(m_server, SIGTERM);
        waitpid(m_server, nullptr, 0);
    }
}

WindowProbe::Start WindowProbe::measure(const QString &program, const QStringList &arguments,
                                        int timeoutMs) {
    Start result;
    if (!m_connection) {
        result.error = m_error;
        return result;
    }
    // Events of windows of earlier programs are gone with them.
    XSync(m_connection, True);
    QTemporaryDir home;
    const QByteArray display = m_display.toLatin1();
    const QByteArray config = QFile::encodeName(home.filePath(QStringLiteral("config")));
    const QByteArray runtime = QFile::encodeName(home.path());
    std::vector<QByteArray> args{QFile::encodeName(program)};
    for (const QString &a : arguments)
        args.push_back(QFile::encodeName(a));
    std::vector<char *> argv;
    for (QByteArray &a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    QElapsedTimer clock;
    clock.start();
    const pid_t child = fork();
    if (child == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, 1);
        dup2(null, 2);
        setenv("DISPLAY", display.constData(), 1);
        setenv("XDG_CONFIG_HOME", config.constData(), 1);
        setenv("XDG_RUNTIME_DIR", runtime.constData(), 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        unsetenv("QT_QPA_PLATFORM");
        execv(argv[0], argv.data());
        _exit(127);
    }
    if (child < 0) {
        result.error = QStringLiteral("cannot start %1").arg(program);
        return result;
    }
    const int fd = ConnectionNumber(m_connection);
    bool mapped = false;
    while (!mapped && clock.elapsed() < timeoutMs) {
        while (!mapped && XPending(m_connection)) {
            XEvent event;
            XNextEvent(m_connection, &event);
            mapped = event.type == MapNotify && !event.xmap.override_redirect;
        }
        if (mapped)
            break;
        pollfd p{fd, POLLIN, 0};
        poll(&p, 1, 20);
        if (waitpid(child, nullptr, WNOHANG) == child) {
            result.error = QStringLiteral("%1 ended before showing a window").arg(program);
            return result;
        }
    }
    result.wallMs = clock.nsecsElapsed() / 1e6;
    if (mapped)
        result.rssMb = residentMb(child);
    kill(child, SIGKILL);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    if (!mapped) {
        result.error = QStringLiteral("%1 showed no window in time").arg(program);
        return result;
    }
    result.cpuMs = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
                   (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
    result.ok = true;
    return result;
}
