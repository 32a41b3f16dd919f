#include "ToolRun.h"

#include <QProcess>
#include <QStandardPaths>

ToolRun runTool(const QString &program, const QStringList &arguments, const QString &workingFolder,
                int timeoutMs) {
    ToolRun r;
    if (QStandardPaths::findExecutable(program).isEmpty() && !program.contains(QLatin1Char('/'))) {
        r.error = program + QStringLiteral(" was not found");
        return r;
    }
    QProcess p;
    p.setProgram(program);
    p.setArguments(arguments);
    if (!workingFolder.isEmpty())
        p.setWorkingDirectory(workingFolder);
    p.setStandardInputFile(QProcess::nullDevice());
    p.start();
    if (!p.waitForStarted()) {
        r.error = program + QStringLiteral(" could not be started");
        return r;
    }
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished();
        r.error = program + QStringLiteral(" did not finish");
        return r;
    }
    r.output = QString::fromLocal8Bit(p.readAllStandardOutput());
    const QString err = QString::fromLocal8Bit(p.readAllStandardError()).trimmed();
    r.ok = p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    if (!r.ok)
        r.error = program + QStringLiteral(": ") +
                  (err.isEmpty() ? QStringLiteral("exit status %1").arg(p.exitCode()) : err);
    return r;
}
