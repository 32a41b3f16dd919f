#pragma once

#include <QStringList>

class QWidget;

// What a person using a screen reader could not read in `window`, one line a fault: a window
// that does not report the window or dialog role, a shown button, check box or option whose
// accessible name is empty or not its caption (without the mnemonic "&"), a shown combo box, text
// field or list whose name is empty or not its label's text (its own accessible name when it has
// no label), a menu not named by its title. Shows the window and each page of its tab widgets.
QStringList accessibilityFaults(QWidget *window);
