#include "AreaMusicTab.h"

#include "ActionRecord.h"
#include "DialogControls.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>

using DialogControls::chosen;
using DialogControls::note;

AreaMusicTab::AreaMusicTab(const AreaFileListMaker &fileList, QWidget *parent) : QWidget(parent) {
    auto *t = new QVBoxLayout(this);
    m_heading = new QLabel(this); // the dialog words it for an area or an item
    t->addWidget(m_heading);
    auto action = [this, t](const char *caption) {
        QCheckBox *c = DialogControls::check(QString::fromLatin1(caption), this);
        t->addWidget(c);
        connect(c, &QCheckBox::clicked, this, &AreaMusicTab::changed);
        return c;
    };
    m_stopMidi = action("Stop any playing MIDI music.");
    m_stopMp3 = action("Stop any playing MP3 music.");
    m_playMidi = action("Play MIDI music.");
    m_midiPanel = DialogControls::panel(this);
    m_midiList = fileList(AreaFileKind::Midi, m_midiPanel, QStringLiteral("MIDI files (*.mid)"),
                          QStringLiteral("MIDI music"));
    t->addWidget(m_midiPanel);
    m_playMp3 = action("Play MP3 music.");
    m_mp3Panel = DialogControls::panel(this);
    m_mp3List = fileList(AreaFileKind::Mp3, m_mp3Panel, QStringLiteral("MPEG Audio files (*.mp3)"),
                         QStringLiteral("MP3 music"));
    t->addWidget(m_mp3Panel);
    t->addWidget(note(QStringLiteral("Note: MIDI music will play only if no other MIDI music is "
                                     "playing, or if you select \"Stop any playing MIDI "
                                     "music\"."),
                      this));
    t->addWidget(note(QStringLiteral("Note: Playing MP3 music will stop any playing .wav sound "
                                     "(including Sound Effects) and to play .wav sounds you must "
                                     "first stop MP3 music."),
                      this));
    t->addStretch();
}

void AreaMusicTab::load(const ActionRecord &a) {
    m_stopMidi->setChecked(a.StopMidi != 0);
    m_stopMp3->setChecked(a.StopMp3 != 0);
    m_playMidi->setChecked(a.PlayMidi != 0);
    DialogControls::select(m_midiList, a.MidiFile);
    m_playMp3->setChecked(a.PlayMp3 != 0);
    DialogControls::select(m_mp3List, a.Mp3File);
}

void AreaMusicTab::saveInto(ActionRecord &a) const {
    a.StopMidi = m_stopMidi->isChecked() ? 1 : 0;
    a.StopMp3 = m_stopMp3->isChecked() ? 1 : 0;
    a.PlayMidi = m_playMidi->isChecked() ? 1 : 0;
    a.MidiFile = chosen(a.PlayMidi, m_midiList);
    a.PlayMp3 = m_playMp3->isChecked() ? 1 : 0;
    a.Mp3File = chosen(a.PlayMp3, m_mp3List);
}

void AreaMusicTab::refresh() {
    m_midiPanel->setVisible(m_playMidi->isChecked());
    m_mp3Panel->setVisible(m_playMp3->isChecked());
}
