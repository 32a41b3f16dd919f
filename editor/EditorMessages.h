#pragma once

#include "MessageBoxes.h"

#include <QString>
#include <QStringList>
#include <QUrl>

class QWidget;

// Every message box, question and input box of the editor goes through here, so that tests and
// scripts answer them instead of a person.
namespace EditorMessages {

// Questions and boxes are answered by `answerer` while it is set (empty: shown on screen).
void setAnswerer(MessageAnswerer answerer);
// The answerer set, if any (the test run hands it to the player's windows).
MessageAnswerer answerer();
// Input boxes are answered by `answerer` while it is set: it returns the text typed, or a null
// string for Cancel.
using InputAnswerer =
    std::function<QString(const QString &title, const QString &prompt, const QString &suggestion)>;
void setInputAnswerer(InputAnswerer answerer);

EngineHost::Answer ask(QWidget *parent, const QString &title, const QString &text,
                       Status::Icon icon, EngineHost::Buttons buttons = EngineHost::Buttons::Ok);
// A store failure: its title ("Error" when it has none), text and icon; the system's reason,
// when the failure has one, after the text.
void show(QWidget *parent, const Status &status);
// A null string when cancelled.
QString input(QWidget *parent, const QString &title, const QString &prompt,
              const QString &suggestion = QString());

// The shell: web pages and files opened with the system's programs, programs started. Tests
// set their own opener and starter.
using UrlOpener = std::function<bool(const QUrl &url)>;
using ProgramStarter = std::function<bool(const QString &program, const QStringList &arguments)>;
void setUrlOpener(UrlOpener opener);
void setProgramStarter(ProgramStarter starter);
bool openUrl(const QUrl &url);
bool startProgram(const QString &program, const QStringList &arguments = QStringList());

// Open-file dialogs are answered by `chooser` while it is set: it gets the dialog's filter and
// returns the chosen path, or "" for Cancel.
using FileChooser = std::function<QString(const QString &filter)>;
void setFileChooser(FileChooser chooser);
// The path of an existing file matching `filter` ("Caption (*.a *.b)"), or "" when cancelled.
QString chooseFile(QWidget *parent, const QString &filter);

} // namespace EditorMessages
