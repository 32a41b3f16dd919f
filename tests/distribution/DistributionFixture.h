#pragma once

#include "BuildHost.h"
#include "GameProject.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>

// An editor installation in a temporary folder: run.dat, the default icon and, unless told
// otherwise, a stand-in setup compiler (a shell script as Compiler/Compil32.exe) that records its
// arguments and then behaves as Compiler/mode says: "write" makes Output/Setup.exe, "close"
// exits without it, "wait" sleeps a second first, "pack" makes Output/Setup.exe a tar archive of
// the files the script installs in {app} (Source and DestDir lines; names as in the source).
struct EditorInstall {
    QTemporaryDir dir;
    QString folder; // ends in '/'
    explicit EditorInstall(bool withCompiler = true);
    void setMode(const QString &mode) const;
    QString compilerArguments() const;
    QString path(const QString &relative) const { return folder + relative; }
};

// A project with a frame, a picture door.bmp, an item, a click sound in the frame's folder of
// Areas, an icon and the scheme "Moss" of the editor installation.
struct SmallGame : GameProject {
    SmallGame(const EditorInstall &editor, const QString &title = QStringLiteral("Marsh Lights"));
};

// Answers the build's questions and records every message, in order.
struct RecordingHost : BuildHost {
    QStringList messages; // the texts, in order
    QStringList titles;   // their titles
    QStringList pages;    // "first", "waiting:<text>", "closed"
    QString cancelAt;     // a question whose text starts with it is cancelled
    std::function<void(AnimatedCopy &)> onCopy;
    bool ask(const BuildMessage &m) override;
    void tell(const BuildMessage &m) override;
    void showWaitingPage(const QString &text) override {
        pages << QStringLiteral("waiting:") + text;
    }
    void showFirstPage() override { pages << QStringLiteral("first"); }
    void closeDialog() override { pages << QStringLiteral("closed"); }
    QString output; // of the command-line compiler
    void compilerOutput(const QString &text) override { output += text; }
    void copyStarted(AnimatedCopy &copy) override {
        if (onCopy)
            onCopy(copy);
    }
};

QByteArray readAll(const QString &path);
