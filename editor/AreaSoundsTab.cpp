#include "AreaSoundsTab.h"

#include "ActionRecord.h"
#include "DialogControls.h"
#include "MediaPlayButtons.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

using DialogControls::chosen;
using DialogControls::note;
using DialogControls::select;

AreaSoundsTab::AreaSoundsTab(const AreaFileListMaker &fileList, MediaPlayButtons &play,
                             const QString &soundFolder, SoundMode mode, QWidget *parent)
    : QWidget(parent), m_play(play), m_mode(mode) {
    auto *t = new QVBoxLayout(this);
    m_heading = new QLabel(this); // the dialog words it for an area or an item
    t->addWidget(m_heading);
    m_playSound = DialogControls::check(QStringLiteral("Play WAV sound."), this);
    connect(m_playSound, &QCheckBox::clicked, this, &AreaSoundsTab::changed);
    t->addWidget(m_playSound);
    m_soundPanel = DialogControls::panel(this);
    m_soundList = fileList(AreaFileKind::Sound, m_soundPanel, QStringLiteral("Sounds (*.wav)"),
                           QStringLiteral("WAV sound"));
    DialogControls::boxOf(m_soundPanel)
        ->addWidget(note(QStringLiteral("Select the sound you want to play. If the sound is not "
                                        "in the list, click 'Browse...'."),
                         m_soundPanel));
    t->addWidget(m_soundPanel);
    m_channelsPanel = new QFrame(this);
    auto *grid = new QGridLayout(m_channelsPanel);
    const char *const heads[] = {"No action", "Stop sound", "Play sound"};
    for (int k = 0; k < 3; ++k)
        grid->addWidget(new QLabel(QString::fromLatin1(heads[k]), m_channelsPanel), 0, 1 + k);
    DialogControls::addChannelRows(grid, 1, false, m_channelsPanel, m_options, m_lists, m_loops);
    for (QRadioButton *r : m_options)
        connect(r, &QRadioButton::clicked, this, &AreaSoundsTab::refresh);
    for (int c = 0; c < 8; ++c)
        grid->addWidget(
            m_play.add(MediaPreview::Kind::Sound, m_lists[c], soundFolder, m_channelsPanel), c + 1,
            6);
    m_addSound = DialogControls::browseButton(
        QStringLiteral("Add .wav sound to lists..."), m_channelsPanel,
        QStringLiteral("Sounds (*.wav)"), [this](const QString &file) {
            emit soundFileChosen(file, DialogControls::channelAwaitingSound(m_options, m_lists));
        });
    grid->addWidget(m_addSound, 9, 4, 1, 3);
    t->addWidget(m_channelsPanel);
    t->addWidget(note(QStringLiteral("To enable multi-channel sound effects and \"loop\" option, "
                                     "go to the Project Properties and change the 'audio' "
                                     "settings."),
                      this));
    t->addWidget(note(QStringLiteral("Warning: the multi-channel audio mode may reduce the "
                                     "quality of sounds and increase latency."),
                      this));
    t->addStretch();
    const bool single = m_mode == SoundMode::SingleChannel;
    m_channelsPanel->setVisible(!single);
    m_playSound->setVisible(single);
}

QWidget *AreaSoundsTab::channelsPanel() const {
    return m_channelsPanel;
}

void AreaSoundsTab::load(const QList<ChannelRecord> &channels) {
    if (m_mode == SoundMode::SingleChannel) {
        const ChannelRecord r = channels.value(0);
        m_playSound->setChecked(r.PlaySound);
        select(m_soundList, r.SoundFile);
        return;
    }
    for (int c = 0; c < 8; ++c) {
        const ChannelRecord r = channels.value(c);
        m_options[3 * c + (r.PlaySound ? 2 : r.StopSound ? 1 : 0)]->setChecked(true);
        select(m_lists[c], r.SoundFile);
        m_loops[c]->setChecked(r.Loop != 0);
    }
}

QList<ChannelRecord> AreaSoundsTab::channels() const {
    QList<ChannelRecord> out;
    if (m_mode == SoundMode::SingleChannel) {
        ChannelRecord r;
        r.PlaySound = m_playSound->isChecked();
        r.NoAction = !r.PlaySound;
        r.SoundFile = chosen(r.PlaySound, m_soundList);
        out.append(r);
        return out;
    }
    for (int c = 0; c < 8; ++c) {
        ChannelRecord r;
        r.NoAction = m_options[3 * c]->isChecked();
        r.StopSound = m_options[3 * c + 1]->isChecked();
        r.PlaySound = m_options[3 * c + 2]->isChecked();
        r.SoundFile = chosen(r.PlaySound, m_lists[c]);
        r.Loop = r.PlaySound && m_loops[c]->isChecked() ? 1 : 0;
        out.append(r);
    }
    return out;
}

void AreaSoundsTab::keepLegacySound(const ActionRecord &a) {
    if (!a.LegacyPlaySound || a.LegacySoundFile.isEmpty())
        return;
    if (m_mode == SoundMode::SingleChannel) {
        m_playSound->setChecked(true);
        select(m_soundList, a.LegacySoundFile);
    } else {
        m_options[2]->setChecked(true);
        select(m_lists[0], a.LegacySoundFile);
        m_loops[0]->setChecked(false);
    }
}

void AreaSoundsTab::refresh() {
    m_soundPanel->setVisible(m_mode == SoundMode::SingleChannel && m_playSound->isChecked());
    DialogControls::showPlayingChannels(m_options, m_lists, m_loops,
                                        [this](QComboBox *list) { return m_play.button(list); });
}
