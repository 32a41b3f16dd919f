#pragma once

#include "AreaFileKind.h"
#include "ChannelFile.h"

#include <QList>
#include <QWidget>

struct ActionRecord;
class MediaPlayButtons;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QRadioButton;

// The "Sounds Effects" tab of the area properties dialog: one wave sound in a single-channel
// project, otherwise what each of the eight channels does (nothing, stop, play a sound, loop).
class AreaSoundsTab : public QWidget {
    Q_OBJECT
public:
    // The channels' "Play" buttons are added to `play`; their sounds lie in `soundFolder`.
    AreaSoundsTab(const AreaFileListMaker &fileList, MediaPlayButtons &play,
                  const QString &soundFolder, SoundMode mode, QWidget *parent);

    QLabel *heading() const { return m_heading; }              // lblSoundEffectsHeader
    QCheckBox *playSoundOption() const { return m_playSound; } // OptionPlaySound
    QComboBox *soundList() const { return m_soundList; }       // Combo3
    QWidget *channelsPanel() const;                            // FrameMultiChannel
    // Channel c (0 to 7): its sound list, its choice k (0 "No action", 1 "Stop sound",
    // 2 "Play sound") and "Loop". ChannelsCombo(c), ChannelsOption(3 * c + k), ChannelsLoop(c).
    QComboBox *channelList(int c) const { return m_lists[c]; }
    QRadioButton *channelOption(int c, int k) const { return m_options[3 * c + k]; }
    QCheckBox *loopOption(int c) const { return m_loops[c]; }
    // All eight lists, and the 24 choices channel by channel.
    QComboBox *const *channelLists() const { return m_lists; }
    QRadioButton *const *channelOptions() const { return m_options; }
    QPushButton *addSoundButton() const { return m_addSound; } // Command24

    // The channels as the sound file holds them (one record in single-channel mode).
    void load(const QList<ChannelRecord> &channels);
    QList<ChannelRecord> channels() const;
    // An older record plays one wave file of its own instead of its channels: that sound
    // becomes the first channel's, so that saving keeps it.
    void keepLegacySound(const ActionRecord &a);
    // The list, "Loop" and "Play" of a channel show only while it plays a sound.
    void refresh();

signals:
    // A choice that changes what the dialog shows.
    void changed();
    // "Add .wav sound to lists..." chose `path`; `list` is the playing channel without a sound
    // (null when there is none).
    void soundFileChosen(const QString &path, QComboBox *list);

private:
    MediaPlayButtons &m_play;
    SoundMode m_mode;
    QLabel *m_heading;
    QCheckBox *m_playSound;
    QFrame *m_soundPanel, *m_channelsPanel; // FramePlaySound, FrameMultiChannel
    QComboBox *m_soundList, *m_lists[8];
    QRadioButton *m_options[24];
    QCheckBox *m_loops[8];
    QPushButton *m_addSound;
};
