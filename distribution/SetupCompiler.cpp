#include "SetupCompiler.h"

#include "BuildHost.h"
#include "DistributionFolders.h"
#include "ProjectFiles.h"

#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace {

bool isWindowsProgram(const QString &path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    return f.read(2) == "MZ";
}

} // namespace

SetupCompiler::SetupCompiler(const QString &editorFolder) {
    const QString folder = DistributionFolders(editorFolder).compiler();
    const QString commandLine = ProjectFiles::existingVariant(folder + QStringLiteral("ISCC.exe"));
    m_commandLine = QFileInfo(commandLine).isFile();
    m_program = m_commandLine
                    ? commandLine
                    : ProjectFiles::existingVariant(folder + QStringLiteral("Compil32.exe"));
#ifndef Q_OS_WIN
    m_needsWine = isWindowsProgram(m_program);
    if (m_needsWine)
        m_wine = QStandardPaths::findExecutable(QStringLiteral("wine"));
#endif
}

bool SetupCompiler::exists() const {
    return QFileInfo(m_program).isFile();
}

bool SetupCompiler::run(const QString &script, const QString &outputFolder, BuildHost &host,
                        QString *error) {
    const PathForm form = pathForm();
    QStringList args{scriptPathOf(script, form)};
    if (m_commandLine) {
        QString out = outputFolder;
        if (out.endsWith(QLatin1Char('/')))
            out.chop(1);
        args << QStringLiteral("/O") + scriptPathOf(out, form) << QStringLiteral("/FSetup");
    }
    QProcess process;
    if (m_needsWine) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("WINEDEBUG"), QStringLiteral("-all"));
        env.insert(QStringLiteral("WINEDLLOVERRIDES"), QStringLiteral("mscoree,mshtml="));
        process.setProcessEnvironment(env);
        process.setProgram(m_wine);
        args.prepend(m_program);
    } else {
        process.setProgram(m_program);
    }
    process.setArguments(args);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setWorkingDirectory(QFileInfo(m_program).absolutePath());
    QObject::connect(&process, &QProcess::readyReadStandardOutput, [&] {
        const QString text = QString::fromLocal8Bit(process.readAllStandardOutput());
        if (m_commandLine)
            host.compilerOutput(text);
    });
    QEventLoop loop;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    process.start();
    if (!process.waitForStarted(-1)) {
        if (error)
            *error = process.errorString();
        return false;
    }
    if (process.state() != QProcess::NotRunning)
        loop.exec();
    return true;
}
