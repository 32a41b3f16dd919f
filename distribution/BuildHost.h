#pragma once

#include "Status.h"

#include <QString>

class AnimatedCopy;

// A message of the distribution build, worded and decorated as the system shows it.
struct BuildMessage {
    QString title;
    QString text;
    Status::Icon icon = Status::Icon::Information;
};

// What the build needs from whoever runs it: the "Create .EXE" dialog, qmtool or a test.
// Every question and message of the build goes through here.
class BuildHost {
public:
    virtual ~BuildHost() = default;
    // An OK/Cancel question; true for OK.
    virtual bool ask(const BuildMessage &message) = 0;
    // A message with an OK button.
    virtual void tell(const BuildMessage &message) = 0;
    // What the build does next, in a few words (qmtool prints it; windows ignore it).
    virtual void note(const QString &) {}
    // The setup compiler runs: show the waiting page with `text`.
    virtual void showWaitingPage(const QString &) {}
    // Output of the command-line compiler, as it comes.
    virtual void compilerOutput(const QString &) {}
    // The build returns to the dialog's first page, or is complete and the dialog closes.
    virtual void showFirstPage() {}
    virtual void closeDialog() {}
    // A folder copy starts (show its progress, offer its cancel()) and ends.
    virtual void copyStarted(AnimatedCopy &) {}
    virtual void copyFinished(AnimatedCopy &) {}
    // Writes the picture (a pointer file) as a PNG file, the game's icon on Linux; false when
    // this host cannot (the editor's icon then stands in). Called from a worker thread.
    virtual bool writeIcon(const QString &, const QString &) { return false; }
};
