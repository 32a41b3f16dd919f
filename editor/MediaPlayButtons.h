#pragma once

#include "MediaPreview.h"

#include <QHash>
#include <QObject>
#include <QString>

#include <memory>

class MediaBackend;
class QComboBox;
class QPushButton;
class QWidget;

// The "Play" buttons of a dialog: one beside each sound, music or video list. A press plays the
// list's file through the player's media layer (the button then reads "Stop"); pressing it
// again, another Play, or stop() ends it. Videos play inside `videoSurface`, shown meanwhile.
class MediaPlayButtons : public QObject {
public:
    // `media` must outlive this; messages are shown over `dialog`.
    MediaPlayButtons(MediaBackend &media, QWidget *dialog, QWidget *videoSurface);
    ~MediaPlayButtons() override;

    // A "Play" button for `list`, whose files lie in `folder` (ending in a separator).
    QPushButton *add(MediaPreview::Kind kind, QComboBox *list, const QString &folder,
                     QWidget *owner);
    QPushButton *button(QComboBox *list) const { return m_buttons.value(list); }
    // Plays the list's file, or stops it when it is the one playing. True while it plays.
    bool play(QComboBox *list);
    void stop();
    QComboBox *playing() const { return m_playing; }

private:
    struct Entry {
        MediaPreview::Kind kind;
        QString folder;
    };
    void showPlaying(QComboBox *list);

    QWidget *m_dialog;
    QWidget *m_video;
    std::unique_ptr<MediaPreview> m_preview;
    QHash<QComboBox *, QPushButton *> m_buttons;
    QHash<QComboBox *, Entry> m_entries;
    QComboBox *m_playing = nullptr;
};
