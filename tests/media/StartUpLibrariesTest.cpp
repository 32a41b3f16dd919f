// What the programs load before they show their first window: never the sound, video and
// metafile back ends (SDL_mixer, FluidSynth, FFmpeg, libwmf, emf2svg, QtSvg), which wait for the
// first sound, video or metafile picture. Windows are
// shown in a private X server; the libraries are read from the process's memory map once the
// window is mapped, or from the dynamic loader's report for a program that ends at once.

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const char *const BackEndLibraries[] = {"libavcodec",    "libavformat",   "libavutil", "libswscale",
                                        "libswresample", "libfluidsynth", "libSDL2",   "libqmsound",
                                        "libqmvideo",    "libqmmetafile", "libwmf",    "libemf2svg",
                                        "libQt6Svg"};

// An Xvfb on a free display, chosen by the server itself (-displayfd). It never resets: the
// player's display-mode check connects and leaves before its window is shown.
class XServer {
public:
    XServer() {
        int fds[2];
        if (pipe(fds) != 0)
            return;
        m_pid = fork();
        if (m_pid == 0) {
            close(fds[0]);
            const int null = open("/dev/null", O_WRONLY);
            dup2(null, 1);
            dup2(null, 2);
            const std::string fd = std::to_string(fds[1]);
            execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24",
                   "-nolisten", "tcp", "-noreset", static_cast<char *>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        // The server writes the number and the line end separately: read up to the line end, or
        // the second write fails and the server stops.
        QByteArray number;
        char c = 0;
        while (m_pid > 0 && read(fds[0], &c, 1) == 1 && c != '\n')
            number += c;
        close(fds[0]);
        if (c == '\n' && !number.isEmpty())
            m_display = QStringLiteral(":") + QString::fromLatin1(number);
    }
    ~XServer() {
        if (m_pid > 0) {
            kill(m_pid, SIGTERM);
            waitpid(m_pid, nullptr, 0);
        }
    }
    QString display() const { return m_display; }

private:
    pid_t m_pid = -1;
    QString m_display;
};

struct StartCase {
    const char *name;
    QString program;
    QStringList arguments; // "PROJECT" stands for a copy of the demo game
    bool showsWindow;
};

// The file names of the libraries the program holds once its first window is mapped, or the
// loader's report of a program that ends without a window. Empty when that cannot be known.
QString librariesAtStart(const StartCase &c, const QString &display, const QString &project) {
    QStringList arguments = c.arguments;
    arguments.replaceInStrings(QStringLiteral("PROJECT"), project);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display);
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.remove(QStringLiteral("QM_MEDIA_PLUGIN_PATH"));
    QProcess program;
    if (!c.showsWindow) {
        env.insert(QStringLiteral("LD_DEBUG"), QStringLiteral("libs"));
        program.setProcessEnvironment(env);
        program.start(c.program, arguments);
        if (!program.waitForFinished(30000) || program.exitCode() != 0)
            return QString();
        return QString::fromLocal8Bit(program.readAllStandardError());
    }
    program.setProcessEnvironment(env);
    program.start(c.program, arguments);
    if (!program.waitForStarted())
        return QString();
    QProcess probe;
    probe.setProcessEnvironment(env);
    probe.start(QStringLiteral("xdotool"),
                {QStringLiteral("search"), QStringLiteral("--sync"),
                 QStringLiteral("--onlyvisible"), QStringLiteral("--pid"),
                 QString::number(program.processId())});
    QString maps;
    if (probe.waitForFinished(30000) && probe.exitCode() == 0) {
        QFile file(QStringLiteral("/proc/%1/maps").arg(program.processId()));
        if (file.open(QIODevice::ReadOnly))
            maps = QString::fromLocal8Bit(file.readAll());
    }
    probe.kill();
    program.kill();
    program.waitForFinished();
    return maps;
}

} // namespace

TEST(StartUpLibrariesTest, NoSoundOrVideoLibraryBeforeTheFirstWindow) {
    XServer x;
    if (x.display().isEmpty())
        GTEST_SKIP() << "Xvfb could not be started";
    QTemporaryDir dir;
    const QString project = dir.path() + QStringLiteral("/Demo");
    ASSERT_EQ(QProcess::execute(QStringLiteral("cp"),
                                {QStringLiteral("-r"), QStringLiteral(QM_DEMO), project}),
              0);

    const StartCase cases[] = {
        {"run --version", QStringLiteral(QM_RUN), {QStringLiteral("--version")}, false},
        {"run's title window", QStringLiteral(QM_RUN), {QStringLiteral("PROJECT")}, true},
        {"the editor's window", QStringLiteral(QM_QUILLMOOR), {}, true},
    };
    for (const StartCase &c : cases) {
        SCOPED_TRACE(c.name);
        const QString libraries = librariesAtStart(c, x.display(), project);
        // Qt is there from the start: the listing is the program's own.
        ASSERT_TRUE(libraries.contains(QLatin1String("libQt6Core")));
        for (const char *backEnd : BackEndLibraries)
            EXPECT_FALSE(libraries.contains(QLatin1String(backEnd))) << backEnd;
    }
}
