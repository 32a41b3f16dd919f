#include "MediaPreview.h"

#include "CustomTexts.h"
#include "EditorMessages.h"
#include "MediaPlayers.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>

MediaPreview::MediaPreview(MediaBackend &backend, QWidget *messageParent)
    : m_parent(messageParent), m_players(std::make_unique<MediaPlayers>(backend, *this)) {
    m_watch.setInterval(250);
    QObject::connect(&m_watch, &QTimer::timeout, [this] {
        if (stillPlaying())
            return;
        stop();
        if (m_finished)
            m_finished();
    });
}

MediaPreview::~MediaPreview() {
    stop();
}

bool MediaPreview::play(Kind kind, const QString &path, quintptr videoWindow) {
    stop();
    if (kind == Kind::None)
        return false;
    if (!QFileInfo(path).isFile()) {
        EditorMessages::ask(m_parent, QString(),
                            QStringLiteral("File Not Found '") + QDir::toNativeSeparators(path) +
                                QStringLiteral("'."),
                            Status::Icon::Information);
        return false;
    }
    switch (kind) {
    case Kind::Midi:
        m_players->PlayMIDImusic(path);
        break;
    case Kind::Mp3:
        // The player's two steps at once: the MP3 marked as playing, then handed to its worker.
        m_players->startMp3(path);
        m_players->mp3TimerTick();
        break;
    case Kind::Sound:
        m_players->sound().mmOpenWave(path);
        m_players->sound().mmPlay();
        break;
    case Kind::Video:
        m_players->video().PlayMovie(path, videoWindow);
        break;
    case Kind::None:
        break;
    }
    m_playing = kind;
    m_file = path;
    m_watch.start();
    return true;
}

bool MediaPreview::stillPlaying() {
    switch (m_playing) {
    case Kind::Midi:
        return m_players->music().Status() == QLatin1String("playing");
    case Kind::Mp3:
        return m_players->mp3TimerEnabled() || m_players->mp3().IsMp3Playing();
    case Kind::Sound:
        return m_players->sound().Status() == QLatin1String("playing");
    case Kind::Video:
        return m_players->video().Status() == QLatin1String("playing");
    case Kind::None:
        break;
    }
    return false;
}

void MediaPreview::stop() {
    m_watch.stop();
    switch (m_playing) {
    case Kind::Midi:
        m_players->music().mmStop();
        m_players->music().mmClose();
        break;
    case Kind::Mp3:
        m_players->stopMp3();
        break;
    case Kind::Sound:
        m_players->sound().mmStop();
        m_players->sound().mmClose();
        break;
    case Kind::Video:
        m_players->video().StopMovie();
        break;
    case Kind::None:
        break;
    }
    m_playing = Kind::None;
    m_file.clear();
}

void MediaPreview::reportError(const QString &specificMessage) {
    EditorMessages::ask(m_parent, QStringLiteral("Error"), specificMessage.trimmed(),
                        Status::Icon::Critical);
}

void MediaPreview::showWarning(const QString &title, const QString &text) {
    EditorMessages::ask(m_parent, title, text, Status::Icon::Exclamation);
}

QString MediaPreview::customText(int slot) const {
    return CustomTexts::builtIn(CustomTexts::Applications).text(slot);
}

void MediaPreview::processEvents() {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}
