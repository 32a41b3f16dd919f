// The main() of every test program: a Qt application (a core one, or a widgets one for tests of
// windows and video) and a private settings and runtime folder, so tests never touch the user's
// own.

#ifdef QM_TEST_WIDGETS
#include <QApplication>
#else
#include <QCoreApplication>
#endif
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char **argv) {
    QTemporaryDir home;
    const QByteArray config = (home.path() + QStringLiteral("/config")).toLocal8Bit();
    const QByteArray runtime = (home.path() + QStringLiteral("/runtime")).toLocal8Bit();
    const QByteArray data = (home.path() + QStringLiteral("/data")).toLocal8Bit();
    QDir().mkpath(QString::fromLocal8Bit(config));
    QDir().mkpath(QString::fromLocal8Bit(runtime));
    QFile::setPermissions(QString::fromLocal8Bit(runtime),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    setenv("XDG_CONFIG_HOME", config.constData(), 0);
    setenv("XDG_RUNTIME_DIR", runtime.constData(), 0);
    setenv("XDG_DATA_HOME", data.constData(), 0);
    // Windows are shown offscreen on one screen of a common desktop size (the plug-in's own
    // default is 800 x 800), so that layouts meet the room they have on a person's screen.
    const QString screens = home.path() + QStringLiteral("/screens.json");
    QFile json(screens);
    if (json.open(QIODevice::WriteOnly))
        json.write(R"({"screens": [{"name": "Offscreen", "x": 0, "y": 0, "width": 1920,)"
                   R"( "height": 1080, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    json.close();
    setenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + screens).toLocal8Bit().constData(), 0);
    // Sound goes nowhere unless a test asks for the disk driver itself.
    setenv("SDL_AUDIODRIVER", "dummy", 0);
#ifdef QM_TEST_WIDGETS
    QApplication app(argc, argv);
#else
    QCoreApplication app(argc, argv);
#endif
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
