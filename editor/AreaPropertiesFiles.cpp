// The area properties dialog and the project files: loading an area or an event into the
// controls, the checks before saving, and writing them back through the store.

#include "frmAreaProperties.h"

#include "AreaActionTab.h"
#include "AreaAppearanceTab.h"
#include "AreaItemTab.h"
#include "AreaMusicTab.h"
#include "AreaSoundsTab.h"
#include "AreaVariablesTab.h"
#include "DialogControls.h"
#include "EditorMessages.h"
#include "NameRules.h"
#include "ProjectFiles.h"
#include "VariablePanel.h"
#include "VariablesFile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTabWidget>

namespace {

QStringList entries(const QListWidget *list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out.append(list->item(i)->text());
    return out;
}

const QString kQuote = QStringLiteral("You cannot use quotation marks: \"");

} // namespace

void frmAreaProperties::LoadVariablesList() {
    QStringList names;
    const QString path = m_project.paths.configFile(QStringLiteral("Variables"));
    if (m_project.paths.isEmpty())
        return;
    m_variablesRead = readVariablesFile(path, names).ok();
    // What could be read before a failure.
    m_variablePanel->list()->clear();
    m_variablePanel->list()->addItems(names);
    if (!m_variablesRead)
        EditorMessages::ask(this, QStringLiteral("Error Loading Variables"),
                            QStringLiteral("Error while loading project variables."),
                            Status::Icon::Critical);
}

bool frmAreaProperties::SaveVariablesList() {
    if (m_project.paths.isEmpty() || (!m_variablesRead && !m_variablesChanged))
        return false;
    QString path = m_project.paths.configFile(QStringLiteral("Variables"));
    const Status s = path.isEmpty() ? Status::failure(QStringLiteral("Error Saving Variables"),
                                                      QStringLiteral("Unable to save variables."))
                                    : writeVariablesFile(path, entries(m_variablePanel->list()));
    EditorMessages::show(this, s);
    if (!s)
        m_state.WriteFailed = true;
    return s.ok();
}

void frmAreaProperties::showAction(const ActionRecord &a) {
    m_variables->loadChanges(a);
    m_action->load(a);
    m_music->load(a);
}

ActionRecord frmAreaProperties::actionFromControls() const {
    ActionRecord a;
    m_variables->saveChanges(a);
    m_action->saveInto(a);
    m_music->saveInto(a);
    return a;
}

void frmAreaProperties::LoadAreaProperties() {
    const AreaFiles files(m_project.paths, m_mode, m_state.frameName);
    const int n = areaNumber();
    AreaLook look;
    ActionRecord action;
    AreaItem item;
    ChannelFile sounds;
    const bool ok = files.readLook(n, look) && files.readAction(n, action) &&
                    files.readItem(n, item) && files.readSounds(n, sounds);
    if (!ok) {
        EditorMessages::ask(this, QStringLiteral("Error"),
                            QStringLiteral("Unable to load Area properties."),
                            Status::Icon::Critical);
        return;
    }
    m_loadedRect = QRectF(look.Left, look.Top, look.Width, look.Height);
    m_appearance->load(look, item.GifSpeed);
    OpenMousePointer();
    m_variables->loadVisibility(look);
    showAction(action);
    m_item->load(item);
    showItemIcon();
    m_sounds->load(sounds.Channels);
    m_sounds->keepLegacySound(action);
}

void frmAreaProperties::LoadObjectOnArea() {
    const AreaFiles files(m_project.paths, m_mode, m_state.frameName);
    const int n = areaNumber();
    const QString drg = files.dropPath(n, m_state.DraggedItemName, QStringLiteral(".drg"));
    if (drg.isEmpty() || !QFileInfo(drg).isFile())
        return; // a new event starts from the defaults
    DropEvent event;
    if (!files.readDropEvent(n, m_state.DraggedItemName, event)) {
        EditorMessages::ask(this, QStringLiteral("Error"),
                            QStringLiteral("Unable to load Area properties."),
                            Status::Icon::Critical);
        return;
    }
    showAction(event.action);
    m_sounds->load(event.sounds);
    m_sounds->keepLegacySound(event.action);
}

bool frmAreaProperties::CheckValidity() {
    if (m_appearance->pointerName()->text().isEmpty())
        m_appearance->pointerName()->setText(QStringLiteral("DEFAULT"));
    auto empty = [](const QComboBox *list) { return list->currentText().trimmed().isEmpty(); };
    if (m_type == 0 && m_appearance->pictureOption()->isChecked() &&
        empty(m_appearance->pictureList())) {
        fail(0, QStringLiteral("You have chosen to use a picture for the area background but you "
                               "have not selected any valid picture."));
        return false;
    }
    if (m_action->goToFrameOption()->isChecked() && empty(m_action->frameList())) {
        fail(1, QStringLiteral("You have chosen to go to another frame but you have not selected "
                               "any valid frame."));
        return false;
    }
    if (m_action->showTextOption()->isChecked() && m_action->messageText()->text().isEmpty()) {
        fail(1, QStringLiteral("You have chosen to display a text message but you have not "
                               "entered any text."));
        return false;
    }
    if (m_music->playMp3Option()->isChecked() && empty(m_music->mp3List())) {
        fail(4, QStringLiteral("You have chosen to play MP3 sound but you have not selected any "
                               "valid file."));
        return false;
    }
    if (m_music->playMidiOption()->isChecked() && empty(m_music->midiList())) {
        fail(4, QStringLiteral("You have chosen to play MIDI music but you have not selected any "
                               "valid file."));
        return false;
    }
    if (m_action->playVideoOption()->isChecked() && empty(m_action->videoList())) {
        fail(1, QStringLiteral("You have chosen to play a video but you have not selected any "
                               "valid video file."));
        return false;
    }
    if (m_type == 0 && m_item->pickItemOption()->isChecked() && empty(m_item->itemList())) {
        fail(3, QStringLiteral("You have chosen to pick up an item but you have not selected any "
                               "valid item."));
        return false;
    }
    if (m_action->closeProgramOption()->isChecked() && m_action->goToFrameOption()->isChecked()) {
        fail(1, QStringLiteral("You cannot close the program and go to another frame at the "
                               "same time."));
        return false;
    }
    if (m_action->closeProgramOption()->isChecked()) {
        m_tabs->setCurrentIndex(1);
        if (EditorMessages::ask(
                this, QString(),
                QStringLiteral("Caution: you have selected the option 'Close the program (go to "
                               "the main menu)'. If you are creating a game, make sure players "
                               "are warned about it before it happens, so that they can save "
                               "their game and avoid restarting from the beginning.\r\rDo you "
                               "want to continue?"),
                Status::Icon::Question, EngineHost::Buttons::YesNo) != EngineHost::Answer::Yes)
            return false;
    }
    if (NameRules::hasQuotationMark(m_action->messageText()->text())) {
        if (m_action->showTextOption()->isChecked()) {
            fail(1, kQuote);
            return false;
        }
        m_action->messageText()->clear();
    }
    if (m_action->playVideoOption()->isChecked() && m_action->coordinatesOption()->isChecked()) {
        for (int i = 0; i < 4; ++i) {
            if (NameRules::hasQuotationMark(m_action->videoField(i)->text())) {
                fail(1, kQuote);
                return false;
            }
        }
        const double x = m_action->videoValue(0), y = m_action->videoValue(1);
        const double w = m_action->videoValue(2), h = m_action->videoValue(3);
        const double sw = m_project.general.ScreenWidth, sh = m_project.general.ScreenHeight;
        if (x > sw || y > sh) {
            fail(1, QStringLiteral("Video coordinates are bigger than project resolution (screen "
                                   "size)."));
            return false;
        }
        if (x < -sw || y < -sh) {
            fail(1, QStringLiteral("Please enter valid video coordinates."));
            return false;
        }
        if (w > 2049 || w < 10 || h > 2049 || h < 10) {
            fail(1, QStringLiteral("Please enter valid video width and height."));
            return false;
        }
    }
    if (m_mode == SoundMode::MultiChannel) {
        for (int c = 0; c < 8; ++c) {
            if (m_sounds->channelOption(c, 2)->isChecked() && empty(m_sounds->channelList(c))) {
                fail(5, QStringLiteral("You have chosen to play a .WAV sound but you have not "
                                       "selected any valid file. If the sound you want to be "
                                       "played is not in the lists, click 'Add .wav sound to "
                                       "lists...'"));
                return false;
            }
        }
    } else if (m_sounds->playSoundOption()->isChecked() && empty(m_sounds->soundList())) {
        fail(5, QStringLiteral("You have chosen to play a .WAV sound but you have not selected "
                               "any valid file."));
        return false;
    }
    return true;
}

bool frmAreaProperties::SaveAreaProperties() {
    const int n = areaNumber();
    Area area;
    const QRect r = m_canvas ? m_canvas->areaRectTwips(n) : QRect();
    const QRectF rect = r.isNull() ? m_loadedRect : QRectF(r);
    area.look.Left = rect.left();
    area.look.Top = rect.top();
    area.look.Width = rect.width();
    area.look.Height = rect.height();
    m_appearance->saveInto(area.look, area.item.GifSpeed);
    m_variables->saveVisibility(area.look);
    area.action = actionFromControls();
    m_item->saveInto(area.item);
    area.sounds = m_sounds->channels();
    const Status s = AreaFiles(m_project.paths, m_mode, m_state.frameName).save(n, area);
    EditorMessages::show(this, s);
    return s.ok();
}

bool frmAreaProperties::SaveObjectOnArea() {
    DropEvent event;
    event.action = actionFromControls();
    event.sounds = m_sounds->channels();
    const Status s = AreaFiles(m_project.paths, m_mode, m_state.frameName)
                         .saveDropEvent(areaNumber(), m_state.DraggedItemName, event);
    EditorMessages::show(this, s);
    return s.ok();
}

void frmAreaProperties::UpdateAreaAppearance() {
    if (!m_canvas)
        return;
    if (m_appearance->pictureOption()->isChecked()) {
        const QString name = m_appearance->pictureList()->currentText().trimmed();
        const QString path = ProjectFiles::existingVariant(m_project.paths.AreasPath() + name);
        if (!NameRules::isSafeComponent(name) || !QFileInfo(path).isFile()) {
            EditorMessages::ask(this, QStringLiteral("Error"),
                                QStringLiteral("File not found: '") + path +
                                    QStringLiteral("'. Find this file and place it back to its "
                                                   "original location."),
                                Status::Icon::Critical);
            return;
        }
    }
    QString error;
    if (!m_canvas->reloadArea(areaNumber(), &error))
        EditorMessages::ask(this, QStringLiteral("Error"),
                            error.isEmpty() ? QStringLiteral("Unable to update area appearance.")
                                            : error,
                            Status::Icon::Critical);
}
