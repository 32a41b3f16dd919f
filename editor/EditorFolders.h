#pragma once

#include <QString>

// The editor's installation folder and what it holds: the editor itself, run.dat (the player),
// Icons/ (stock mouse pointers), Schemes/, Presets/, Projects/, Compiler/, Readme.txt and the
// help page. Every path ends in the native separator where it is a folder.
class EditorFolders {
public:
    explicit EditorFolders(const QString &installFolder);
    // The folder that holds the running program.
    static EditorFolders ofThisProgram();

    const QString &install() const { return m_root; }
    QString schemes() const;
    QString presets() const;
    QString icons() const;
    QString projects() const;
    QString compiler() const;
    QString readme() const;
    QString helpPage() const;
    QString player() const; // run.dat

    // Where the new- and open-project windows start: Projects/ when it can be written, else a
    // "Quillmoor Projects" folder in `documents` (the user's documents when empty), made on
    // first use with a copy of the demo game. Falls back to Projects/ when neither works.
    QString projectsStart(const QString &documents = QString()) const;

private:
    QString m_root;
};
