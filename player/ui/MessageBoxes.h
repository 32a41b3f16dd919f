#pragma once

#include "EngineHost.h"
#include "Status.h"

#include <QString>

#include <functional>

class QWidget;

// Answers message boxes and error reports instead of showing them (tests, scripts).
using MessageAnswerer = std::function<EngineHost::Answer(
    const QString &title, const QString &text, Status::Icon icon, EngineHost::Buttons buttons)>;

// A message box of the player's windows: the icon, buttons and default button the system's
// messages ask for, and the answer. `defaultNo` makes No the default of a Yes/No question.
EngineHost::Answer showMessageBox(QWidget *parent, const QString &title, const QString &text,
                                  Status::Icon icon, EngineHost::Buttons buttons,
                                  bool defaultNo = false);
