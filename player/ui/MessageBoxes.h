#pragma once

#include "EngineHost.h"
#include "Status.h"

#include <QString>

#include <functional>
#include <memory>

class QDialog;
class QMessageBox;
class QWidget;

// Answers message boxes and error reports instead of showing them (tests, scripts).
using MessageAnswerer = std::function<EngineHost::Answer(
    const QString &title, const QString &text, Status::Icon icon, EngineHost::Buttons buttons)>;

// A message box of the player's windows: the icon, buttons and default button the system's
// messages ask for, and the answer. `defaultNo` makes No the default of a Yes/No question.
EngineHost::Answer showMessageBox(QWidget *parent, const QString &title, const QString &text,
                                  Status::Icon icon, EngineHost::Buttons buttons,
                                  bool defaultNo = false);

// The box showMessageBox shows, not yet shown: a plain dialog, wide enough for its title.
std::unique_ptr<QMessageBox> createMessageBox(QWidget *parent, const QString &title,
                                              const QString &text, Status::Icon icon,
                                              EngineHost::Buttons buttons, bool defaultNo = false);

// Makes `dialog` a plain dialog (a title and a close box, no minimise or maximise) at least as
// wide as its window title needs, so that the game's name in the title bar is not cut short.
// Call it after the title is set.
void makePlainDialog(QDialog *dialog);

// The width in pixels a title bar needs to show `title` whole, with the window's icon and
// close box beside it.
int titleBarWidth(const QString &title);
