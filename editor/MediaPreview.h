#pragma once

#include "MediaHost.h"

#include <QString>
#include <QTimer>

#include <functional>
#include <memory>

class MediaBackend;
class MediaPlayers;
class QWidget;

// Lets the author hear or see one chosen file at a time through the player's own media layer:
// MIDI or MP3 music, a wave sound, a video inside a given window. Playing a file stops the one
// before; stop() and the destructor end what plays.
class MediaPreview : public MediaHost {
public:
    enum class Kind { None, Midi, Mp3, Sound, Video };

    // `backend` must outlive the preview; messages are shown over `messageParent`.
    MediaPreview(MediaBackend &backend, QWidget *messageParent);
    ~MediaPreview() override;

    // False (with a message) when the file is not there; `videoWindow` is the handle of the
    // window a video plays in.
    bool play(Kind kind, const QString &path, quintptr videoWindow = 0);
    void stop();
    Kind playing() const { return m_playing; }
    // True while the file started by play() still sounds or shows; false once it has ended by
    // itself or was stopped.
    bool stillPlaying();
    // Called (on the window thread) when the file ends by itself; the preview has then stopped.
    void setFinishedHandler(std::function<void()> handler) { m_finished = std::move(handler); }
    const QString &playingFile() const { return m_file; }

    void reportError(const QString &specificMessage) override;
    void showWarning(const QString &title, const QString &text) override;
    QString customText(int slot) const override;
    void processEvents() override;
    bool runningFromEditor() const override { return true; }

private:
    QWidget *m_parent;
    std::unique_ptr<MediaPlayers> m_players;
    Kind m_playing = Kind::None;
    std::function<void()> m_finished;
    QTimer m_watch; // looks every quarter second whether the file has ended
    QString m_file;
};
