#pragma once

#include <QtGlobal>

// The basic colour that stands for `color` (0x00BBGGRR) among the 16 colours of the standard
// palette (index bits: 1 blue, 2 green, 4 red, 8 bright). The canvas's font dialog lists only
// these, so its colour is set to this one before the dialog opens.
qint32 BasicColor(qint32 color);

// Colour n (0 to 15) of the standard palette, as 0x00BBGGRR; black for other numbers.
qint32 BasicPaletteColor(int index);
