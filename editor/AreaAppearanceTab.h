#pragma once

#include "AreaFileKind.h"

#include <QWidget>

struct AreaLook;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QRadioButton;
class QSlider;

// The "Appearance" tab of the area properties dialog: transparent or a picture (stretched, or an
// animated GIF at a speed), and the mouse pointer shown over the area.
class AreaAppearanceTab : public QWidget {
    Q_OBJECT
public:
    AreaAppearanceTab(const AreaFileListMaker &fileList, QWidget *parent);

    QRadioButton *transparentOption() const { return m_transparent; } // AppearanceOption(0)
    QRadioButton *pictureOption() const { return m_picture; }         // AppearanceOption(1)
    QComboBox *pictureList() const { return m_pictureList; }          // Combo2
    QCheckBox *stretchOption() const { return m_stretch; }            // StretchOption
    QCheckBox *animatedGifOption() const { return m_animatedGif; }    // IsAnimatedGifOption
    QWidget *speedPanel() const;                                      // FrameSpeed
    // 1 (fast) to 100 (slow), 50 the GIF's own speed. SpeedScroll in the old layout.
    QSlider *speedSlider() const { return m_speed; }
    // The pointer's file name in the icons folder, or "DEFAULT". lblMousePointer.
    QLabel *pointerName() const { return m_pointerName; }
    QLabel *pointerPicture() const { return m_pointerPicture; }            // ImgMousePointer
    QPushButton *changePointerButton() const { return m_changePointer; }   // Command20
    QPushButton *defaultPointerButton() const { return m_defaultPointer; } // Command19

    // The look's picture and pointer, and the GIF speed (kept with the area's item).
    void load(const AreaLook &look, int gifSpeed);
    // Everything but the area's rectangle; the picture is named only when it is shown.
    void saveInto(AreaLook &look, int &gifSpeed) const;
    // Shows the picture's options while a picture is chosen.
    void refresh();
    // "Is an animated GIF" only for a name ending in ".gif" (exact lower case); an animated GIF
    // is never stretched and shows its speed.
    void refreshAnimatedGif();

signals:
    // A choice that changes what the dialog shows.
    void changed();

private:
    QRadioButton *m_transparent, *m_picture;
    QFrame *m_picturePanel, *m_speedPanel;
    QComboBox *m_pictureList;
    QCheckBox *m_stretch, *m_animatedGif;
    QSlider *m_speed;
    QLabel *m_speedText, *m_pointerName, *m_pointerPicture;
    QPushButton *m_changePointer, *m_defaultPointer;
};
