// The area properties dialog: its controls, the modes, what is shown when, and the file lists.
// Loading, checking and saving are in AreaPropertiesFiles.cpp; the pointer and variable panels
// in AreaPropertiesPanels.cpp.

#include "frmAreaProperties.h"

#include "DataFiles.h"
#include "DialogControls.h"
#include "EditorItems.h"
#include "EditorMessages.h"
#include "FrameFiles.h"
#include "Items.h"
#include "MediaPlayButtons.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

using DialogControls::button;
using DialogControls::check;
using DialogControls::note;
using DialogControls::option;
using DialogControls::refill;

namespace {

const QString kAreaHeading = QStringLiteral("What to do on area click:");
const QString kItemHeading = QStringLiteral("What to do when the item is dragged onto this area:");

QFrame *panel(QWidget *parent) {
    auto *f = new QFrame(parent);
    f->setFrameShape(QFrame::NoFrame);
    new QVBoxLayout(f);
    f->layout()->setContentsMargins(16, 0, 0, 0);
    return f;
}

QBoxLayout *box(QWidget *w) {
    return static_cast<QBoxLayout *>(w->layout());
}

MediaPreview::Kind previewKind(frmAreaProperties::Kind kind) {
    switch (kind) {
    case frmAreaProperties::Kind::Video:
        return MediaPreview::Kind::Video;
    case frmAreaProperties::Kind::Mp3:
        return MediaPreview::Kind::Mp3;
    case frmAreaProperties::Kind::Midi:
        return MediaPreview::Kind::Midi;
    default:
        break;
    }
    return MediaPreview::Kind::Sound;
}

} // namespace

frmAreaProperties::frmAreaProperties(FrameEditState &state, FrameCanvas *canvas,
                                     MediaBackend &media, QWidget *parent)
    : QDialog(parent), m_state(state), m_canvas(canvas),
      m_project(state.project ? *state.project : EditorProject()),
      m_mode(m_project.general.SingleChannelAudio ? SoundMode::SingleChannel
                                                  : SoundMode::MultiChannel) {
    setWindowTitle(QStringLiteral("Area Properties"));
    setAccessibleName(QStringLiteral("Area Properties"));
    auto *layout = new QVBoxLayout(this);
    SSTab1 = new QTabWidget(this);
    SSTab1->setAccessibleName(QStringLiteral("Area Properties"));
    layout->addWidget(SSTab1);
    QWidget *video = DialogControls::videoSurface(this);
    m_play = std::make_unique<MediaPlayButtons>(media, this, video);

    buildAppearance();
    buildAction();
    box(FrameVideo)->addWidget(video);
    buildVariables();
    buildItem();
    buildMusic();
    buildSounds();
    buildPointerPanel();
    buildVariablePanel();
    layout->addWidget(FrameMousePointers);
    layout->addWidget(FrameVariables);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    Command2 = button(QStringLiteral("OK"), this);
    Command1 = button(QStringLiteral("Cancel"), this);
    Command2->setDefault(true);
    buttons->addWidget(Command2);
    buttons->addWidget(Command1);
    layout->addLayout(buttons);
    connect(Command2, &QPushButton::clicked, this, &frmAreaProperties::confirm);
    connect(Command1, &QPushButton::clicked, this, &frmAreaProperties::cancel);

    resize(5520 / 15, 6375 / 15);
    // Where the canvas lies: over the window that opened it.
    if (parent)
        move(parent->window()->geometry().topLeft());
    FrameMousePointers->hide();
    FrameVariables->hide();

    // Opening: the area being edited must be known.
    if (areaNumber() == 0)
        EditorMessages::ask(this, QStringLiteral("Error"),
                            QStringLiteral("Unable to load Area properties. Quillmoor may be "
                                           "unable to create and save the clickable area."),
                            Status::Icon::Critical);
    RefreshIconsList();
    RefreshComboBoxes();
    LoadVariablesList();
    setVideoDefaults();
    const bool single = m_mode == SoundMode::SingleChannel;
    FrameMultiChannel->setVisible(!single);
    OptionPlaySound->setVisible(single);
    if (!single)
        OptionPlaySound->setChecked(false);
    SetType(0);
    RefreshEnabled();
    QTimer::singleShot(0, Command2, [this] { Command2->setFocus(); });
}

frmAreaProperties::~frmAreaProperties() = default;

int frmAreaProperties::areaNumber() const {
    return m_state.CurrentAreaNumber.toInt();
}

QComboBox *frmAreaProperties::fileList(Kind kind, QWidget *owner, const QString &filter,
                                       const QString &name) {
    auto *row = new QHBoxLayout;
    auto *list = new QComboBox(owner);
    list->setEditable(true);
    list->setMinimumWidth(150);
    list->setAccessibleName(name);
    m_kind.insert(list, kind);
    row->addWidget(list, 1);
    if (kind != Kind::Picture)
        row->addWidget(m_play->add(previewKind(kind), list, folderOf(kind), owner));
    auto *browse = button(QStringLiteral("Browse..."), owner, QStringLiteral("Browse ") + name);
    auto *remove = button(QStringLiteral("Remove"), owner, QStringLiteral("Remove ") + name);
    row->addWidget(browse);
    row->addWidget(remove);
    box(owner)->addLayout(row);
    connect(browse, &QPushButton::clicked, this, [this, kind, list, filter] {
        if (folderOf(kind).isEmpty()) {
            EditorMessages::ask(this, QStringLiteral("Error"), QStringLiteral("Wrong path"),
                                Status::Icon::Information);
            return;
        }
        const QString file = EditorMessages::chooseFile(this, filter);
        if (!file.isEmpty())
            addFile(kind, file, list);
    });
    connect(remove, &QPushButton::clicked, this, [this, kind, list] { removeFile(kind, list); });
    return list;
}

void frmAreaProperties::buildAppearance() {
    auto *tab = new QWidget(SSTab1);
    auto *t = new QVBoxLayout(tab);
    t->addWidget(new QLabel(QStringLiteral("How should the selected area look like?"), tab));
    auto *group = new QButtonGroup(this);
    AppearanceOption[0] = option(QStringLiteral("Transparent"), tab);
    AppearanceOption[1] = option(QStringLiteral("Picture"), tab);
    auto *row = new QHBoxLayout;
    for (QRadioButton *r : AppearanceOption) {
        group->addButton(r);
        row->addWidget(r);
        connect(r, &QRadioButton::clicked, this, &frmAreaProperties::RefreshEnabled);
    }
    t->addLayout(row);
    AppearanceOption[0]->setChecked(true);
    Frame7 = panel(tab);
    Combo2 =
        fileList(Kind::Picture, Frame7, DialogControls::pictureFilter(), QStringLiteral("Picture"));
    connect(Combo2, &QComboBox::currentTextChanged, this, &frmAreaProperties::RefreshEnabled);
    StretchOption = check(QStringLiteral("Resize to fit selected area."), Frame7);
    IsAnimatedGifOption = check(QStringLiteral("Is an animated GIF"), Frame7);
    connect(IsAnimatedGifOption, &QCheckBox::clicked, this, &frmAreaProperties::RefreshEnabled);
    box(Frame7)->addWidget(StretchOption);
    box(Frame7)->addWidget(IsAnimatedGifOption);
    box(Frame7)->addWidget(note(QStringLiteral("The drop-down list contains all the pictures that "
                                               "are in the project folder. To import a picture "
                                               "from another directory, click 'Browse...'."),
                                Frame7));
    t->addWidget(Frame7);
    FrameSpeed = panel(tab);
    auto *speed = new QHBoxLayout;
    SpeedScroll = new QSlider(Qt::Horizontal, FrameSpeed);
    SpeedScroll->setRange(1, 100);
    SpeedScroll->setValue(50);
    SpeedScroll->setAccessibleName(QStringLiteral("Animation speed"));
    SpeedText = new QLabel(QStringLiteral("50"), FrameSpeed);
    speed->addWidget(new QLabel(QStringLiteral("Fast"), FrameSpeed));
    speed->addWidget(SpeedScroll, 1);
    speed->addWidget(new QLabel(QStringLiteral("Slow"), FrameSpeed));
    speed->addWidget(SpeedText);
    box(FrameSpeed)->addLayout(speed);
    connect(SpeedScroll, &QSlider::valueChanged, this,
            [this](int v) { SpeedText->setText(QString::number(v)); });
    t->addWidget(FrameSpeed);
    t->addWidget(new QLabel(QStringLiteral("How should the mouse pointer look like?"), tab));
    auto *pointer = new QHBoxLayout;
    ImgMousePointer = new QLabel(tab);
    ImgMousePointer->setFixedSize(32, 32);
    ImgMousePointer->setAccessibleName(QStringLiteral("Mouse pointer picture"));
    lblMousePointer = new QLabel(QStringLiteral("DEFAULT"), tab);
    lblMousePointer->setAccessibleName(QStringLiteral("Mouse pointer"));
    Command20 = button(QStringLiteral("Change..."), tab, QStringLiteral("Change mouse pointer..."));
    Command19 = button(QStringLiteral("DEFAULT"), tab, QStringLiteral("Default mouse pointer"));
    pointer->addWidget(ImgMousePointer);
    pointer->addWidget(lblMousePointer, 1);
    pointer->addWidget(Command20);
    pointer->addWidget(Command19);
    t->addLayout(pointer);
    connect(Command20, &QPushButton::clicked, this, &frmAreaProperties::showPointerPanel);
    connect(Command19, &QPushButton::clicked, this, [this] {
        lblMousePointer->setText(QStringLiteral("DEFAULT"));
        OpenMousePointer();
    });
    t->addStretch();
    SSTab1->addTab(tab, QStringLiteral("Appearance"));
}

void frmAreaProperties::buildAction() {
    auto *tab = new QWidget(SSTab1);
    auto *t = new QVBoxLayout(tab);
    lblAction = new QLabel(kAreaHeading, tab);
    t->addWidget(lblAction);
    auto action = [this, tab, t](int i, const char *caption) {
        Action[i] = check(QString::fromLatin1(caption), tab);
        t->addWidget(Action[i]);
        connect(Action[i], &QCheckBox::clicked, this, &frmAreaProperties::RefreshEnabled);
    };
    action(0, "Go to another frame.");
    Combo1 = new QComboBox(tab);
    Combo1->setEditable(true);
    Combo1->setAccessibleName(QStringLiteral("Frame to go to"));
    t->addWidget(Combo1);
    action(10, "Go back to the last visited frame.");
    action(1, "Display a text message.");
    FrameMessage = panel(tab);
    TextMessage = new QLineEdit(FrameMessage);
    TextMessage->setAccessibleName(QStringLiteral("Text message"));
    box(FrameMessage)->addWidget(TextMessage);
    auto *where = new QHBoxLayout;
    auto *whereGroup = new QButtonGroup(this);
    OptionPopupWindow[0] = option(QStringLiteral("On popup window"), FrameMessage);
    OptionPopupWindow[1] = option(QStringLiteral("On background"), FrameMessage);
    for (QRadioButton *r : OptionPopupWindow) {
        whereGroup->addButton(r);
        where->addWidget(r);
    }
    OptionPopupWindow[1]->setChecked(true);
    box(FrameMessage)->addLayout(where);
    t->addWidget(FrameMessage);
    action(3, "Hide this area (permanently).");
    action(4, "Close the program (go to the main menu).");
    action(7, "Stop any wav sound (necessary for videos with audio track).");
    action(5, "Play a video.");
    FrameVideo = panel(tab);
    Combo5 = fileList(Kind::Video, FrameVideo, QStringLiteral("Video files (*.avi)"),
                      QStringLiteral("Video"));
    auto *placing = new QHBoxLayout;
    auto *videoGroup = new QButtonGroup(this);
    OptionVideo[0] = option(QStringLiteral("Full-screen"), FrameVideo);
    OptionVideo[1] = option(QStringLiteral("Coordinates"), FrameVideo);
    for (QRadioButton *r : OptionVideo) {
        videoGroup->addButton(r);
        placing->addWidget(r);
        connect(r, &QRadioButton::clicked, this, &frmAreaProperties::RefreshEnabled);
    }
    OptionVideo[0]->setChecked(true);
    box(FrameVideo)->addLayout(placing);
    FrameVideoPosition = panel(FrameVideo);
    auto *position = new QHBoxLayout;
    DialogControls::addVideoPosition(position, FrameVideoPosition, txtVideo);
    box(FrameVideoPosition)->addLayout(position);
    Command13 = button(QStringLiteral("Reset to area size"), FrameVideoPosition);
    box(FrameVideoPosition)->addWidget(Command13);
    connect(Command13, &QPushButton::clicked, this, &frmAreaProperties::setVideoDefaults);
    box(FrameVideo)->addWidget(FrameVideoPosition);
    box(FrameVideo)
        ->addWidget(note(QStringLiteral("Select the video you want to play. If the "
                                        "video is not in the list, click "
                                        "'Browse...'."),
                         FrameVideo));
    t->addWidget(FrameVideo);
    t->addStretch();
    SSTab1->addTab(tab, QStringLiteral("Action"));
}

void frmAreaProperties::buildVariables() {
    // Five lists with their buttons: the tab scrolls rather than squeeze them.
    auto *scroll = new QScrollArea(SSTab1);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto *tab = new QWidget(scroll);
    auto *t = new QVBoxLayout(tab);
    // Both options may be ticked together.
    VariablesOption[1] = check(QStringLiteral("The selected area must be visible only if..."), tab);
    VariablesOption[0] = check(QStringLiteral("Change the value of one or more variables when "
                                              "the user clicks on this area."),
                               tab);
    auto list = [this](int i, const char *caption, QWidget *owner, QGridLayout *grid, int row,
                       int column) {
        grid->addWidget(note(QString::fromLatin1(caption), owner), row, column);
        SmallList[i] = new QListWidget(owner);
        SmallList[i]->setAccessibleName(QString::fromLatin1(caption));
        SmallList[i]->setMinimumHeight(72);
        SmallList[i]->setMaximumHeight(120);
        grid->addWidget(SmallList[i], row + 1, column);
        auto *buttons = new QHBoxLayout;
        Command9[i] = button(QStringLiteral("Add..."), owner,
                             QStringLiteral("Add to ") + QString::fromLatin1(caption));
        Command10[i] = button(QStringLiteral("Remove"), owner,
                              QStringLiteral("Remove from ") + QString::fromLatin1(caption));
        buttons->addWidget(Command9[i]);
        buttons->addWidget(Command10[i]);
        grid->addLayout(buttons, row + 2, column);
        connect(Command9[i], &QPushButton::clicked, this, [this, i] { showVariablePanel(i); });
        connect(Command10[i], &QPushButton::clicked, this, [this, i] { removeFromList(i); });
    };
    for (QCheckBox *c : VariablesOption)
        connect(c, &QCheckBox::clicked, this, &frmAreaProperties::RefreshEnabled);
    t->addWidget(VariablesOption[1]);
    Frame5 = panel(tab);
    auto *visible = new QGridLayout;
    list(1, "...the value of the following variables is 1:", Frame5, visible, 0, 0);
    list(0, "...the value of the following variables is 0:", Frame5, visible, 0, 1);
    box(Frame5)->addLayout(visible);
    t->addWidget(Frame5);
    t->addWidget(VariablesOption[0]);
    Frame4 = panel(tab);
    auto *change = new QGridLayout;
    list(3, "Variables whose value must become 1:", Frame4, change, 0, 0);
    list(2, "Variables whose value must become 0:", Frame4, change, 0, 1);
    list(4, "Variables whose value must be inverted (0 if it was 1 and 1 if it was 0):", Frame4,
         change, 3, 0);
    box(Frame4)->addLayout(change);
    t->addWidget(Frame4);
    t->addStretch();
    scroll->setWidget(tab);
    scroll->setMinimumWidth(tab->minimumSizeHint().width() +
                            scroll->verticalScrollBar()->sizeHint().width());
    SSTab1->addTab(scroll, QStringLiteral("Variables"));
}

void frmAreaProperties::buildItem() {
    auto *tab = new QWidget(SSTab1);
    auto *t = new QVBoxLayout(tab);
    ObjectOption = check(
        QStringLiteral("Add an item to the inventory when the user clicks on this area."), tab);
    connect(ObjectOption, &QCheckBox::clicked, this, &frmAreaProperties::RefreshEnabled);
    t->addWidget(ObjectOption);
    Frame6 = panel(tab);
    box(Frame6)->addWidget(note(
        QStringLiteral("Select the item you want to appear in the user's inventory."), Frame6));
    auto *row = new QHBoxLayout;
    Combo7 = new QComboBox(Frame6);
    Combo7->setEditable(true);
    Combo7->setAccessibleName(QStringLiteral("Item"));
    imgItem = new QLabel(Frame6);
    imgItem->setFixedSize(32, 32);
    imgItem->setAccessibleName(QStringLiteral("Item icon"));
    auto *create = button(QStringLiteral("New..."), Frame6, QStringLiteral("New item..."));
    auto *remove = button(QStringLiteral("Remove"), Frame6, QStringLiteral("Remove item"));
    row->addWidget(Combo7, 1);
    row->addWidget(imgItem);
    row->addWidget(create);
    row->addWidget(remove);
    box(Frame6)->addLayout(row);
    connect(Combo7, &QComboBox::currentTextChanged, this, &frmAreaProperties::showItemIcon);
    connect(create, &QPushButton::clicked, this, &frmAreaProperties::newItem);
    connect(remove, &QPushButton::clicked, this, &frmAreaProperties::removeItem);
    box(Frame6)->addWidget(note(
        QStringLiteral("To choose what must happen when the user uses this item with an other "
                       "clickable area, close this window, click \"Items and Events\" and drag "
                       "and drop the item on the clickable area."),
        Frame6));
    box(Frame6)->addWidget(note(QStringLiteral("Note: If you want the area to disappear when the "
                                               "user clicks on it, select \"Hide this area\" "
                                               "under the \"Action\" tab."),
                                Frame6));
    t->addWidget(Frame6);
    t->addStretch();
    SSTab1->addTab(tab, QStringLiteral("Item"));
}

void frmAreaProperties::buildMusic() {
    auto *tab = new QWidget(SSTab1);
    auto *t = new QVBoxLayout(tab);
    lblMusic = new QLabel(kAreaHeading, tab);
    t->addWidget(lblMusic);
    auto action = [this, tab, t](int i, const char *caption) {
        Action[i] = check(QString::fromLatin1(caption), tab);
        t->addWidget(Action[i]);
        connect(Action[i], &QCheckBox::clicked, this, &frmAreaProperties::RefreshEnabled);
    };
    action(6, "Stop any playing MIDI music.");
    action(8, "Stop any playing MP3 music.");
    action(9, "Play MIDI music.");
    FrameMIDI = panel(tab);
    Combo8 = fileList(Kind::Midi, FrameMIDI, QStringLiteral("MIDI files (*.mid)"),
                      QStringLiteral("MIDI music"));
    t->addWidget(FrameMIDI);
    action(2, "Play MP3 music.");
    FrameMP3 = panel(tab);
    Combo6 = fileList(Kind::Mp3, FrameMP3, QStringLiteral("MPEG Audio files (*.mp3)"),
                      QStringLiteral("MP3 music"));
    t->addWidget(FrameMP3);
    t->addWidget(note(QStringLiteral("Note: MIDI music will play only if no other MIDI music is "
                                     "playing, or if you select \"Stop any playing MIDI "
                                     "music\"."),
                      tab));
    t->addWidget(note(QStringLiteral("Note: Playing MP3 music will stop any playing .wav sound "
                                     "(including Sound Effects) and to play .wav sounds you must "
                                     "first stop MP3 music."),
                      tab));
    t->addStretch();
    SSTab1->addTab(tab, QStringLiteral("Music"));
}

void frmAreaProperties::buildSounds() {
    auto *tab = new QWidget(SSTab1);
    auto *t = new QVBoxLayout(tab);
    lblSoundEffectsHeader = new QLabel(kAreaHeading, tab);
    t->addWidget(lblSoundEffectsHeader);
    OptionPlaySound = check(QStringLiteral("Play WAV sound."), tab);
    connect(OptionPlaySound, &QCheckBox::clicked, this, &frmAreaProperties::RefreshEnabled);
    t->addWidget(OptionPlaySound);
    FramePlaySound = panel(tab);
    Combo3 = fileList(Kind::Sound, FramePlaySound, QStringLiteral("Sounds (*.wav)"),
                      QStringLiteral("WAV sound"));
    box(FramePlaySound)
        ->addWidget(note(QStringLiteral("Select the sound you want to play. If "
                                        "the sound is not in the list, click "
                                        "'Browse...'."),
                         FramePlaySound));
    t->addWidget(FramePlaySound);
    FrameMultiChannel = new QFrame(tab);
    auto *grid = new QGridLayout(FrameMultiChannel);
    const char *const heads[] = {"No action", "Stop sound", "Play sound"};
    for (int k = 0; k < 3; ++k)
        grid->addWidget(new QLabel(QString::fromLatin1(heads[k]), FrameMultiChannel), 0, 1 + k);
    DialogControls::addChannelRows(grid, 1, false, FrameMultiChannel, ChannelsOption, ChannelsCombo,
                                   ChannelsLoop);
    for (QRadioButton *r : ChannelsOption)
        connect(r, &QRadioButton::clicked, this, &frmAreaProperties::Channels_UpdateVisibility);
    for (int c = 0; c < 8; ++c) {
        m_kind.insert(ChannelsCombo[c], Kind::Sound);
        grid->addWidget(m_play->add(MediaPreview::Kind::Sound, ChannelsCombo[c],
                                    folderOf(Kind::Sound), FrameMultiChannel),
                        c + 1, 6);
    }
    Command24 = DialogControls::browseButton(
        QStringLiteral("Add .wav sound to lists..."), FrameMultiChannel,
        QStringLiteral("Sounds (*.wav)"), [this](const QString &file) {
            addFile(Kind::Sound, file,
                    DialogControls::channelAwaitingSound(ChannelsOption, ChannelsCombo));
        });
    grid->addWidget(Command24, 9, 4, 1, 3);
    t->addWidget(FrameMultiChannel);
    t->addWidget(note(QStringLiteral("To enable multi-channel sound effects and \"loop\" option, "
                                     "go to the Project Properties and change the 'audio' "
                                     "settings."),
                      tab));
    t->addWidget(note(QStringLiteral("Warning: the multi-channel audio mode may reduce the "
                                     "quality of sounds and increase latency."),
                      tab));
    t->addStretch();
    SSTab1->addTab(tab, QStringLiteral("Sounds Effects"));
}

void frmAreaProperties::SetType(int type) {
    m_type = type == 1 ? 1 : 0;
    const bool item = m_type == 1;
    const QString heading = item ? kItemHeading : kAreaHeading;
    lblAction->setText(heading);
    lblMusic->setText(heading);
    lblSoundEffectsHeader->setText(heading);
    VariablesOption[0]->setText(
        item ? QStringLiteral("Change the value of one or more variables when the item is "
                              "dragged onto this area.")
             : QStringLiteral("Change the value of one or more variables when the user clicks "
                              "on this area."));
    VariablesOption[0]->setAccessibleName(VariablesOption[0]->text());
    Action[3]->setText(item ? QStringLiteral("Remove the dragged item from the user's inventory.")
                            : QStringLiteral("Hide this area (permanently)."));
    Action[3]->setAccessibleName(Action[3]->text());
    SSTab1->setTabEnabled(0, !item);
    SSTab1->setTabEnabled(3, !item);
    VariablesOption[1]->setVisible(!item);
    if (item) {
        VariablesOption[1]->setChecked(false);
        Frame5->hide();
    }
    SSTab1->setCurrentIndex(item ? 1 : 0);
}

void frmAreaProperties::RefreshEnabled() {
    if (Action[10]->isChecked()) {
        Action[0]->setChecked(false);
        Action[0]->setEnabled(false);
    } else {
        Action[0]->setEnabled(true);
    }
    Combo1->setVisible(Action[0]->isChecked());
    FrameMessage->setVisible(Action[1]->isChecked());
    FrameVideo->setVisible(Action[5]->isChecked());
    FrameVideoPosition->setVisible(OptionVideo[1]->isChecked());
    FrameMIDI->setVisible(Action[9]->isChecked());
    FrameMP3->setVisible(Action[2]->isChecked());
    Frame7->setVisible(AppearanceOption[1]->isChecked());
    Frame4->setVisible(VariablesOption[0]->isChecked());
    Frame5->setVisible(m_type == 0 && VariablesOption[1]->isChecked());
    Frame6->setVisible(ObjectOption->isChecked());
    FramePlaySound->setVisible(m_mode == SoundMode::SingleChannel && OptionPlaySound->isChecked());
    Channels_UpdateVisibility();
    RefreshIsAnimatedGif();
}

void frmAreaProperties::RefreshIsAnimatedGif() {
    const QString name = Combo2->currentText();
    const bool gif = name.size() > 4 && name.endsWith(QStringLiteral(".gif"), Qt::CaseSensitive);
    IsAnimatedGifOption->setEnabled(gif);
    if (!gif)
        IsAnimatedGifOption->setChecked(false);
    const bool animated =
        gif && IsAnimatedGifOption->isChecked() && AppearanceOption[1]->isChecked();
    if (animated)
        StretchOption->setChecked(false);
    StretchOption->setEnabled(!animated);
    FrameSpeed->setVisible(animated);
}

void frmAreaProperties::Channels_UpdateVisibility() {
    DialogControls::showPlayingChannels(ChannelsOption, ChannelsCombo, ChannelsLoop,
                                        [this](QComboBox *list) { return m_play->button(list); });
}

QString frmAreaProperties::folderOf(Kind kind) const {
    if (m_project.paths.isEmpty())
        return QString();
    return kind == Kind::Picture || kind == Kind::Sound ? m_project.paths.AreasPath()
                                                        : m_project.paths.FramesPath();
}

void frmAreaProperties::RefreshComboBoxes() {
    auto files = [this](Kind kind, QStringList extensions) {
        return folderOf(kind).isEmpty() ? QStringList()
                                        : DataFiles::list(folderOf(kind), extensions);
    };
    refill(Combo1,
           m_project.paths.isEmpty() ? QStringList() : FrameFiles(m_project.paths, m_mode).list());
    refill(Combo2, files(Kind::Picture, {".bmp", ".gif", ".jpg", ".wmf", ".emf", ".ico", ".cur"}));
    const QStringList waves = files(Kind::Sound, {".wav"});
    refill(Combo3, waves);
    for (QComboBox *c : ChannelsCombo)
        refill(c, waves);
    refill(Combo5, files(Kind::Video, {".avi"}));
    refill(Combo6, files(Kind::Mp3, {".mp3"}));
    refill(Combo8, files(Kind::Midi, {".mid"}));
    refill(Combo7,
           m_project.paths.isEmpty() ? QStringList() : EditorItems::ItemNames(m_project.paths));
    RefreshIsAnimatedGif();
}

void frmAreaProperties::showItemIcon() {
    const QPixmap icon = EditorItems::ItemIcon(m_project.paths, Combo7->currentText());
    if (icon.isNull())
        imgItem->clear();
    else
        imgItem->setPixmap(icon.scaled(imgItem->size(), Qt::KeepAspectRatio));
}

void frmAreaProperties::setVideoDefaults() {
    const QRect r = m_canvas ? m_canvas->areaRectTwips(areaNumber()) : QRect();
    const int values[4] = {r.isNull() ? 0 : r.left() / 15 + 2, r.isNull() ? 0 : r.top() / 15 + 2,
                           r.isNull() ? 640 : r.width() / 15 - 4,
                           r.isNull() ? 480 : r.height() / 15 - 4};
    for (int i = 0; i < 4; ++i)
        txtVideo[i]->setText(QString::number(values[i]));
}

QPushButton *frmAreaProperties::playButton(QComboBox *list) const {
    return m_play->button(list);
}

bool frmAreaProperties::playFile(QComboBox *list) {
    return m_play->play(list);
}

void frmAreaProperties::addFile(Kind kind, const QString &sourcePath, QComboBox *list) {
    DataFiles files;
    QString name;
    // A file that cannot be copied (one of that name already there, say) is not reported.
    files.copyInto(folderOf(kind), sourcePath, name);
    RefreshComboBoxes();
    if (list)
        DialogControls::select(list, name);
    RefreshEnabled();
}

void frmAreaProperties::removeFile(Kind kind, QComboBox *list) {
    const QString name = list->currentText();
    if (name.isEmpty())
        return;
    if (!DialogControls::confirmRemove(this, name))
        return;
    if (m_play->playing())
        m_play->stop();
    DataFiles files;
    if (!files.remove(folderOf(kind), name))
        EditorMessages::ask(this, QStringLiteral("Error"),
                            QStringLiteral("Unable to remove '") + name + QStringLiteral("'."),
                            Status::Icon::Critical);
    list->setEditText(QString());
    RefreshComboBoxes();
    list->setCurrentIndex(-1);
    list->setEditText(QString());
    RefreshEnabled();
}

void frmAreaProperties::newItem() {
    const QString item = EditorItems::CreateItem(this, m_project.paths);
    if (item.isEmpty())
        return;
    RefreshComboBoxes();
    Combo7->setCurrentText(item);
    showItemIcon();
}

void frmAreaProperties::removeItem() {
    const QString item = Combo7->currentText();
    if (item.isEmpty())
        return;
    if (!DialogControls::confirmRemove(this, item + QStringLiteral(".obj")))
        return;
    if (!Items(m_project.paths).remove(item))
        EditorMessages::ask(this, QStringLiteral("Error Removing Item"),
                            QStringLiteral("Unable to remove '") + item + QStringLiteral("'."),
                            Status::Icon::Critical);
    EditorItems::notifyItemsChanged();
    Combo7->setEditText(QString());
    RefreshComboBoxes();
    Combo7->setCurrentIndex(-1);
    Combo7->setEditText(QString());
    showItemIcon();
}

void frmAreaProperties::fail(int tab, const QString &text) {
    SSTab1->setCurrentIndex(tab);
    EditorMessages::ask(this, QString(), text, Status::Icon::Information);
}

void frmAreaProperties::confirm() {
    FrameVariables->hide();
    SSTab1->show();
    if (!CheckValidity())
        return;
    if (m_state.DraggedItemName.isEmpty()) {
        if (SaveAreaProperties())
            UpdateAreaAppearance();
        else
            m_state.WriteFailed = true;
    } else if (!SaveObjectOnArea()) {
        m_state.WriteFailed = true;
    }
    m_state.CurrentAreaNumber = QStringLiteral("0");
    closing();
    QDialog::done(QDialog::Accepted);
}

void frmAreaProperties::cancel() {
    FrameVariables->hide();
    SSTab1->show();
    m_state.CurrentAreaNumber = QStringLiteral("cancel");
    closing();
    QDialog::done(QDialog::Rejected);
}

void frmAreaProperties::done(int result) {
    // Escape and the close box act as "Cancel"; "OK" closes through confirm().
    if (m_closed) {
        QDialog::done(result);
        return;
    }
    cancel();
}

void frmAreaProperties::closeEvent(QCloseEvent *event) {
    if (!m_closed)
        cancel();
    event->accept();
}

void frmAreaProperties::closing() {
    if (m_closed)
        return;
    m_closed = true;
    m_play->stop();
    SaveVariablesList();
    EditorItems::notifyItemsChanged();
}
