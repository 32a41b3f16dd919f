#pragma once

#include <QString>
#include <QStringList>

// One run of an outside program (ldd, dpkg-deb, patchelf, tar...) to its end.
struct ToolRun {
    bool ok = false; // started and exited with status 0
    QString output;  // standard output
    QString error;   // what went wrong: "<program> was not found", or its standard error
};

// Runs `program` with `arguments` in `workingFolder` (the current one when empty) and waits up
// to `timeoutMs` for it. Standard input is closed.
ToolRun runTool(const QString &program, const QStringList &arguments,
                const QString &workingFolder = QString(), int timeoutMs = 300000);
