#pragma once

#include "TextLabels.h"

#include <QFont>

// A placed text's font: the face and styles its file names, in both directions.

// The text's face with its bold, italic, strike-out and underline styles, `points` in size
// (the caller decides the size: its default and any scaling to the screen).
inline QFont textLabelFont(const TextLabel &t, double points) {
    QFont font(t.FontName);
    font.setPointSizeF(points);
    font.setBold(t.FontBold);
    font.setItalic(t.FontItalic);
    font.setStrikeOut(t.FontStrikethru);
    font.setUnderline(t.FontUnderline);
    return font;
}

// Takes the face, size (points) and styles of `font` into `t`.
inline void setTextLabelFont(TextLabel &t, const QFont &font) {
    t.FontBold = font.bold();
    t.FontItalic = font.italic();
    t.FontName = font.family();
    t.FontSize = font.pointSizeF();
    t.FontStrikethru = font.strikeOut();
    t.FontUnderline = font.underline();
}
