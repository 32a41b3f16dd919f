// The area properties dialog and the project files: loading an area or an event into the
// controls, the checks before saving, and writing them back through the store.

#include "frmAreaProperties.h"

#include "DialogControls.h"
#include "EditorMessages.h"
#include "NameRules.h"
#include "ProjectFiles.h"
#include "VariablesFile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSlider>
#include <QTabWidget>

using DialogControls::select;

namespace {

// The number a field begins with ("12px" reads 12), 0 when it begins with none.
double leadingNumber(const QString &text) {
    static const QRegularExpression number(
        QStringLiteral("^\\s*([+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?)"));
    const QRegularExpressionMatch m = number.match(text);
    return m.hasMatch() ? m.captured(1).toDouble() : 0;
}

QStringList entries(const QListWidget *list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out.append(list->item(i)->text());
    return out;
}

void fill(QListWidget *list, const QStringList &names) {
    list->clear();
    list->addItems(names);
}

// A name only while its option is ticked: a file chosen and then unticked is no longer named.
QString chosen(bool ticked, const QComboBox *list) {
    return ticked ? list->currentText().trimmed() : QString();
}

const QString kQuote = QStringLiteral("You cannot use quotation marks: \"");

} // namespace

void frmAreaProperties::LoadVariablesList() {
    QStringList names;
    const QString path = m_project.paths.configFile(QStringLiteral("Variables"));
    if (m_project.paths.isEmpty())
        return;
    m_variablesRead = readVariablesFile(path, names).ok();
    fill(VariablesList, names); // what could be read before a failure
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
                                    : writeVariablesFile(path, entries(VariablesList));
    EditorMessages::show(this, s);
    if (!s)
        m_state.WriteFailed = true;
    return s.ok();
}

void frmAreaProperties::showAction(const ActionRecord &record) {
    ActionRecord a = record;
    // An older record changes one variable through lines 2 to 5: it joins the matching list so
    // that saving keeps it.
    if (a.ChangeVariables && !a.LegacyVariable.isEmpty()) {
        QStringList *list = a.LegacySetZero  ? &a.SetZeroList
                            : a.LegacySetOne ? &a.SetOneList
                            : a.LegacyInvert ? &a.InvertList
                                             : nullptr;
        if (list && !list->contains(a.LegacyVariable))
            list->append(a.LegacyVariable);
    }
    VariablesOption[0]->setChecked(a.ChangeVariables != 0);
    Action[1]->setChecked(a.ShowText != 0);
    TextMessage->setText(a.TextMessage);
    Action[3]->setChecked(a.HideOrRemove != 0);
    Action[4]->setChecked(a.CloseProgram != 0);
    Action[0]->setChecked(a.GoToFrame != 0);
    select(Combo1, a.TargetFrame);
    Action[6]->setChecked(a.StopMidi != 0);
    Action[7]->setChecked(a.StopWav != 0);
    Action[5]->setChecked(a.PlayVideo != 0);
    select(Combo5, a.VideoFile);
    if (a.EndedAfter == 0 || a.EndedAfter > 13) {
        OptionVideo[a.VideoAtPosition ? 1 : 0]->setChecked(true);
        const double position[] = {a.VideoLeft, a.VideoTop, a.VideoWidth, a.VideoHeight};
        for (int i = 0; i < 4; ++i)
            txtVideo[i]->setText(QString::number(position[i]));
    }
    Action[8]->setChecked(a.StopMp3 != 0);
    Action[9]->setChecked(a.PlayMidi != 0);
    select(Combo8, a.MidiFile);
    Action[2]->setChecked(a.PlayMp3 != 0);
    select(Combo6, a.Mp3File);
    Action[10]->setChecked(a.GoBack != 0);
    if (a.EndedAfter == 0 || a.EndedAfter > 32)
        OptionPopupWindow[a.TextOnBackground ? 1 : 0]->setChecked(true);
    fill(SmallList[2], a.SetZeroList);
    fill(SmallList[3], a.SetOneList);
    fill(SmallList[4], a.InvertList);
}

ActionRecord frmAreaProperties::actionFromControls() const {
    ActionRecord a;
    a.ChangeVariables = VariablesOption[0]->isChecked() ? 1 : 0;
    a.ShowText = Action[1]->isChecked() ? 1 : 0;
    a.TextMessage = a.ShowText ? TextMessage->text() : QString();
    a.HideOrRemove = Action[3]->isChecked() ? 1 : 0;
    a.CloseProgram = Action[4]->isChecked() ? 1 : 0;
    a.GoToFrame = Action[0]->isChecked() ? 1 : 0;
    a.TargetFrame = chosen(a.GoToFrame, Combo1);
    a.StopMidi = Action[6]->isChecked() ? 1 : 0;
    a.StopWav = Action[7]->isChecked() ? 1 : 0;
    a.PlayVideo = Action[5]->isChecked() ? 1 : 0;
    a.VideoFile = chosen(a.PlayVideo, Combo5);
    a.VideoFullScreen = OptionVideo[0]->isChecked();
    a.VideoAtPosition = OptionVideo[1]->isChecked();
    a.VideoLeft = leadingNumber(txtVideo[0]->text());
    a.VideoTop = leadingNumber(txtVideo[1]->text());
    a.VideoWidth = leadingNumber(txtVideo[2]->text());
    a.VideoHeight = leadingNumber(txtVideo[3]->text());
    a.StopMp3 = Action[8]->isChecked() ? 1 : 0;
    a.PlayMidi = Action[9]->isChecked() ? 1 : 0;
    a.MidiFile = chosen(a.PlayMidi, Combo8);
    a.PlayMp3 = Action[2]->isChecked() ? 1 : 0;
    a.Mp3File = chosen(a.PlayMp3, Combo6);
    a.GoBack = Action[10]->isChecked() ? 1 : 0;
    a.TextOnBackground = OptionPopupWindow[1]->isChecked() ? 1 : 0;
    a.ChangeVariablesLists = a.ChangeVariables;
    a.SetZeroList = entries(SmallList[2]);
    a.SetOneList = entries(SmallList[3]);
    a.InvertList = entries(SmallList[4]);
    return a;
}

void frmAreaProperties::showChannels(const QList<ChannelRecord> &channels) {
    if (m_mode == SoundMode::SingleChannel) {
        const ChannelRecord r = channels.value(0);
        OptionPlaySound->setChecked(r.PlaySound);
        select(Combo3, r.SoundFile);
        return;
    }
    for (int c = 0; c < 8; ++c) {
        const ChannelRecord r = channels.value(c);
        ChannelsOption[3 * c + (r.PlaySound ? 2 : r.StopSound ? 1 : 0)]->setChecked(true);
        select(ChannelsCombo[c], r.SoundFile);
        ChannelsLoop[c]->setChecked(r.Loop != 0);
    }
}

QList<ChannelRecord> frmAreaProperties::channelsFromControls() const {
    QList<ChannelRecord> out;
    if (m_mode == SoundMode::SingleChannel) {
        ChannelRecord r;
        r.PlaySound = OptionPlaySound->isChecked();
        r.NoAction = !r.PlaySound;
        r.SoundFile = chosen(r.PlaySound, Combo3);
        out.append(r);
        return out;
    }
    for (int c = 0; c < 8; ++c) {
        ChannelRecord r;
        r.NoAction = ChannelsOption[3 * c]->isChecked();
        r.StopSound = ChannelsOption[3 * c + 1]->isChecked();
        r.PlaySound = ChannelsOption[3 * c + 2]->isChecked();
        r.SoundFile = chosen(r.PlaySound, ChannelsCombo[c]);
        r.Loop = r.PlaySound && ChannelsLoop[c]->isChecked() ? 1 : 0;
        out.append(r);
    }
    return out;
}

void frmAreaProperties::keepLegacySound(const ActionRecord &a) {
    // An older record plays one wave file of its own instead of its channels: that sound
    // becomes the first channel's, so that saving keeps it.
    if (!a.LegacyPlaySound || a.LegacySoundFile.isEmpty())
        return;
    if (m_mode == SoundMode::SingleChannel) {
        OptionPlaySound->setChecked(true);
        select(Combo3, a.LegacySoundFile);
    } else {
        ChannelsOption[2]->setChecked(true);
        select(ChannelsCombo[0], a.LegacySoundFile);
        ChannelsLoop[0]->setChecked(false);
    }
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
    AppearanceOption[look.HasPicture ? 1 : 0]->setChecked(true);
    select(Combo2, look.PictureFile);
    StretchOption->setChecked(look.Stretch != 0);
    IsAnimatedGifOption->setChecked(look.IsAnimatedGif != 0);
    lblMousePointer->setText(look.hasCustomPointer() ? look.MousePointer
                                                     : QStringLiteral("DEFAULT"));
    OpenMousePointer();
    VariablesOption[1]->setChecked(look.VisibleIf != 0);
    fill(SmallList[0], look.ZeroList);
    fill(SmallList[1], look.OneList);
    showAction(action);
    ObjectOption->setChecked(item.PickItem != 0);
    select(Combo7, item.ItemName);
    showItemIcon();
    SpeedScroll->setValue(item.GifSpeed);
    showChannels(sounds.Channels);
    keepLegacySound(action);
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
    showChannels(event.sounds);
    keepLegacySound(event.action);
}

bool frmAreaProperties::CheckValidity() {
    if (lblMousePointer->text().isEmpty())
        lblMousePointer->setText(QStringLiteral("DEFAULT"));
    auto empty = [](const QComboBox *list) { return list->currentText().trimmed().isEmpty(); };
    if (m_type == 0 && AppearanceOption[1]->isChecked() && empty(Combo2)) {
        fail(0, QStringLiteral("You have chosen to use a picture for the area background but you "
                               "have not selected any valid picture."));
        return false;
    }
    if (Action[0]->isChecked() && empty(Combo1)) {
        fail(1, QStringLiteral("You have chosen to go to another frame but you have not selected "
                               "any valid frame."));
        return false;
    }
    if (Action[1]->isChecked() && TextMessage->text().isEmpty()) {
        fail(1, QStringLiteral("You have chosen to display a text message but you have not "
                               "entered any text."));
        return false;
    }
    if (Action[2]->isChecked() && empty(Combo6)) {
        fail(4, QStringLiteral("You have chosen to play MP3 sound but you have not selected any "
                               "valid file."));
        return false;
    }
    if (Action[9]->isChecked() && empty(Combo8)) {
        fail(4, QStringLiteral("You have chosen to play MIDI music but you have not selected any "
                               "valid file."));
        return false;
    }
    if (Action[5]->isChecked() && empty(Combo5)) {
        fail(1, QStringLiteral("You have chosen to play a video but you have not selected any "
                               "valid video file."));
        return false;
    }
    if (m_type == 0 && ObjectOption->isChecked() && empty(Combo7)) {
        fail(3, QStringLiteral("You have chosen to pick up an item but you have not selected any "
                               "valid item."));
        return false;
    }
    if (Action[4]->isChecked() && Action[0]->isChecked()) {
        fail(1, QStringLiteral("You cannot close the program and go to another frame at the "
                               "same time."));
        return false;
    }
    if (Action[4]->isChecked()) {
        SSTab1->setCurrentIndex(1);
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
    if (NameRules::hasQuotationMark(TextMessage->text())) {
        if (Action[1]->isChecked()) {
            fail(1, kQuote);
            return false;
        }
        TextMessage->clear();
    }
    if (Action[5]->isChecked() && OptionVideo[1]->isChecked()) {
        for (const QLineEdit *t : txtVideo) {
            if (NameRules::hasQuotationMark(t->text())) {
                fail(1, kQuote);
                return false;
            }
        }
        const double x = leadingNumber(txtVideo[0]->text()), y = leadingNumber(txtVideo[1]->text());
        const double w = leadingNumber(txtVideo[2]->text()), h = leadingNumber(txtVideo[3]->text());
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
            if (ChannelsOption[3 * c + 2]->isChecked() && empty(ChannelsCombo[c])) {
                fail(5, QStringLiteral("You have chosen to play a .WAV sound but you have not "
                                       "selected any valid file. If the sound you want to be "
                                       "played is not in the lists, click 'Add .wav sound to "
                                       "lists...'"));
                return false;
            }
        }
    } else if (OptionPlaySound->isChecked() && empty(Combo3)) {
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
    area.look.HasPicture = AppearanceOption[1]->isChecked();
    area.look.PictureFile = chosen(area.look.HasPicture, Combo2);
    area.look.IsAnimatedGif = area.look.HasPicture && IsAnimatedGifOption->isChecked() ? 1 : 0;
    area.look.Stretch = area.look.HasPicture && StretchOption->isChecked() ? 1 : 0;
    area.look.MousePointer = lblMousePointer->text();
    area.look.VisibleIf = VariablesOption[1]->isChecked() ? 1 : 0;
    area.look.ZeroList = entries(SmallList[0]);
    area.look.OneList = entries(SmallList[1]);
    area.action = actionFromControls();
    area.item.PickItem = ObjectOption->isChecked() ? 1 : 0;
    area.item.ItemName = chosen(area.item.PickItem, Combo7);
    area.item.GifSpeed = SpeedScroll->value();
    area.sounds = channelsFromControls();
    const Status s = AreaFiles(m_project.paths, m_mode, m_state.frameName).save(n, area);
    EditorMessages::show(this, s);
    return s.ok();
}

bool frmAreaProperties::SaveObjectOnArea() {
    DropEvent event;
    event.action = actionFromControls();
    event.sounds = channelsFromControls();
    const Status s = AreaFiles(m_project.paths, m_mode, m_state.frameName)
                         .saveDropEvent(areaNumber(), m_state.DraggedItemName, event);
    EditorMessages::show(this, s);
    return s.ok();
}

void frmAreaProperties::UpdateAreaAppearance() {
    if (!m_canvas)
        return;
    if (AppearanceOption[1]->isChecked()) {
        const QString name = Combo2->currentText().trimmed();
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
