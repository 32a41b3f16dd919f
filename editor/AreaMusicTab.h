#pragma once

#include "AreaFileKind.h"

#include <QWidget>

struct ActionRecord;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;

// The "Music" tab of the area properties dialog: stopping and playing MIDI and MP3 music.
class AreaMusicTab : public QWidget {
    Q_OBJECT
public:
    AreaMusicTab(const AreaFileListMaker &fileList, QWidget *parent);

    QLabel *heading() const { return m_heading; }            // lblMusic
    QCheckBox *stopMidiOption() const { return m_stopMidi; } // Action(6)
    QCheckBox *stopMp3Option() const { return m_stopMp3; }   // Action(8)
    QCheckBox *playMidiOption() const { return m_playMidi; } // Action(9)
    QComboBox *midiList() const { return m_midiList; }       // Combo8
    QCheckBox *playMp3Option() const { return m_playMp3; }   // Action(2)
    QComboBox *mp3List() const { return m_mp3List; }         // Combo6

    // The music fields of the record; the rest of `a` is left as it is.
    void load(const ActionRecord &a);
    void saveInto(ActionRecord &a) const;
    void refresh();

signals:
    // A choice that changes what the dialog shows.
    void changed();

private:
    QLabel *m_heading;
    QCheckBox *m_stopMidi, *m_stopMp3, *m_playMidi, *m_playMp3;
    QFrame *m_midiPanel, *m_mp3Panel; // FrameMIDI, FrameMP3
    QComboBox *m_midiList, *m_mp3List;
};
