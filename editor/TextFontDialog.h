#pragma once

#include <QDialog>
#include <QFont>

class QComboBox;
class QFontDialog;

// "Font": the font of a frame text with its effects (bold, italic, underline, strikeout) and its
// colour, chosen among the 16 basic colours.
class TextFontDialog : public QDialog {
    Q_OBJECT
public:
    // `color` (0x00BBGGRR) should be one of the basic colours; another one shows as black.
    TextFontDialog(const QFont &font, qint32 color, QWidget *parent = nullptr);

    QFont selectedFont() const;
    qint32 selectedColor() const;
    QComboBox *colorList() const { return m_color; }

    // Runs the dialog; false on Cancel (nothing changed).
    static bool choose(QFont &font, qint32 &color, QWidget *parent);

private:
    QFontDialog *m_font;
    QComboBox *m_color;
};
