#include "GameEngine.h"

#include "AreaFiles.h"
#include "FrameFiles.h"
#include "GameRules.h"
#include "MediaBackend.h"
#include "MediaPlayers.h"
#include "ProjectFiles.h"
#include "TextLabels.h"
#include "UserDataFolder.h"

#include <QFileInfo>

namespace {

QString brokenLinkMessage() {
    return QStringLiteral(
        " A program link is broken. Verify that the 'Initial Frame' exists and that "
        "the 'Go to another frame' option in the Area Properties is linked to an "
        "existing frame.");
}

} // namespace

GameEngine::GameEngine(const ProjectPaths &paths, const GeneralInfo &general,
                       const CustomTexts &texts, MediaBackend &media, EngineHost &host)
    : m_paths(paths),
      m_savesFolder(UserDataFolder::savedGamesFolder(paths.root(), general.ProjectName)),
      m_general(general), m_texts(texts), m_host(host),
      m_media(std::make_unique<MediaPlayers>(media, static_cast<MediaHost &>(*this))) {
    m_scene.playWidth = static_cast<int>(general.ScreenWidth);
    m_scene.playHeight = static_cast<int>(general.ScreenHeight);
    adoptOlderSavedGames();
}

GameEngine::~GameEngine() = default;

void GameEngine::reportError(const QString &specificMessage) {
    m_host.showErrorReport(standardErrorReport(m_texts, specificMessage));
}

void GameEngine::reportBare() {
    m_host.showErrorReport(ErrorReport{m_texts.text(29), m_texts.text(30)});
}

void GameEngine::showWarning(const QString &title, const QString &text) {
    m_host.messageBox(title, text, Status::Icon::Exclamation, EngineHost::Buttons::Ok);
}

void GameEngine::showGameWindow() {
    m_scene.gameWindowVisible = true;
    m_host.showGameWindow();
}

SoundMode GameEngine::soundMode() const {
    return m_general.SingleChannelAudio ? SoundMode::SingleChannel : SoundMode::MultiChannel;
}

QString GameEngine::areaFolder() const {
    return AreaFiles(m_paths, soundMode(), m_scene.frame).folder();
}

QString GameEngine::resolve(const QString &folder, const QString &name) {
    QString path = ProjectFiles::resolve(folder, name);
    // A link out of the project names nothing: nothing outside is read, and nothing is shown.
    if (!path.isEmpty() && !m_paths.holds(path))
        return QString();
    if (path.isEmpty() && !name.isEmpty()) {
        // A name that would leave the project folder stands for a file of that name, flattened,
        // inside the folder: it is missing, and reported as such, and nothing outside is read.
        path = folder + QString(name)
                            .replace(QLatin1Char('/'), QLatin1Char('_'))
                            .replace(QLatin1Char('\\'), QLatin1Char('_'))
                            .replace(QLatin1Char(':'), QLatin1Char('_'))
                            .replace(QStringLiteral(".."), QStringLiteral("__"));
    }
    return m_media->ResolveDataFileName(path);
}

void GameEngine::ResetAll() {
    m_vars.reset();
    m_scene.inventory.clear();
    m_history.clear();
    m_scene.backgroundColor = 0;
    m_scene.cutSceneVisible = false;
    m_media->video().mmStop();
    m_stopVideoRequest = true;
    m_scene.playWidth = static_cast<int>(m_general.ScreenWidth);
    m_scene.playHeight = static_cast<int>(m_general.ScreenHeight);
    m_scene.messageVisible = false;
    m_closed = false;
    m_host.sceneChanged();
}

void GameEngine::StartNewGame(const QString &frame) {
    m_vars.LoadVariables(m_paths, *this);
    OpenFrame(frame.isEmpty() ? m_general.InitialFrame : frame);
}

void GameEngine::clearFrameHeader() {
    m_scene.frame.clear();
    m_scene.backgroundKind = 0;
    m_scene.tiled = false;
    m_areaCount = 0;
}

bool GameEngine::loadFrameHeader(const QString &name) {
    m_scene.frame = name;
    const FrameFiles frames(m_paths, soundMode());
    FrameProperties header;
    int count = 0;
    if (!frames.readHeader(name, header) || !frames.readAreaCount(name, count)) {
        reportError(QStringLiteral(" Unable to load the frame called '") + name +
                    QStringLiteral("'."));
        return false;
    }
    m_scene.backgroundKind = header.BackgroundKind;
    m_scene.tiled = header.Tiled;
    if (header.BackgroundKind == 0)
        m_scene.backgroundColor = header.backgroundColor();
    m_areaCount = count;
    return true;
}

void GameEngine::FramesHistoryAdd(const QString &FrameName) {
    GameRules::enterFrame(m_history, FrameName);
}

void GameEngine::OpenFrame(const QString &name) {
    const FrameFiles frames(m_paths, soundMode());
    if (name.isEmpty() || !frames.exists(name))
        reportError(brokenLinkMessage());
    clearFrameHeader();
    const bool headerOk = loadFrameHeader(name);
    m_host.stopTimer(EngineTimer::Frame);
    m_frameTimerTag.clear();
    m_frameTimerInterval = 0;
    FramesHistoryAdd(name);

    FrameProperties f;
    if (!headerOk || !frames.readProperties(name, f)) {
        reportError(QStringLiteral(" Unable to load the frame called '") + name +
                    QStringLiteral("'. Verify that the 'Initial Frame' exists and that the 'Go to "
                                   "another frame' option in the Area Properties is linked to an "
                                   "existing frame."));
        m_host.sceneChanged();
        return;
    }
    const QString framesPath = m_paths.FramesPath();
    const bool mp3Playing = m_media->mp3().IsMp3Playing();
    if (f.StopWav)
        m_media->StopWaveChannels();
    if (f.Mp3File.isEmpty() && f.StopMp3)
        m_media->stopMp3();
    if (f.StopMidi)
        m_media->music().mmClose();
    if (!f.MidiFile.isEmpty() && m_media->music().Status() != QLatin1String("playing") &&
        (f.VideoFile.isEmpty() || !f.WaitVideo))
        m_media->PlayMIDImusic(resolve(framesPath, f.MidiFile));
    if (!f.VideoFile.isEmpty()) {
        m_scene.cutSceneVisible = false;
        m_media->video().mmStop();
        HideMenus();
        m_stopVideoRequest = false;
        startVideo(resolve(framesPath, f.VideoFile), f.VideoAtPosition, f.VideoLeft, f.VideoTop,
                   f.VideoWidth, f.VideoHeight);
    }
    if (!f.StopWav && !mp3Playing)
        m_media->PlaySoundChannels(frames.chnPath(name), soundMode(), m_paths.AreasPath());

    m_scene.texts.clear();
    m_scene.areas.clear();
    m_areaConditions.clear();
    if (m_scene.backgroundKind == 0) {
        m_scene.backImage.clear();
        m_scene.tileImage.clear();
    } else if (m_scene.tiled) {
        m_scene.tileImage = resolve(framesPath, f.Background);
        m_scene.backImage.clear();
    } else {
        m_scene.tileImage.clear();
        m_scene.backImage = resolve(framesPath, f.Background);
    }
    LoadTexts();
    int count = 0;
    frames.readAreaCount(name, count);
    m_areaCount = count;
    if (m_areaCount > 0)
        LoadAreas();
    ShowOrNotShowAreas();
    m_scene.gameWindowVisible = true;
    m_host.sceneChanged();

    waitForVideo();
    m_scene.cutSceneVisible = false;
    m_media->video().mmStop();
    m_stopVideoRequest = false;
    if (!f.MidiFile.isEmpty() && m_media->music().Status() != QLatin1String("playing") &&
        !f.VideoFile.isEmpty() && f.WaitVideo)
        m_media->PlayMIDImusic(resolve(framesPath, f.MidiFile));
    if (f.TimerEnabled)
        startFrameTimer(f.TimerSeconds, f.TimerFrame);
    if (!f.Mp3File.isEmpty()) {
        m_media->StopWaveChannels();
        m_media->stopMp3();
        m_media->startMp3(resolve(framesPath, f.Mp3File));
        m_host.startTimer(EngineTimer::Mp3, MediaPlayers::Mp3TimerInterval);
    }
    m_host.sceneChanged();
}

void GameEngine::waitForVideo() {
    for (;;) {
        const QString status = m_media->video().Status().toLower();
        if (status == QLatin1String("stopped") || status.isEmpty() || m_stopVideoRequest)
            return;
        m_host.processEvents();
        HideMenus();
        m_host.processEvents();
    }
}

void GameEngine::startVideo(const QString &file, bool atPosition, double left, double top,
                            double width, double height) {
    m_scene.cutSceneVisible = false;
    if (atPosition) {
        m_scene.cutSceneRect =
            QRect(qRound(left) * 15, qRound(top) * 15, qRound(width) * 15, qRound(height) * 15);
        m_scene.cutSceneVisible = true;
        m_host.sceneChanged();
        m_media->PlayMovieWithStop(file, m_host.cutSceneWindow());
    } else {
        m_media->PlayMovieWithStop(file, m_host.playAreaWindow());
    }
}

void GameEngine::startFrameTimer(const QString &seconds, const QString &target) {
    const GameRules::FrameTimer timer = GameRules::frameTimer(seconds, target);
    if (!timer.valid) {
        reportError(QStringLiteral(" Unable to load timer duration."));
        return;
    }
    m_frameTimerTag = target;
    m_frameTimerGoesBack = timer.go == GameRules::FrameTimer::Go::Back;
    m_frameTimerInterval = timer.ms;
    // A timer with an interval of 0 never fires.
    if (m_frameTimerInterval > 0)
        m_host.startTimer(EngineTimer::Frame, m_frameTimerInterval);
}

void GameEngine::timerElapsed(EngineTimer timer) {
    switch (timer) {
    case EngineTimer::Frame: {
        m_host.stopTimer(EngineTimer::Frame);
        const QString tag = m_frameTimerTag;
        m_frameTimerInterval = 0;
        if (tag.isEmpty())
            return;
        if (m_frameTimerGoesBack) {
            if (GameRules::leaveForLastVisited(m_history))
                OpenFrame(m_history.last());
            return;
        }
        OpenFrame(tag);
        return;
    }
    case EngineTimer::Message:
        m_host.stopTimer(EngineTimer::Message);
        m_messageTimerInterval = 0;
        m_scene.messageVisible = false;
        m_host.sceneChanged();
        return;
    case EngineTimer::Mp3:
        m_host.stopTimer(EngineTimer::Mp3);
        m_media->mp3TimerTick();
        return;
    }
}

void GameEngine::LoadTexts() {
    const QString folder = areaFolder();
    if (folder.isEmpty())
        return;
    bool failed = false;
    for (const QString &file : TextLabels::list(folder)) {
        SceneText t;
        t.file = folder + file;
        if (!readTextLabel(t.file, t.label)) {
            failed = true;
            continue;
        }
        m_scene.texts.append(t);
    }
    if (failed)
        reportError(QStringLiteral(" Unable to load texts."));
}

void GameEngine::LoadAreas() {
    const AreaFiles areas(m_paths, soundMode(), m_scene.frame);
    for (int n = 1; n <= m_areaCount; ++n) {
        AreaLook look;
        if (!areas.readLook(n, look)) {
            reportError(
                QStringLiteral(" Unable to load area #%1 (out of %2).").arg(n).arg(m_areaCount));
            return;
        }
        SceneArea a;
        a.number = n;
        const int left = qRound(look.Left), top = qRound(look.Top);
        if (look.HasPicture && look.IsAnimatedGif != 0) {
            // Only an animated picture needs the item file, for its speed; a missing file gives
            // the speed of 50. The item a click gives is read when the area is clicked.
            AreaItem item;
            areas.readItem(n, item);
            a.rect = QRect(0, 0, 15, 15);
            const QString file = resolve(m_paths.AreasPath(), look.PictureFile);
            if (!look.PictureFile.isEmpty()) {
                a.animated = true;
                a.animation = file;
                a.animationSpeed = item.GifSpeed < 1 ? 50 : item.GifSpeed;
                a.rect = QRect(left + 30, top + 30, qMax(15, qRound(look.Width) - 60),
                               qMax(15, qRound(look.Height) - 60));
                a.restarts = 1;
            }
        } else {
            a.rect = QRect(left + 30, top + 30, qMax(1, qRound(look.Width) - 60),
                           qMax(1, qRound(look.Height) - 60));
            a.stretch = look.Stretch == 1;
            a.hasPicture = look.HasPicture;
            if (look.HasPicture)
                a.picture = resolve(m_paths.AreasPath(), look.PictureFile);
        }
        if (look.hasCustomPointer())
            a.pointer = resolve(m_paths.IconsPath(), look.MousePointer);
        m_scene.areas.append(a);
        // The visibility conditions are kept, so the area file is read once per opening.
        m_areaConditions.append(AreaCondition{look.VisibleIf, look.ZeroList, look.OneList});
    }
}

void GameEngine::ShowOrNotShowAreas() {
    for (int n = 1; n <= m_areaCount; ++n) {
        if (n > m_scene.areas.size() || n > m_areaConditions.size()) {
            // An area the frame counts but that could not be loaded: it cannot be shown or
            // hidden, which is a failure like an unreadable area file.
            reportBare();
            break;
        }
        bool hidden = false;
        for (const ClassVariable &d : m_vars.Disappear) {
            if (d.Name == m_scene.frame && d.Value == n) {
                hidden = true;
                break;
            }
        }
        const AreaCondition &c = m_areaConditions[n - 1];
        const bool visible = GameRules::areaShown(
            hidden, c.visibleIf != 0, c.mustBeZero, c.mustBeOne,
            [this](const QString &v) { return int(m_vars.GetVariableValue(v)); });
        SceneArea &a = m_scene.areas[n - 1];
        if (a.animated && !a.visible && visible)
            ++a.restarts; // a box shown again restarts its animation
        a.visible = visible;
    }
    m_host.sceneChanged();
}

void GameEngine::ShowTextMessage(const QString &text, bool onBackground) {
    if (!onBackground) {
        m_host.messageBox(m_general.SoftwareTitle, text, Status::Icon::Information,
                          EngineHost::Buttons::Ok);
        return;
    }
    m_scene.messageText = text;
    m_scene.messageVisible = true;
    m_messageTimerInterval = 70 * static_cast<int>(text.size()) + 1000;
    m_host.stopTimer(EngineTimer::Message);
    m_host.startTimer(EngineTimer::Message, m_messageTimerInterval);
    m_host.sceneChanged();
}

void GameEngine::messageClicked() {
    m_scene.messageVisible = false;
    m_host.stopTimer(EngineTimer::Message);
    m_messageTimerInterval = 0;
    m_host.sceneChanged();
}

void GameEngine::ShowMenus() {
    m_scene.menuExitShown = true;
    m_scene.menuSaveShown = !m_general.HideSave;
    m_host.sceneChanged();
}

void GameEngine::HideMenus() {
    if (!m_scene.menuExitShown && !m_scene.menuSaveShown)
        return;
    m_scene.menuExitShown = false;
    m_scene.menuSaveShown = false;
    m_host.sceneChanged();
}

void GameEngine::toggleMenus() {
    if (m_scene.menuExitShown)
        HideMenus();
    else
        ShowMenus();
}

void GameEngine::escapePressed() {
    toggleMenus();
    m_stopVideoRequest = true;
}

bool GameEngine::pressReachesGame(int button) {
    m_stopVideoRequest = true;
    if (m_media->PlayingMovieOrNot())
        return false;
    if (button == 2) {
        toggleMenus();
        return false;
    }
    HideMenus();
    return true;
}

void GameEngine::backgroundPressed(int button) {
    pressReachesGame(button);
}

void GameEngine::exitRequested() {
    if (m_host.messageBox(m_general.SoftwareTitle, m_texts.text(10), Status::Icon::Question,
                          EngineHost::Buttons::YesNo) == EngineHost::Answer::Yes)
        closeGame();
}

void GameEngine::closeGame() {
    m_stopVideoRequest = true;
    m_media->music().mmClose();
    m_media->sound().mmClose();
    m_media->video().StopMovie();
    m_media->stopMp3();
    m_host.stopTimer(EngineTimer::Mp3);
    m_media->StopWaveChannels();
    m_host.stopTimer(EngineTimer::Frame);
    // The strip goes with the window: no message is left waiting for a timer that is stopped.
    m_host.stopTimer(EngineTimer::Message);
    m_messageTimerInterval = 0;
    m_scene.messageVisible = false;
    for (SceneArea &a : m_scene.areas)
        a.animated = false;
    m_scene.gameWindowVisible = false;
    m_closed = true;
    m_host.sceneChanged();
    m_host.gameClosed();
}
