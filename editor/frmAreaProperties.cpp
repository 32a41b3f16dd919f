// The area properties dialog: its tabs and panels, the modes, what is shown when, and the file
// lists. Loading, checking and saving are in AreaPropertiesFiles.cpp; the pointer and variable
// panels in AreaPropertiesPanels.cpp; each tab's controls in its own class.

#include "frmAreaProperties.h"

#include "AreaActionTab.h"
#include "AreaAppearanceTab.h"
#include "AreaItemTab.h"
#include "AreaMusicTab.h"
#include "AreaSoundsTab.h"
#include "AreaVariablesTab.h"
#include "DataFiles.h"
#include "DialogControls.h"
#include "EditorItems.h"
#include "EditorMessages.h"
#include "FrameFiles.h"
#include "Items.h"
#include "MediaPlayButtons.h"
#include "MousePointerPanel.h"
#include "VariablePanel.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

using DialogControls::button;
using DialogControls::refill;

namespace {

const QString kAreaHeading = QStringLiteral("What to do on area click:");
const QString kItemHeading = QStringLiteral("What to do when the item is dragged onto this area:");

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
    m_tabs = new QTabWidget(this);
    m_tabs->setAccessibleName(QStringLiteral("Area Properties"));
    layout->addWidget(m_tabs);
    QWidget *video = DialogControls::videoSurface(this);
    m_play = std::make_unique<MediaPlayButtons>(media, this, video);

    const AreaFileListMaker lists = [this](Kind kind, QWidget *owner, const QString &filter,
                                           const QString &name) {
        return fileList(kind, owner, filter, name);
    };
    m_appearance = new AreaAppearanceTab(lists, m_tabs);
    m_tabs->addTab(m_appearance, QStringLiteral("Appearance"));
    m_action = new AreaActionTab(lists, video, m_tabs);
    m_tabs->addTab(m_action, QStringLiteral("Action"));
    m_variables = new AreaVariablesTab(m_tabs);
    m_tabs->addTab(m_variables, QStringLiteral("Variables"));
    m_item = new AreaItemTab(m_tabs);
    m_tabs->addTab(m_item, QStringLiteral("Item"));
    m_music = new AreaMusicTab(lists, m_tabs);
    m_tabs->addTab(m_music, QStringLiteral("Music"));
    m_sounds = new AreaSoundsTab(lists, *m_play, folderOf(Kind::Sound), m_mode, m_tabs);
    m_tabs->addTab(m_sounds, QStringLiteral("Sounds Effects"));
    m_pointers = new MousePointerPanel(this);
    m_variablePanel = new VariablePanel(this);
    layout->addWidget(m_pointers);
    layout->addWidget(m_variablePanel);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    m_ok = button(QStringLiteral("OK"), this);
    m_cancel = button(QStringLiteral("Cancel"), this);
    m_ok->setDefault(true);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    layout->addLayout(buttons);
    connect(m_ok, &QPushButton::clicked, this, &frmAreaProperties::confirm);
    connect(m_cancel, &QPushButton::clicked, this, &frmAreaProperties::cancel);

    const auto refresh = [this] { RefreshEnabled(); };
    connect(m_appearance, &AreaAppearanceTab::changed, this, refresh);
    connect(m_action, &AreaActionTab::changed, this, refresh);
    connect(m_variables, &AreaVariablesTab::changed, this, refresh);
    connect(m_item, &AreaItemTab::changed, this, refresh);
    connect(m_music, &AreaMusicTab::changed, this, refresh);
    connect(m_sounds, &AreaSoundsTab::changed, this, refresh);
    connect(m_appearance->changePointerButton(), &QPushButton::clicked, this,
            &frmAreaProperties::showPointerPanel);
    connect(m_appearance->defaultPointerButton(), &QPushButton::clicked, this, [this] {
        m_appearance->pointerName()->setText(QStringLiteral("DEFAULT"));
        OpenMousePointer();
    });
    connect(m_action->resetVideoButton(), &QPushButton::clicked, this,
            &frmAreaProperties::setVideoDefaults);
    connect(m_variables, &AreaVariablesTab::addRequested, this,
            &frmAreaProperties::showVariablePanel);
    connect(m_variables, &AreaVariablesTab::removeRequested, this,
            &frmAreaProperties::removeFromList);
    connect(m_item->itemList(), &QComboBox::currentTextChanged, this,
            &frmAreaProperties::showItemIcon);
    connect(m_item->newItemButton(), &QPushButton::clicked, this, &frmAreaProperties::newItem);
    connect(m_item->removeItemButton(), &QPushButton::clicked, this,
            &frmAreaProperties::removeItem);
    connect(m_sounds, &AreaSoundsTab::soundFileChosen, this,
            [this](const QString &path, QComboBox *list) { addFile(Kind::Sound, path, list); });
    connectPanels();

    resize(5520 / 15, 6375 / 15);
    // Where the canvas lies: over the window that opened it.
    if (parent)
        move(parent->window()->geometry().topLeft());
    m_pointers->hide();
    m_variablePanel->hide();

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
    SetType(0);
    RefreshEnabled();
    QTimer::singleShot(0, m_ok, [this] { m_ok->setFocus(); });
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
    row->addWidget(list, 1);
    if (kind != Kind::Picture)
        row->addWidget(m_play->add(previewKind(kind), list, folderOf(kind), owner));
    auto *browse = button(QStringLiteral("Browse..."), owner, QStringLiteral("Browse ") + name);
    auto *remove = button(QStringLiteral("Remove"), owner, QStringLiteral("Remove ") + name);
    row->addWidget(browse);
    row->addWidget(remove);
    DialogControls::boxOf(owner)->addLayout(row);
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

void frmAreaProperties::SetType(int type) {
    m_type = type == 1 ? 1 : 0;
    const bool item = m_type == 1;
    const QString heading = item ? kItemHeading : kAreaHeading;
    m_action->heading()->setText(heading);
    m_music->heading()->setText(heading);
    m_sounds->heading()->setText(heading);
    m_variables->setItemMode(item);
    m_action->setItemMode(item);
    m_tabs->setTabEnabled(0, !item);
    m_tabs->setTabEnabled(3, !item);
    m_tabs->setCurrentIndex(item ? 1 : 0);
}

void frmAreaProperties::RefreshEnabled() {
    m_action->refresh();
    m_music->refresh();
    m_appearance->refresh();
    m_variables->refresh();
    m_item->refresh();
    m_sounds->refresh();
    RefreshIsAnimatedGif();
}

void frmAreaProperties::RefreshIsAnimatedGif() {
    m_appearance->refreshAnimatedGif();
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
    refill(m_action->frameList(),
           m_project.paths.isEmpty() ? QStringList() : FrameFiles(m_project.paths, m_mode).list());
    refill(m_appearance->pictureList(),
           files(Kind::Picture, {".bmp", ".gif", ".jpg", ".wmf", ".emf", ".ico", ".cur"}));
    const QStringList waves = files(Kind::Sound, {".wav"});
    refill(m_sounds->soundList(), waves);
    for (int c = 0; c < 8; ++c)
        refill(m_sounds->channelList(c), waves);
    refill(m_action->videoList(), files(Kind::Video, {".avi"}));
    refill(m_music->mp3List(), files(Kind::Mp3, {".mp3"}));
    refill(m_music->midiList(), files(Kind::Midi, {".mid"}));
    refill(m_item->itemList(),
           m_project.paths.isEmpty() ? QStringList() : EditorItems::ItemNames(m_project.paths));
    RefreshIsAnimatedGif();
}

void frmAreaProperties::showItemIcon() {
    QLabel *shown = m_item->itemIcon();
    const QPixmap icon = EditorItems::ItemIcon(m_project.paths, m_item->itemList()->currentText());
    if (icon.isNull())
        shown->clear();
    else
        shown->setPixmap(icon.scaled(shown->size(), Qt::KeepAspectRatio));
}

void frmAreaProperties::setVideoDefaults() {
    const QRect r = m_canvas ? m_canvas->areaRectTwips(areaNumber()) : QRect();
    const int values[4] = {r.isNull() ? 0 : r.left() / 15 + 2, r.isNull() ? 0 : r.top() / 15 + 2,
                           r.isNull() ? 640 : r.width() / 15 - 4,
                           r.isNull() ? 480 : r.height() / 15 - 4};
    for (int i = 0; i < 4; ++i)
        m_action->videoField(i)->setText(QString::number(values[i]));
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
    m_item->itemList()->setCurrentText(item);
    showItemIcon();
}

void frmAreaProperties::removeItem() {
    QComboBox *list = m_item->itemList();
    const QString item = list->currentText();
    if (item.isEmpty())
        return;
    if (!DialogControls::confirmRemove(this, item + QStringLiteral(".obj")))
        return;
    if (!Items(m_project.paths).remove(item))
        EditorMessages::ask(this, QStringLiteral("Error Removing Item"),
                            QStringLiteral("Unable to remove '") + item + QStringLiteral("'."),
                            Status::Icon::Critical);
    EditorItems::notifyItemsChanged();
    list->setEditText(QString());
    RefreshComboBoxes();
    list->setCurrentIndex(-1);
    list->setEditText(QString());
    showItemIcon();
}

void frmAreaProperties::fail(int tab, const QString &text) {
    m_tabs->setCurrentIndex(tab);
    EditorMessages::ask(this, QString(), text, Status::Icon::Information);
}

void frmAreaProperties::confirm() {
    m_variablePanel->hide();
    m_tabs->show();
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
    m_variablePanel->hide();
    m_tabs->show();
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
