// The main() of every test program: a Qt core application (file and settings classes want one)
// and a private settings and runtime folder, so tests never touch the user's own.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char **argv) {
    QTemporaryDir home;
    const QByteArray config = (home.path() + QStringLiteral("/config")).toLocal8Bit();
    const QByteArray runtime = (home.path() + QStringLiteral("/runtime")).toLocal8Bit();
    QDir().mkpath(QString::fromLocal8Bit(config));
    QDir().mkpath(QString::fromLocal8Bit(runtime));
    QFile::setPermissions(QString::fromLocal8Bit(runtime),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    setenv("XDG_CONFIG_HOME", config.constData(), 0);
    setenv("XDG_RUNTIME_DIR", runtime.constData(), 0);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
