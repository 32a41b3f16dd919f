// What a click on an area, or a drop of an item on it, does.

#include "AreaFiles.h"
#include "GameEngine.h"
#include "MediaPlayers.h"
#include "ProjectFiles.h"
#include "RecordReader.h"

#include <QFileInfo>

void GameEngine::AreaClick(int Index, int Button) {
    if (!pressReachesGame(Button))
        return;
    PickOrNotPickObject(Index);
    const int result = MakeAction(Index, 0);
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
        m_vars.ChangeVariableValue(a.LegacyVariable, -1);
}

int GameEngine::MakeAction(int area, int draggedSlot) {
    using namespace ActionRecordParts;
    m_stopVideoRequest = true;
    bool mp3Busy = m_media->mp3().IsMp3Playing();
    const AreaFiles areas(m_paths, soundMode(), m_scene.frame);
    const bool drop = draggedSlot != 0;
    QString item;
    if (drop) {
        if (draggedSlot < 1 || draggedSlot > m_scene.inventory.size())
            return Nothing;
        item = m_scene.inventory[draggedSlot - 1].name;
    }
    const QString file = drop ? areas.dropPath(area, item, QStringLiteral(".drg"))
                              : areas.path(area, QStringLiteral("b.dat"));
    if (file.isEmpty() || !QFileInfo(file).isFile())
        return Nothing;

    // The record is read part by part and each part acts before the next is read, so what a
    // damaged record asked for before the damage still happens.
    RecordReader r = RecordReader::fromFile(file);
    ActionRecord a;
    auto failed = [this] {
        reportError(
            QStringLiteral(" Unable to make the action associated with the selected area."));
        return Nothing;
    };
    if (!firstForm(r, a))
        return failed();
    applyActionVariables(a);
    if (!textToHide(r, a))
        return failed();
    if (a.HideOrRemove != 0) {
        if (drop)
            RemovePickedObject(draggedSlot);
        else
            m_vars.Disappear.Add(m_scene.frame, static_cast<qint16>(area));
    }
    if (!close(r, a))
        return failed();
    if (a.CloseProgram != 0)
        return CloseGame;
    if (!goTo(r, a))
        return failed();

    const QString framesPath = m_paths.FramesPath();
    if (more(r)) {
        if (!stopMidi(r, a))
            return failed();
        if (a.StopMidi != 0)
            m_media->music().mmClose();
        if (!stopWav(r, a))
            return failed();
        if (a.StopWav != 0) {
            m_media->StopWaveChannels();
            m_media->sound().mmClose();
        }
        if (!video(r, a))
            return failed();
        if (a.PlayVideo != 0) {
            HideMenus();
            startVideo(resolve(framesPath, a.VideoFile), a.VideoAtPosition, a.VideoLeft, a.VideoTop,
                       a.VideoWidth, a.VideoHeight);
        }
        if (more(r)) {
            if (!midi(r, a))
                return failed();
            if (a.PlayMidi != 0 && !a.MidiFile.isEmpty() &&
                m_media->music().Status() != QLatin1String("playing"))
                m_media->PlayMIDImusic(resolve(framesPath, a.MidiFile));
            if (!mp3(r, a))
                return failed();
            if (a.PlayMp3 != 0) {
                m_media->StopWaveChannels();
                m_media->stopMp3();
                m_media->startMp3(resolve(framesPath, a.Mp3File));
                m_host.startTimer(EngineTimer::Mp3, MediaPlayers::Mp3TimerInterval);
                mp3Busy = true;
            } else if (a.StopMp3 != 0) {
                // An MP3 the author asked to stop stops, whether or not wave sounds stop too.
                m_host.stopTimer(EngineTimer::Mp3);
                m_media->stopMp3();
            }
            if (more(r) && goBack(r, a) && more(r) && placement(r, a) && more(r) && lists(r, a) &&
                a.ChangeVariablesLists != 0) {
                for (const QString &v : a.SetZeroList) {
                    if (!v.isEmpty())
                        m_vars.ChangeVariableValue(v, 0);
                }
                for (const QString &v : a.SetOneList) {
                    if (!v.isEmpty())
                        m_vars.ChangeVariableValue(v, 1);
                }
                for (const QString &v : a.InvertList) {
                    if (!v.isEmpty())
                        m_vars.ChangeVariableValue(v, -1);
                }
            }
            if (!r.ok())
                return failed();
        }
    }

    if (a.StopWav == 0 && !mp3Busy) {
        const QString single = a.LegacySoundFile.isEmpty()
                                   ? QString()
                                   : ProjectFiles::resolve(m_paths.AreasPath(), a.LegacySoundFile);
        if (a.LegacyPlaySound != 0 && !single.isEmpty() && m_paths.holds(single) &&
            QFileInfo(single).isFile()) {
            m_media->StopWaveChannels();
            m_media->sound().mmOpenWave(single);
            m_media->sound().mmPlay();
        } else if (drop) {
            m_media->PlaySoundChannels(areas.dropPath(area, item, QStringLiteral(".chn")),
                                       soundMode(), m_paths.AreasPath());
        } else {
            m_media->PlaySoundChannels(areas.path(area, QStringLiteral("d.dat")), soundMode(),
                                       m_paths.AreasPath());
        }
    }
    if (a.ShowText != 0)
        ShowTextMessage(a.TextMessage, a.TextOnBackground != 0);
    if (a.PlayVideo != 0 && (a.VideoAtPosition || (a.GoToFrame == 0 && a.GoBack == 0))) {
        waitForVideo();
        m_stopVideoRequest = false;
    }
    if (a.GoToFrame != 0) {
        OpenFrame(a.TargetFrame);
        return FrameChanged;
    }
    if (a.GoBack != 0 && m_history.size() >= 2) {
        m_history.removeLast();
        OpenFrame(m_history.last());
        return FrameChanged;
    }
    return Nothing;
}
