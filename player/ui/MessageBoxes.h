#pragma once

#include "EngineHost.h"
#include "Status.h"

#include <QString>

class QWidget;

// A message box of the player's windows: the icon, buttons and default button the system's
// messages ask for, and the answer. `defaultNo` makes No the default of a Yes/No question.
EngineHost::Answer showMessageBox(QWidget *parent, const QString &title, const QString &text,
                                  Status::Icon icon, EngineHost::Buttons buttons,
                                  bool defaultNo = false);
