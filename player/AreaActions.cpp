// What a click on an area, or a drop of an item on it, does.

#include "AreaFiles.h"
#include "GameEngine.h"
#include "GameRules.h"
#include "MediaPlayers.h"
#include "ProjectFiles.h"
#include "RecordReader.h"

#include <QFileInfo>

// An area's action as the engine plays it under the game's rules: the record is read part by
// part just before each part acts, and the media, sounds and message are the engine's own.
class GameEngine::AreaAction {
public:
    AreaAction(GameEngine &engine, int area, int draggedSlot)
        : e(engine), m_area(area), m_slot(draggedSlot),
          m_areas(engine.m_paths, engine.soundMode(), engine.m_scene.frame) {}

    // --- the operations GameRules::clickArea and GameRules::playAction call
    void pickUp() { e.PickOrNotPickObject(m_area); }
    bool hasAction() {
        e.m_stopVideoRequest = true;
        m_mp3Busy = e.m_media->mp3().IsMp3Playing();
        if (drop()) {
            if (m_slot < 1 || m_slot > e.m_scene.inventory.size())
                return false;
            m_item = e.m_scene.inventory[m_slot - 1].name;
        }
        const QString file = drop() ? m_areas.dropPath(m_area, m_item, QStringLiteral(".drg"))
                                    : m_areas.path(m_area, QStringLiteral("b.dat"));
        if (file.isEmpty() || !QFileInfo(file).isFile())
            return false;
        r = RecordReader::fromFile(file);
        return true;
    }
    bool read(GameRules::ActionPart part) {
        using namespace ActionRecordParts;
        switch (part) {
        case GameRules::ActionPart::First:
            return firstForm(r, a);
        case GameRules::ActionPart::Hide:
            return textToHide(r, a);
        case GameRules::ActionPart::Close:
            return close(r, a);
        case GameRules::ActionPart::GoTo:
            return goTo(r, a);
        case GameRules::ActionPart::Media:
            return true; // media() reads each media part as it plays it
        case GameRules::ActionPart::Lists:
            if (!m_hasLists)
                return true;
            m_listsRead =
                more(r) && goBack(r, a) && more(r) && placement(r, a) && more(r) && lists(r, a);
            return r.ok();
        }
        return false;
    }
    void changeVariables(GameRules::ActionPart part) {
        if (part == GameRules::ActionPart::First) {
            e.applyActionVariables(a);
            return;
        }
        if (!m_listsRead || a.ChangeVariablesLists == 0)
            return;
        for (const auto &[names, value] : {std::pair{&a.SetZeroList, 0},
                                           {&a.SetOneList, 1},
                                           {&a.InvertList, GameRules::InvertVariable}}) {
            for (const QString &v : *names) {
                if (!v.isEmpty())
                    e.m_vars.ChangeVariableValue(v, static_cast<qint16>(value));
            }
        }
    }
    bool hidesOrRemoves() const { return a.HideOrRemove != 0; }
    void hideOrRemove() {
        if (drop())
            e.RemovePickedObject(m_slot);
        else
            e.m_vars.Disappear.Add(e.m_scene.frame, static_cast<qint16>(m_area));
    }
    bool closes() const { return a.CloseProgram != 0; }
    bool media();
    void afterward();
    bool goesToFrame() const { return a.GoToFrame != 0; }
    bool goesBack() const { return a.GoBack != 0; }

    // What the move's end means for the engine: the frame it opens, a failure reported.
    int finish(GameRules::MoveEnd end) {
        switch (end) {
        case GameRules::MoveEnd::Failed:
            e.reportError(
                QStringLiteral(" Unable to make the action associated with the selected area."));
            return Nothing;
        case GameRules::MoveEnd::Close:
            return CloseGame;
        case GameRules::MoveEnd::Frame:
            e.OpenFrame(a.TargetFrame);
            return FrameChanged;
        case GameRules::MoveEnd::Back:
            if (!GameRules::leaveForLastVisited(e.m_history))
                return Nothing;
            e.OpenFrame(e.m_history.last());
            return FrameChanged;
        case GameRules::MoveEnd::Stay:
            break;
        }
        return Nothing;
    }

private:
    bool drop() const { return m_slot != 0; }

    GameEngine &e;
    int m_area;
    int m_slot;
    AreaFiles m_areas;
    QString m_item;
    bool m_mp3Busy = false;
    bool m_hasLists = false;  // the record goes on past its media parts
    bool m_listsRead = false; // the three lists were read
    RecordReader r{QByteArray()};
    ActionRecord a;
};

bool GameEngine::AreaAction::media() {
    using namespace ActionRecordParts;
    if (!more(r))
        return true;
    if (!stopMidi(r, a))
        return false;
    if (a.StopMidi != 0)
        e.m_media->music().mmClose();
    if (!stopWav(r, a))
        return false;
    if (a.StopWav != 0) {
        e.m_media->StopWaveChannels();
        e.m_media->sound().mmClose();
    }
    if (!video(r, a))
        return false;
    const QString framesPath = e.m_paths.FramesPath();
    if (a.PlayVideo != 0) {
        e.HideMenus();
        e.startVideo(e.resolve(framesPath, a.VideoFile), a.VideoAtPosition, a.VideoLeft, a.VideoTop,
                     a.VideoWidth, a.VideoHeight);
    }
    if (!more(r))
        return true;
    if (!midi(r, a))
        return false;
    if (a.PlayMidi != 0 && !a.MidiFile.isEmpty() &&
        e.m_media->music().Status() != QLatin1String("playing"))
        e.m_media->PlayMIDImusic(e.resolve(framesPath, a.MidiFile));
    if (!mp3(r, a))
        return false;
    if (a.PlayMp3 != 0) {
        e.m_media->StopWaveChannels();
        e.m_media->stopMp3();
        e.m_media->startMp3(e.resolve(framesPath, a.Mp3File));
        e.m_host.startTimer(EngineTimer::Mp3, MediaPlayers::Mp3TimerInterval);
        m_mp3Busy = true;
    } else if (a.StopMp3 != 0) {
        // An MP3 the author asked to stop stops, whether or not wave sounds stop too.
        e.m_host.stopTimer(EngineTimer::Mp3);
        e.m_media->stopMp3();
    }
    m_hasLists = true;
    return true;
}

void GameEngine::AreaAction::afterward() {
    if (a.StopWav == 0 && !m_mp3Busy) {
        const QString single =
            a.LegacySoundFile.isEmpty()
                ? QString()
                : ProjectFiles::resolve(e.m_paths.AreasPath(), a.LegacySoundFile);
        if (a.LegacyPlaySound != 0 && !single.isEmpty() && e.m_paths.holds(single) &&
            QFileInfo(single).isFile()) {
            e.m_media->StopWaveChannels();
            e.m_media->sound().mmOpenWave(single);
            e.m_media->sound().mmPlay();
        } else if (drop()) {
            e.m_media->PlaySoundChannels(m_areas.dropPath(m_area, m_item, QStringLiteral(".chn")),
                                         e.soundMode(), e.m_paths.AreasPath());
        } else {
            e.m_media->PlaySoundChannels(m_areas.path(m_area, QStringLiteral("d.dat")),
                                         e.soundMode(), e.m_paths.AreasPath());
        }
    }
    if (a.ShowText != 0)
        e.ShowTextMessage(a.TextMessage, a.TextOnBackground != 0);
    if (a.PlayVideo != 0 && (a.VideoAtPosition || (a.GoToFrame == 0 && a.GoBack == 0))) {
        e.waitForVideo();
        e.m_stopVideoRequest = false;
    }
}

void GameEngine::AreaClick(int Index, int Button) {
    if (!pressReachesGame(Button))
        return;
    AreaAction action(*this, Index, 0);
    const int result = action.finish(GameRules::clickArea(action));
    if (result == FrameChanged) {
        m_scene.cutSceneVisible = false;
        m_media->video().mmStop();
        m_host.sceneChanged();
        return;
    }
    ShowOrNotShowAreas();
    m_scene.cutSceneVisible = false;
    m_media->video().mmStop();
    m_host.sceneChanged();
    if (result == CloseGame)
        closeGame();
}

void GameEngine::applyActionVariables(const ActionRecord &a) {
    if (a.ChangeVariables == 0 || a.LegacyVariable.isEmpty())
        return;
    if (a.LegacySetZero)
        m_vars.ChangeVariableValue(a.LegacyVariable, 0);
    if (a.LegacySetOne)
        m_vars.ChangeVariableValue(a.LegacyVariable, 1);
    if (a.LegacyInvert)
        m_vars.ChangeVariableValue(a.LegacyVariable, GameRules::InvertVariable);
}

int GameEngine::MakeAction(int area, int draggedSlot) {
    AreaAction action(*this, area, draggedSlot);
    if (!action.hasAction())
        return Nothing;
    return action.finish(GameRules::playAction(action));
}
