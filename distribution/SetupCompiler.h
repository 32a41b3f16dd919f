#pragma once

#include "InstallerScript.h"

#include <QString>
#include <QStringList>

class BuildHost;

// The setup compiler in the editor's Compiler/ folder. The command-line compiler (ISCC.exe) is
// run directly with the script when it is there; otherwise the windowed one (Compil32.exe),
// which the author drives. A Windows program runs through wine where the system is not
// Windows; paths it is given are then in wine's form.
class SetupCompiler {
public:
    explicit SetupCompiler(const QString &editorFolder);

    // The program the build starts (Compiler/ISCC.exe or Compiler/Compil32.exe, found without
    // regard to case); Compil32.exe's path when neither is there.
    const QString &program() const { return m_program; }
    bool exists() const;
    bool isCommandLine() const { return m_commandLine; }
    // True when the program is a Windows program and this system is not Windows.
    bool needsWine() const { return m_needsWine; }
    // The wine found on the PATH; empty when none.
    const QString &wine() const { return m_wine; }
    PathForm pathForm() const { return m_needsWine ? PathForm::Wine : PathForm::Native; }

    // Starts the compiler on `script` and waits for it to end while the application's events
    // run (no busy loop). The command-line compiler writes `outputFolder`/Setup.exe and its
    // output goes to the host. False with `error` set when it could not be started.
    bool run(const QString &script, const QString &outputFolder, BuildHost &host, QString *error);

private:
    QString m_program;
    bool m_commandLine = false;
    bool m_needsWine = false;
    QString m_wine;
};
