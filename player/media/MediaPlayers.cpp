#include "MediaPlayers.h"

#include "HiddenNames.h"
#include "MediaBackend.h"
#include "MediaClock.h"
#include "MediaHost.h"
#include "ProjectFiles.h"

#include <QFile>
#include <QFileInfo>

#include <stdexcept>

MediaPlayers::MediaPlayers(MediaBackend &backend, MediaHost &host)
    : m_backend(backend), m_host(host), m_session(backend.waveMix(), host),
      m_mp3(backend.mp3(), backend.clock()) {}

MediaPlayers::~MediaPlayers() {
    m_mp3.StopMp3();
    m_mp3.joinWorkers();
    StopWaveChannels();
}

Mmedia &MediaPlayers::music() {
    if (!m_music)
        m_music = std::make_unique<Mmedia>(m_backend.mci(), m_backend.clock(), m_host);
    return *m_music;
}

Mmedia &MediaPlayers::sound() {
    if (!m_sound)
        m_sound = std::make_unique<Mmedia>(m_backend.mci(), m_backend.clock(), m_host);
    return *m_sound;
}

Mmedia &MediaPlayers::video() {
    if (!m_video)
        m_video = std::make_unique<Mmedia>(m_backend.mci(), m_backend.clock(), m_host);
    return *m_video;
}

void MediaPlayers::StartWaveChannels() {
    if (m_waveMix)
        return;
    sound().mmClose();
    m_mp3.StopMp3();
    m_waveMix = std::make_unique<cWaveMix>(m_session, m_host);
}

void MediaPlayers::StopWaveChannels() { m_waveMix.reset(); }

void MediaPlayers::PlayMIDImusic(const QString &path) {
    music().mmOpen(path);
    music().mmPlay();
}

void MediaPlayers::PlaySoundChannels(const QString &path, SoundMode mode, const QString &areasPath) {
    if (!QFileInfo::exists(path))
        return;
    ChannelFile file;
    const Status status = readChannels(path, mode, file);
    try {
        if (mode == SoundMode::MultiChannel) {
            for (int channel = 0; channel < file.Channels.size(); ++channel) {
                const ChannelRecord &r = file.Channels[channel];
                if (r.StopSound) {
                    StartWaveChannels();
                    m_waveMix->CurrentChannel = channel;
                    m_waveMix->Quit();
                }
                if (r.PlaySound && !r.SoundFile.isEmpty()) {
                    StartWaveChannels();
                    m_waveMix->CurrentChannel = channel;
                    m_waveMix->setFileName(
                        ResolveDataFileName(ProjectFiles::resolve(areasPath, r.SoundFile)));
                    m_waveMix->setAutoLoop(r.Loop != 0 ? -1 : 0);
                    m_waveMix->Play();
                }
            }
        } else if (!file.Channels.isEmpty()) {
            const ChannelRecord &r = file.Channels[0];
            if (r.PlaySound && !r.SoundFile.isEmpty()) {
                const QString resolved = ResolveDataFileName(ProjectFiles::resolve(areasPath, r.SoundFile));
                if (QFileInfo::exists(resolved)) {
                    StopWaveChannels();
                    sound().mmOpenWave(resolved);
                    sound().mmPlay();
                }
            }
        }
    } catch (const std::exception &) {
        m_host.reportError(QStringLiteral(" Unable to load sound channels information."));
        return;
    }
    if (!status)
        m_host.reportError(QStringLiteral(" Unable to load sound channels information."));
}

void MediaPlayers::PlayMovieWithStop(const QString &path, quintptr windowHandle) {
    m_host.showGameWindow();
    video().PlayMovie(path, windowHandle);
    m_host.processEvents();
    m_host.clearStopVideoRequest();
}

bool MediaPlayers::PlayingMovieOrNot() { return video().Status().toLower() == QLatin1String("playing"); }

void MediaPlayers::startMp3(const QString &resolvedPath) {
    StopWaveChannels();
    m_mp3.StopMp3();
    m_mp3.setLength(60);
    m_mp3.setStartTime(m_backend.clock().now());
    m_mp3TimerTag = resolvedPath;
    m_mp3TimerEnabled = true;
}

void MediaPlayers::mp3TimerTick() {
    if (!m_mp3TimerEnabled)
        return;
    m_mp3.request().fileName = QFile::encodeName(m_mp3TimerTag);
    m_mp3.StartMp3Thread();
    m_mp3TimerEnabled = false;
}

void MediaPlayers::stopMp3() {
    m_mp3TimerEnabled = false;
    m_mp3.StopMp3();
}

QString MediaPlayers::ResolveDataFileName(const QString &path) {
    if (path.isEmpty() || path.size() < 5 || m_host.runningFromEditor())
        return path;
    const QString existing = ProjectFiles::existingVariant(path);
    if (QFileInfo::exists(existing))
        return existing;
    const QString hidden = ProjectFiles::existingVariant(HiddenNames::hiddenName(path));
    if (QFileInfo::exists(hidden))
        return hidden;
    m_host.showWarning(m_host.customText(29), m_host.customText(33) + QLatin1Char(' ') + path +
                                                  QStringLiteral("\n\n") + m_host.customText(34));
    return path;
}
