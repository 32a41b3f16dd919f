#include "frmFrameProperties.h"

#include "DataFiles.h"
#include "DialogControls.h"
#include "EditorMessages.h"
#include "FrameFiles.h"
#include "MediaPreview.h"
#include "PictureLoader.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <utility>

using DialogControls::check;
using DialogControls::note;
using DialogControls::refill;
using DialogControls::select;

namespace {

const QString kLastVisited = QStringLiteral("[Last visited frame]");

QFrame *panel(QWidget *parent) {
    auto *f = new QFrame(parent);
    f->setFrameShape(QFrame::NoFrame);
    return f;
}

// A number as the dialog reads it: "." is the decimal point; anything else reads as 0.
double number(const QString &text) {
    bool ok = false;
    const double v = QLocale::c().toDouble(text.trimmed(), &ok);
    return ok ? v : 0;
}

QColor qColour(qint32 c) {
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

} // namespace

QComboBox *frmFrameProperties::fileList(Kind kind, QFrame *owner, QLayout *layout,
                                        const QString &filter) {
    auto *row = new QHBoxLayout;
    auto *list = new QComboBox(owner);
    list->setEditable(true);
    list->setMinimumWidth(180);
    QPushButton *browse = DialogControls::browseButton(
        QStringLiteral("Browse..."), owner, filter,
        [this, kind, list](const QString &file) { addFile(kind, file, list); });
    auto *remove = new QPushButton(QStringLiteral("Remove"), owner);
    row->addWidget(list, 1);
    if (kind != Kind::Picture)
        row->addWidget(addPlayButton(kind, list, owner));
    row->addWidget(browse);
    row->addWidget(remove);
    static_cast<QBoxLayout *>(layout)->addLayout(row);
    connect(remove, &QPushButton::clicked, this, [this, kind, list] { removeFile(kind, list); });
    return list;
}

QPushButton *frmFrameProperties::addPlayButton(Kind kind, QComboBox *list, QWidget *owner) {
    auto *play = new QPushButton(QStringLiteral("Play"), owner);
    play->setEnabled(false); // until there is a media layer to play through
    m_play.insert(list, play);
    m_playKind.insert(list, kind);
    connect(play, &QPushButton::clicked, this, [this, list] { playFile(list); });
    return play;
}

frmFrameProperties::frmFrameProperties(const EditorProject &project, QWidget *parent)
    : QDialog(parent), m_project(project),
      m_mode(project.general.SingleChannelAudio ? SoundMode::SingleChannel
                                                : SoundMode::MultiChannel) {
    setWindowTitle(QStringLiteral("Frame properties"));
    auto *layout = new QVBoxLayout(this);
    SSTab1 = new QTabWidget(this);
    SSTab1->setAccessibleName(QStringLiteral("Frame properties"));
    layout->addWidget(SSTab1);
    const QString pictures = DialogControls::pictureFilter();

    // General
    auto *general = new QWidget(SSTab1);
    auto *g = new QVBoxLayout(general);
    auto *names = new QFormLayout;
    txtName = new QLineEdit(general);
    txtName->setReadOnly(true);
    txtPath = new QLineEdit(general);
    txtPath->setReadOnly(true);
    names->addRow(QStringLiteral("Frame name :"), txtName);
    names->addRow(QStringLiteral("Frame location :"), txtPath);
    txtName->setAccessibleName(QStringLiteral("Frame name"));
    txtPath->setAccessibleName(QStringLiteral("Frame location"));
    g->addLayout(names);
    g->addWidget(new QLabel(QStringLiteral("Background :"), general));
    auto *kinds = new QHBoxLayout;
    auto *kindGroup = new QButtonGroup(this);
    Option1[0] = new QRadioButton(QStringLiteral("Solid color"), general);
    Option1[1] = new QRadioButton(QStringLiteral("Picture"), general);
    for (QRadioButton *r : Option1) {
        kindGroup->addButton(r);
        kinds->addWidget(r);
        connect(r, &QRadioButton::clicked, this, &frmFrameProperties::RefreshEnabled);
    }
    g->addLayout(kinds);
    FrameSolidColor = panel(general);
    auto *solid = new QHBoxLayout(FrameSolidColor);
    Color = new QLabel(FrameSolidColor);
    Color->setFixedSize(48, 24);
    Color->setAutoFillBackground(true);
    Color->setAccessibleName(QStringLiteral("Background colour"));
    Command1 = new QPushButton(QStringLiteral("Change..."), FrameSolidColor);
    solid->addWidget(Color);
    solid->addWidget(Command1);
    solid->addStretch();
    connect(Command1, &QPushButton::clicked, this, [this] {
        const QColor c = QColorDialog::getColor(qColour(m_colour), this);
        if (c.isValid())
            setColour(c.red() | (c.green() << 8) | (c.blue() << 16));
    });
    g->addWidget(FrameSolidColor);
    FramePicture = panel(general);
    auto *pic = new QVBoxLayout(FramePicture);
    Combo1 = fileList(Kind::Picture, FramePicture, pic, pictures);
    Combo1->setAccessibleName(QStringLiteral("Picture"));
    CheckTILED = check(QStringLiteral("Tiled"), FramePicture);
    pic->addWidget(CheckTILED);
    Image1 = new QLabel(FramePicture);
    Image1->setFixedSize(160, 120);
    Image1->setAccessibleName(QStringLiteral("Picture preview"));
    pic->addWidget(Image1);
    connect(Combo1, &QComboBox::currentTextChanged, this, &frmFrameProperties::showPicture);
    g->addWidget(FramePicture);
    g->addStretch();
    SSTab1->addTab(general, QStringLiteral("General"));

    // Action
    auto *action = new QWidget(SSTab1);
    auto *a = new QVBoxLayout(action);
    CheckTIMER = check(
        QStringLiteral("Automatically go to another frame after a time has elapsed."), action);
    a->addWidget(CheckTIMER);
    FrameTimer = panel(action);
    auto *timer = new QVBoxLayout(FrameTimer);
    auto *secondsLabel =
        new QLabel(QStringLiteral("1. Enter the number of seconds:     (e.g: 0.5)"), FrameTimer);
    txtSeconds = new QLineEdit(FrameTimer);
    txtSeconds->setAccessibleName(QStringLiteral("Number of seconds"));
    secondsLabel->setBuddy(txtSeconds);
    auto *targetLabel = new QLabel(
        QStringLiteral("2. Select the frame you want to appear after this one:"), FrameTimer);
    Combo3 = new QComboBox(FrameTimer);
    Combo3->setEditable(true);
    Combo3->setAccessibleName(QStringLiteral("Frame to appear after this one"));
    targetLabel->setBuddy(Combo3);
    timer->addWidget(secondsLabel);
    timer->addWidget(txtSeconds);
    timer->addWidget(targetLabel);
    timer->addWidget(Combo3);
    a->addWidget(FrameTimer);
    CheckVideo = check(QStringLiteral("Play a video."), action);
    a->addWidget(CheckVideo);
    FrameVideo = panel(action);
    auto *video = new QVBoxLayout(FrameVideo);
    Combo4 = fileList(Kind::Video, FrameVideo, video, QStringLiteral("Video files (*.avi)"));
    Combo4->setAccessibleName(QStringLiteral("Video"));
    m_videoSurface = DialogControls::videoSurface(FrameVideo);
    video->addWidget(m_videoSurface);
    auto *placing = new QHBoxLayout;
    auto *videoGroup = new QButtonGroup(this);
    OptionVideo[0] = new QRadioButton(QStringLiteral("Full-screen"), FrameVideo);
    OptionVideo[1] = new QRadioButton(QStringLiteral("Coordinates"), FrameVideo);
    for (QRadioButton *r : OptionVideo) {
        videoGroup->addButton(r);
        placing->addWidget(r);
        connect(r, &QRadioButton::clicked, this, &frmFrameProperties::RefreshEnabled);
    }
    video->addLayout(placing);
    FrameVideoPosition = panel(FrameVideo);
    auto *position = new QHBoxLayout(FrameVideoPosition);
    DialogControls::addVideoPosition(position, FrameVideoPosition, txtVideo);
    video->addWidget(FrameVideoPosition);
    a->addWidget(FrameVideo);
    CheckWAITVIDEO =
        check(QStringLiteral("Wait until the end of the video before playing MIDI music (if any)."),
              action);
    CheckSTOPWAV = check(
        QStringLiteral("Stop any wav sound (necessary for videos with audio track)."), action);
    a->addWidget(CheckWAITVIDEO);
    a->addWidget(CheckSTOPWAV);
    a->addWidget(note(QStringLiteral("Note: The audio track of the video will be played only if no "
                                     "other .wav sound (including Sound Effects) or .mp3 music is "
                                     "playing."),
                      action));
    a->addStretch();
    SSTab1->addTab(action, QStringLiteral("Action"));

    // Music
    auto *music = new QWidget(SSTab1);
    auto *m = new QVBoxLayout(music);
    CheckPLAYMIDI = check(QStringLiteral("Play MIDI music."), music);
    m->addWidget(CheckPLAYMIDI);
    FrameMIDI = panel(music);
    auto *midi = new QVBoxLayout(FrameMIDI);
    Combo2 = fileList(Kind::Midi, FrameMIDI, midi, QStringLiteral("MIDI files (*.mid)"));
    Combo2->setAccessibleName(QStringLiteral("MIDI music"));
    m->addWidget(FrameMIDI);
    CheckSTOPMIDI = check(QStringLiteral("Stop any playing MIDI music."), music);
    m->addWidget(CheckSTOPMIDI);
    m->addWidget(note(QStringLiteral("Note: MIDI music will play only if no other MIDI music is "
                                     "playing, or if you select \"Stop any playing MIDI music\"."),
                      music));
    CheckPLAYMP3 = check(QStringLiteral("Play MP3 music."), music);
    m->addWidget(CheckPLAYMP3);
    FrameMP3 = panel(music);
    auto *mp3 = new QVBoxLayout(FrameMP3);
    Combo6 = fileList(Kind::Mp3, FrameMP3, mp3, QStringLiteral("MPEG Audio files (*.mp3)"));
    Combo6->setAccessibleName(QStringLiteral("MP3 music"));
    m->addWidget(FrameMP3);
    CheckSTOPMP3 = check(QStringLiteral("Stop any playing MP3 music."), music);
    m->addWidget(CheckSTOPMP3);
    m->addWidget(note(QStringLiteral("Note: Playing MP3 music will stop any playing .wav sound "
                                     "(including Sound Effects) and to play .wav sounds you must "
                                     "first stop MP3 music."),
                      music));
    m->addStretch();
    SSTab1->addTab(music, QStringLiteral("Music"));
    // Checking a music or video box also stops the MIDI music already playing.
    for (QCheckBox *box : {CheckPLAYMIDI, CheckVideo}) {
        connect(box, &QCheckBox::clicked, this, [this](bool on) {
            if (on)
                CheckSTOPMIDI->setChecked(true);
            RefreshEnabled();
        });
    }
    for (QCheckBox *box : {CheckTIMER, CheckPLAYMP3})
        connect(box, &QCheckBox::clicked, this, &frmFrameProperties::RefreshEnabled);

    // Sound Effects
    auto *sounds = new QWidget(SSTab1);
    auto *s = new QVBoxLayout(sounds);
    FrameChannels = panel(sounds);
    auto *grid = new QGridLayout(FrameChannels);
    DialogControls::addChannelRows(grid, 0, true, FrameChannels, ChannelsOption, ChannelsCombo,
                                   ChannelsLoop);
    for (QRadioButton *r : ChannelsOption)
        connect(r, &QRadioButton::clicked, this, &frmFrameProperties::Channels_UpdateVisibility);
    for (int c = 0; c < 8; ++c)
        grid->addWidget(addPlayButton(Kind::Sound, ChannelsCombo[c], FrameChannels), c, 6);
    Command24 = DialogControls::browseButton(
        QStringLiteral("Add .wav sound to lists..."), FrameChannels,
        QStringLiteral("Sounds (*.wav)"), [this](const QString &file) {
            addFile(Kind::Sound, file,
                    DialogControls::channelAwaitingSound(ChannelsOption, ChannelsCombo));
        });
    grid->addWidget(Command24, 8, 4, 1, 2);
    s->addWidget(FrameChannels);
    OptionPlaySound = check(QStringLiteral("Play WAV sound."), sounds);
    connect(OptionPlaySound, &QCheckBox::clicked, this, &frmFrameProperties::RefreshEnabled);
    s->addWidget(OptionPlaySound);
    FramePlaySound = panel(sounds);
    auto *single = new QVBoxLayout(FramePlaySound);
    Combo5 = fileList(Kind::Sound, FramePlaySound, single, QStringLiteral("Sounds (*.wav)"));
    Combo5->setAccessibleName(QStringLiteral("WAV sound"));
    s->addWidget(FramePlaySound);
    s->addWidget(note(m_mode == SoundMode::SingleChannel
                          ? QStringLiteral("To enable multi-channel sound effects and \"loop\" "
                                           "option, go to the Project Properties and change the "
                                           "'audio' settings.")
                          : QString(),
                      sounds));
    s->addStretch();
    SSTab1->addTab(sounds, QStringLiteral("Sound Effects"));
    const bool single8 = m_mode == SoundMode::SingleChannel;
    FrameChannels->setVisible(!single8);
    OptionPlaySound->setVisible(single8);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &frmFrameProperties::confirm);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    for (auto i = m_play.cbegin(); i != m_play.cend(); ++i)
        i.value()->setAccessibleName(QStringLiteral("Play ") + i.key()->accessibleName());

    resize(5520 / 15, 6375 / 15);
    setColour(0);
    Option1[0]->setChecked(true);
    OptionVideo[0]->setChecked(true);
    RefreshComboBoxes();
    RefreshEnabled();
    Channels_UpdateVisibility();
}

frmFrameProperties::~frmFrameProperties() = default;

void frmFrameProperties::setMedia(MediaBackend *media) {
    m_preview.reset();
    showPlaying(nullptr);
    if (media)
        m_preview = std::make_unique<MediaPreview>(*media, this);
    if (m_preview)
        m_preview->setFinishedHandler([this] { showPlaying(nullptr); });
    for (QPushButton *play : std::as_const(m_play))
        play->setEnabled(media != nullptr);
}

bool frmFrameProperties::editFrame(const EditorProject &project, MediaBackend *media,
                                   const QString &frame, QWidget *parent) {
    if (frame.isEmpty())
        return false;
    frmFrameProperties dialog(project, parent);
    dialog.setMedia(media);
    if (!dialog.LoadFrameProperties(frame))
        return false;
    dialog.exec();
    return true;
}

void frmFrameProperties::showPlaying(QComboBox *list) {
    m_playing = list;
    for (auto i = m_play.cbegin(); i != m_play.cend(); ++i) {
        const bool playing = i.key() == list;
        i.value()->setText(playing ? QStringLiteral("Stop") : QStringLiteral("Play"));
        i.value()->setAccessibleName((playing ? QStringLiteral("Stop ") : QStringLiteral("Play ")) +
                                     i.key()->accessibleName());
    }
    m_videoSurface->setVisible(list == Combo4);
}

bool frmFrameProperties::playFile(QComboBox *list) {
    if (!m_preview || !m_play.contains(list))
        return false;
    const bool again = m_playing == list;
    m_preview->stop();
    showPlaying(nullptr);
    if (again)
        return false;
    const QString name = list->currentText().trimmed();
    if (name.isEmpty()) {
        EditorMessages::ask(this, QString(), QStringLiteral("Select the file you want to play."),
                            Status::Icon::Information);
        return false;
    }
    const Kind kind = m_playKind.value(list);
    MediaPreview::Kind what = MediaPreview::Kind::Sound;
    if (kind == Kind::Midi)
        what = MediaPreview::Kind::Midi;
    else if (kind == Kind::Mp3)
        what = MediaPreview::Kind::Mp3;
    else if (kind == Kind::Video)
        what = MediaPreview::Kind::Video;
    if (what == MediaPreview::Kind::Video)
        m_videoSurface->show();
    const quintptr window =
        what == MediaPreview::Kind::Video ? static_cast<quintptr>(m_videoSurface->winId()) : 0;
    if (!m_preview->play(what, folderOf(kind) + name, window)) {
        m_videoSurface->hide();
        return false;
    }
    showPlaying(list);
    return true;
}

void frmFrameProperties::done(int result) {
    if (m_preview)
        m_preview->stop();
    showPlaying(nullptr);
    QDialog::done(result);
}

void frmFrameProperties::setColour(qint32 colour) {
    m_colour = colour;
    QPalette p = Color->palette();
    p.setColor(QPalette::Window, qColour(colour));
    Color->setPalette(p);
}

QString frmFrameProperties::folderOf(Kind kind) const {
    return kind == Kind::Sound ? m_project.paths.AreasPath() : m_project.paths.FramesPath();
}

QStringList frmFrameProperties::extensionsOf(Kind kind) const {
    switch (kind) {
    case Kind::Picture:
        return {QStringLiteral(".bmp"), QStringLiteral(".gif"), QStringLiteral(".jpg"),
                QStringLiteral(".wmf"), QStringLiteral(".emf")};
    case Kind::Midi:
        return {QStringLiteral(".mid")};
    case Kind::Video:
        return {QStringLiteral(".avi")};
    case Kind::Mp3:
        return {QStringLiteral(".mp3")};
    case Kind::Sound:
        break;
    }
    return {QStringLiteral(".wav")};
}

void frmFrameProperties::RefreshComboBoxes() {
    auto files = [this](Kind kind) { return DataFiles::list(folderOf(kind), extensionsOf(kind)); };
    refill(Combo1, files(Kind::Picture));
    refill(Combo2, files(Kind::Midi));
    refill(Combo3, QStringList{kLastVisited} + FrameFiles(m_project.paths, m_mode).list());
    refill(Combo4, files(Kind::Video));
    refill(Combo5, files(Kind::Sound));
    refill(Combo6, files(Kind::Mp3));
    const QStringList waves = files(Kind::Sound);
    for (QComboBox *c : ChannelsCombo)
        refill(c, waves);
    showPicture();
}

void frmFrameProperties::RefreshEnabled() {
    FrameMIDI->setVisible(CheckPLAYMIDI->isChecked());
    FrameMP3->setVisible(CheckPLAYMP3->isChecked());
    FrameTimer->setVisible(CheckTIMER->isChecked());
    FrameVideo->setVisible(CheckVideo->isChecked());
    FramePicture->setVisible(Option1[1]->isChecked());
    FrameSolidColor->setVisible(Option1[0]->isChecked());
    FrameVideoPosition->setVisible(OptionVideo[1]->isChecked());
    FramePlaySound->setVisible(m_mode == SoundMode::SingleChannel && OptionPlaySound->isChecked());
}

void frmFrameProperties::Channels_UpdateVisibility() {
    DialogControls::showPlayingChannels(ChannelsOption, ChannelsCombo, ChannelsLoop,
                                        [this](QComboBox *list) { return m_play.value(list); });
}

void frmFrameProperties::SetTab(int n) {
    SSTab1->setCurrentIndex(n);
}

void frmFrameProperties::showPicture() {
    const QString name = Combo1->currentText();
    const QImage image =
        name.isEmpty() ? QImage() : PictureLoader::load(m_project.paths.FramesPath() + name);
    Image1->setPixmap(image.isNull()
                          ? QPixmap()
                          : QPixmap::fromImage(image.scaled(Image1->size(), Qt::KeepAspectRatio,
                                                            Qt::SmoothTransformation)));
}

bool frmFrameProperties::LoadFrameProperties(const QString &frame) {
    m_frame = frame;
    const FrameFiles files(m_project.paths, m_mode);
    txtName->setText(frame);
    txtPath->setText(m_project.paths.FramesPath() + frame + QStringLiteral(".fme"));
    FrameProperties p;
    if (!files.readProperties(frame, p)) {
        EditorMessages::ask(this, QString(), QStringLiteral("Unable to load frame properties."),
                            Status::Icon::Exclamation);
        return false;
    }
    Option1[p.BackgroundKind == 0 ? 0 : 1]->setChecked(true);
    if (p.BackgroundKind == 0)
        setColour(p.backgroundColor());
    else
        select(Combo1, p.Background);
    CheckTILED->setChecked(p.Tiled);
    CheckSTOPMIDI->setChecked(p.StopMidi);
    CheckPLAYMIDI->setChecked(!p.MidiFile.isEmpty());
    select(Combo2, p.MidiFile);
    CheckTIMER->setChecked(p.TimerEnabled);
    txtSeconds->setText(p.TimerSeconds);
    select(Combo3, p.TimerFrame);
    CheckVideo->setChecked(!p.VideoFile.isEmpty());
    select(Combo4, p.VideoFile);
    CheckWAITVIDEO->setChecked(p.WaitVideo);
    CheckSTOPWAV->setChecked(p.StopWav);
    CheckSTOPMP3->setChecked(p.StopMp3);
    CheckPLAYMP3->setChecked(!p.Mp3File.isEmpty());
    select(Combo6, p.Mp3File);
    OptionVideo[p.VideoAtPosition ? 1 : 0]->setChecked(true);
    const double position[] = {p.VideoLeft, p.VideoTop, p.VideoWidth, p.VideoHeight};
    for (int i = 0; i < 4; ++i)
        txtVideo[i]->setText(QString::number(position[i]));

    ChannelFile channels;
    if (QFileInfo::exists(files.chnPath(frame))) {
        if (!files.readChannels(frame, channels)) {
            EditorMessages::ask(this, QString(),
                                QStringLiteral("Unable to load sound channels information."),
                                Status::Icon::Exclamation);
        } else if (m_mode == SoundMode::SingleChannel) {
            const ChannelRecord r = channels.Channels.value(0);
            OptionPlaySound->setChecked(r.PlaySound);
            select(Combo5, r.SoundFile);
        } else {
            for (int c = 0; c < 8 && c < channels.Channels.size(); ++c) {
                const ChannelRecord &r = channels.Channels[c];
                ChannelsOption[3 * c + (r.PlaySound ? 2 : r.StopSound ? 1 : 0)]->setChecked(true);
                select(ChannelsCombo[c], r.SoundFile);
                ChannelsLoop[c]->setChecked(r.Loop != 0);
            }
        }
    }
    RefreshEnabled();
    Channels_UpdateVisibility();
    return true;
}

void frmFrameProperties::fail(int tab, const QString &text) {
    SetTab(tab);
    EditorMessages::ask(this, QString(), text, Status::Icon::Information);
}

int frmFrameProperties::CheckValidity() {
    if (Option1[1]->isChecked() && Combo1->currentText().isEmpty()) {
        fail(0, QStringLiteral("Please select a valid picture."));
        return 2;
    }
    if (CheckTIMER->isChecked() && (static_cast<qint64>(number(txtSeconds->text()) * 1000) == 0 ||
                                    Combo3->currentText().isEmpty())) {
        fail(1, QStringLiteral("Please enter a valid duration and select a valid frame.\n\nNote: "
                               "For floating-point values, use \".\" instead of \",\"."));
        return 2;
    }
    if (CheckVideo->isChecked() && Combo4->currentText().isEmpty()) {
        fail(1, QStringLiteral("Please select a valid video file."));
        return 2;
    }
    if (CheckPLAYMIDI->isChecked() && Combo2->currentText().isEmpty()) {
        fail(2, QStringLiteral("Please select a valid MIDI file."));
        return 2;
    }
    if (CheckPLAYMP3->isChecked() && Combo6->currentText().isEmpty()) {
        fail(2, QStringLiteral("Please select a valid MP3 file."));
        return 2;
    }
    if (CheckVideo->isChecked() && OptionVideo[1]->isChecked()) {
        for (QLineEdit *t : txtVideo) {
            if (t->text().contains(QLatin1Char('"'))) {
                fail(1, QStringLiteral("You cannot use quotation marks: \""));
                return 2;
            }
        }
        const double left = number(txtVideo[0]->text()), top = number(txtVideo[1]->text());
        const double width = number(txtVideo[2]->text()), height = number(txtVideo[3]->text());
        if (left > m_project.general.ScreenWidth || top > m_project.general.ScreenHeight) {
            fail(1, QStringLiteral("Video coordinates are bigger than project resolution (screen "
                                   "size)."));
            return 2;
        }
        if (left < 0 || top < 0) {
            fail(1, QStringLiteral("Please enter valid video coordinates."));
            return 2;
        }
        if (width <= 0 || height <= 0) {
            fail(1, QStringLiteral("Please enter valid video width and height."));
            return 2;
        }
    }
    if (m_mode == SoundMode::MultiChannel) {
        for (int c = 0; c < 8; ++c) {
            if (ChannelsOption[3 * c + 2]->isChecked() &&
                ChannelsCombo[c]->currentText().isEmpty()) {
                fail(3, QStringLiteral("You have chosen to play a .WAV sound but you have not "
                                       "selected any valid file. If the sound you want to be "
                                       "played is not in the lists, click 'Add .wav sound to "
                                       "lists...'"));
                return 2;
            }
        }
    } else if (OptionPlaySound->isChecked() && Combo5->currentText().isEmpty()) {
        fail(3, QStringLiteral("You have chosen to play a .WAV sound but you have not selected any "
                               "valid file."));
        return 2;
    }
    return 0;
}

bool frmFrameProperties::SaveFrameProperties(const QString &frame) {
    FrameProperties p;
    p.BackgroundKind = Option1[1]->isChecked() ? 1 : 0;
    p.Background = p.BackgroundKind == 0 ? QString::number(m_colour) : Combo1->currentText();
    p.Tiled = CheckTILED->isChecked();
    p.StopMidi = CheckSTOPMIDI->isChecked();
    p.MidiFile = CheckPLAYMIDI->isChecked() ? Combo2->currentText() : QString();
    p.TimerEnabled = CheckTIMER->isChecked();
    p.TimerSeconds = txtSeconds->text();
    p.TimerFrame = Combo3->currentText();
    p.VideoFile = CheckVideo->isChecked() ? Combo4->currentText() : QString();
    p.WaitVideo = CheckWAITVIDEO->isChecked();
    p.StopWav = CheckSTOPWAV->isChecked();
    p.StopMp3 = CheckSTOPMP3->isChecked();
    p.Mp3File = CheckPLAYMP3->isChecked() ? Combo6->currentText() : QString();
    p.VideoFullScreen = OptionVideo[0]->isChecked();
    p.VideoAtPosition = OptionVideo[1]->isChecked();
    p.VideoLeft = number(txtVideo[0]->text());
    p.VideoTop = number(txtVideo[1]->text());
    p.VideoWidth = number(txtVideo[2]->text());
    p.VideoHeight = number(txtVideo[3]->text());
    QList<ChannelRecord> channels;
    if (m_mode == SoundMode::SingleChannel) {
        ChannelRecord r;
        r.PlaySound = OptionPlaySound->isChecked();
        r.NoAction = !r.PlaySound;
        r.SoundFile = r.PlaySound ? Combo5->currentText() : QString();
        channels.append(r);
    } else {
        for (int c = 0; c < 8; ++c) {
            ChannelRecord r;
            r.NoAction = ChannelsOption[3 * c]->isChecked();
            r.StopSound = ChannelsOption[3 * c + 1]->isChecked();
            r.PlaySound = ChannelsOption[3 * c + 2]->isChecked();
            r.SoundFile = r.PlaySound ? ChannelsCombo[c]->currentText() : QString();
            r.Loop = r.PlaySound && ChannelsLoop[c]->isChecked() ? 1 : 0;
            channels.append(r);
        }
    }
    const Status s = FrameFiles(m_project.paths, m_mode).saveProperties(frame, p, channels);
    EditorMessages::show(this, s);
    return s.ok();
}

void frmFrameProperties::confirm() {
    if (CheckValidity() == 2)
        return;
    SaveFrameProperties(m_frame);
    accept();
}

void frmFrameProperties::addFile(Kind kind, const QString &sourcePath, QComboBox *list) {
    DataFiles files;
    QString name;
    // A file that cannot be copied (one already there, for instance) is not reported.
    files.copyInto(folderOf(kind), sourcePath, name);
    RefreshComboBoxes();
    if (list)
        DialogControls::select(list, name);
}

void frmFrameProperties::removeFile(Kind kind, QComboBox *list) {
    const QString name = list->currentText();
    if (name.isEmpty())
        return;
    if (!DialogControls::confirmRemove(this, name))
        return;
    DataFiles files;
    if (!files.remove(folderOf(kind), name))
        EditorMessages::ask(this, QStringLiteral("Error"), files.status().text(),
                            Status::Icon::Critical);
    if (kind == Kind::Picture)
        Image1->setPixmap(QPixmap());
    RefreshComboBoxes();
    list->setCurrentIndex(-1);
    list->setEditText(QString());
}
