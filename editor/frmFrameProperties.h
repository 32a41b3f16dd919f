#pragma once

#include "ChannelFile.h"
#include "ProjectLifecycle.h"

#include <QDialog>
#include <QHash>

#include <memory>

class MediaBackend;
class MediaPreview;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

// "Frame properties": the background, timer, video, music and sound effects of one frame, on
// four tabs. OK checks the entries and writes the frame file and its sound channels through
// the store; Cancel writes nothing.
class frmFrameProperties : public QDialog {
    Q_OBJECT
public:
    explicit frmFrameProperties(const EditorProject &project, QWidget *parent = nullptr);
    ~frmFrameProperties() override;

    // The media layer the "Play" buttons play through (they stay disabled without one); it
    // must outlive the dialog.
    void setMedia(MediaBackend *media);
    // Shows the dialog for `frame` (media may be null) until it closes. False, without showing
    // it, for an empty name or properties that cannot be read (the message is shown).
    static bool editFrame(const EditorProject &project, MediaBackend *media, const QString &frame,
                          QWidget *parent);

    // The kinds of file the lists offer.
    enum class Kind { Picture, Midi, Video, Mp3, Sound };

    bool LoadFrameProperties(const QString &frame);
    void SetTab(int n);
    void RefreshComboBoxes();
    void RefreshEnabled();
    void Channels_UpdateVisibility();
    // 2 when an entry is not valid (its tab is shown and its message given), else 0.
    int CheckValidity();
    bool SaveFrameProperties(const QString &frame);
    // "OK": the checks, then the save; the dialog closes when both pass.
    void confirm();
    // "Browse..." once a file is chosen: copied into the project, the lists refreshed, `list`
    // showing it (for "Add .wav sound to lists...", the first playing channel without a sound).
    void addFile(Kind kind, const QString &sourcePath, QComboBox *list);
    // "Remove" beside `list`: asks, then deletes the file from the project.
    void removeFile(Kind kind, QComboBox *list);
    // "Play" beside a sound, music or video list: plays its file through the player's media
    // layer, or stops it when it is the one playing (the button then reads "Stop"). True
    // while something plays.
    bool playFile(QComboBox *list);
    // The "Play" button beside `list` (null for a list without one).
    QPushButton *playButton(QComboBox *list) const { return m_play.value(list); }
    // Where videos play.
    QWidget *videoSurface() const { return m_videoSurface; }

    void done(int result) override;

    // The controls, by their names.
    QTabWidget *SSTab1;
    QLineEdit *txtName, *txtPath;
    QRadioButton *Option1[2];
    QFrame *FrameSolidColor, *FramePicture, *FrameTimer, *FrameVideo, *FrameVideoPosition,
        *FrameMIDI, *FrameMP3, *FramePlaySound, *FrameChannels;
    QLabel *Color, *Image1;
    QPushButton *Command1;
    QComboBox *Combo1, *Combo2, *Combo3, *Combo4, *Combo5, *Combo6;
    QCheckBox *CheckTILED, *CheckTIMER, *CheckVideo, *CheckWAITVIDEO, *CheckSTOPWAV, *CheckPLAYMIDI,
        *CheckSTOPMIDI, *CheckPLAYMP3, *CheckSTOPMP3, *OptionPlaySound;
    QLineEdit *txtSeconds, *txtVideo[4];
    QRadioButton *OptionVideo[2];
    QRadioButton *ChannelsOption[24];
    QComboBox *ChannelsCombo[8];
    QCheckBox *ChannelsLoop[8];
    QPushButton *Command24;
    qint32 colour() const { return m_colour; }
    void setColour(qint32 colour);

private:
    QString folderOf(Kind kind) const;
    QStringList extensionsOf(Kind kind) const;
    QComboBox *fileList(Kind kind, QFrame *panel, QLayout *layout, const QString &filter);
    void showPicture();
    void fail(int tab, const QString &text);
    QPushButton *addPlayButton(Kind kind, QComboBox *list, QWidget *owner);
    void showPlaying(QComboBox *list);

    EditorProject m_project;
    SoundMode m_mode;
    qint32 m_colour = 0;
    QString m_frame;
    QHash<QComboBox *, QPushButton *> m_play;
    QHash<QComboBox *, Kind> m_playKind;
    QWidget *m_videoSurface = nullptr;
    std::unique_ptr<MediaPreview> m_preview;
    QComboBox *m_playing = nullptr;
};
