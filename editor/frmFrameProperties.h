#pragma once

#include "ChannelFile.h"
#include "ProjectLifecycle.h"

#include <QDialog>

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
    // showing it.
    void addFile(Kind kind, const QString &sourcePath, QComboBox *list);
    // "Remove" beside `list`: asks, then deletes the file from the project.
    void removeFile(Kind kind, QComboBox *list);

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

    EditorProject m_project;
    SoundMode m_mode;
    qint32 m_colour = 0;
    QString m_frame;
};
