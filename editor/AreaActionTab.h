#pragma once

#include "AreaFileKind.h"

#include <QWidget>

struct ActionRecord;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The "Action" tab of the area properties dialog: going to a frame or back, a text message, hiding
// the area (or, for a dragged item, removing it), closing the program, stopping wave sounds and
// playing a video full-screen or at a place.
class AreaActionTab : public QWidget {
    Q_OBJECT
public:
    // `videoSurface` is where a video played from the list shows.
    AreaActionTab(const AreaFileListMaker &fileList, QWidget *videoSurface, QWidget *parent);

    QLabel *heading() const { return m_heading; }                     // lblAction
    QCheckBox *goToFrameOption() const { return m_goToFrame; }        // Action(0)
    QComboBox *frameList() const { return m_frameList; }              // Combo1
    QCheckBox *goBackOption() const { return m_goBack; }              // Action(10)
    QCheckBox *showTextOption() const { return m_showText; }          // Action(1)
    QLineEdit *messageText() const { return m_message; }              // TextMessage
    QRadioButton *popupWindowOption() const { return m_onPopup; }     // OptionPopupWindow(0)
    QRadioButton *backgroundOption() const { return m_onBackground; } // OptionPopupWindow(1)
    // "Hide this area", or for a dragged item "Remove the dragged item". Action(3).
    QCheckBox *hideOption() const { return m_hide; }
    QCheckBox *closeProgramOption() const { return m_closeProgram; } // Action(4)
    QCheckBox *stopWavOption() const { return m_stopWav; }           // Action(7)
    QCheckBox *playVideoOption() const { return m_playVideo; }       // Action(5)
    QComboBox *videoList() const { return m_videoList; }             // Combo5
    QRadioButton *fullScreenOption() const { return m_fullScreen; }  // OptionVideo(0)
    QRadioButton *coordinatesOption() const { return m_atPosition; } // OptionVideo(1)
    // 0 to 3: the video's left, top, width and height in pixels. txtVideo(i).
    QLineEdit *videoField(int i) const { return m_videoField[i]; }
    // The number field i begins with ("12px" reads 12), 0 when it begins with none.
    double videoValue(int i) const;
    QPushButton *resetVideoButton() const { return m_resetVideo; } // Command13

    // Texts for an area (false) or for an item dragged onto it (true).
    void setItemMode(bool item);
    // The fields of the record this tab shows; the rest of `a` is left as it is.
    void load(const ActionRecord &a);
    void saveInto(ActionRecord &a) const;
    // Shows what each ticked option needs; "Go back" rules out "Go to another frame".
    void refresh();

signals:
    // A choice that changes what the dialog shows.
    void changed();

private:
    QLabel *m_heading;
    QCheckBox *m_goToFrame, *m_goBack, *m_showText, *m_hide, *m_closeProgram, *m_stopWav,
        *m_playVideo;
    QComboBox *m_frameList, *m_videoList;
    QFrame *m_messagePanel, *m_videoPanel, *m_positionPanel;
    QLineEdit *m_message, *m_videoField[4];
    QRadioButton *m_onPopup, *m_onBackground, *m_fullScreen, *m_atPosition;
    QPushButton *m_resetVideo;
};
